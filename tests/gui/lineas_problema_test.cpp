// The lines of a problem file as the engines read them, in every language.
// Save writes the labels of the current language and the engines read 80
// characters of a line, so a number is taken, by a box or by Open, only when
// its line holds within those 80 characters under the longest label of any
// language of the language file: a file saved in one language then opens,
// and saves again, in the other. Open also finds a file damaged at a value
// line that goes on past column 80 with more than blanks (the engines would
// read another number), and at a basis size or point count the engines do
// not read.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "comun.hpp"
#include "editor/dialogo_zona.hpp"
#include "editor/frmconstante.hpp"
#include "editor/frmdatos.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "platform/mensajes.hpp"
#include "platform/texto1252.hpp"

namespace {

const QString espanol = QString::fromUtf8("Español");
const QString ingles = "English";

// The labels of the points line in the system's language file: the Spanish
// one is the longer.
const QString puntos_es = QString::fromUtf8("Puntos de integración por zona = ");
const QString puntos_en = "Integration points per zone = ";

// Pastes a text over the whole of a box with Ctrl+V, as the user does.
void pegar(QLineEdit* caja, const QString& texto) {
  QGuiApplication::clipboard()->setText(texto);
  caja->setFocus();
  caja->selectAll();
  QTest::keyClick(caja, Qt::Key_V, Qt::ControlModifier);
}

// Starts the program afresh in the folder with the system's language file
// and `lengua` as its current language, and does New.
void arrancar(const prueba::Carpeta& carpeta, const QString& lengua) {
  prueba::limpiar();
  QFile real(DATA_DIR "/idioma.lng");
  if (!real.open(QIODevice::ReadOnly)) qFatal("cannot read the language file");
  carpeta.idioma(real.readAll());
  if (!idiomas::guardavalor(idiomas::fichero_idioma, "idioma", "idioma", lengua)) qFatal("cannot set the language");
  idiomas::carga_idiomas();
  frmMain::instancia().mnuFileNew_Click();
}

QStringList lineas_de(const prueba::Carpeta& carpeta, const QString& nombre) {
  QStringList l = plataforma::desde_1252(carpeta.leer(nombre)).split("\r\n");
  l.removeLast();
  return l;
}

// The line of a file that starts with `etiqueta`.
QString linea_de(const QStringList& lineas, const QString& etiqueta) {
  for (const QString& l : lineas)
    if (l.startsWith(etiqueta)) return l;
  return "<no line " + etiqueta + ">";
}

void abrir(const prueba::Carpeta& carpeta, const QString& nombre) {
  prueba::GuionDialogos dialogos({carpeta.ruta(nombre)});
  frmMain::instancia().mnuFileOpen_Click();
}

// A problem file in the editor's test language ("en<k>" labels): the header
// lines with these values, then the zone lines.
QByteArray fichero(const QStringList& cabecera, const QStringList& zonas) {
  const QStringList rotulos{"en46", "en47 (u.a.)", "en48", "en49", "en50"};
  QStringList l{"****** en45:"};
  for (int i = 0; i < 5; ++i) l << rotulos[i] + " = " + cabecera[i];
  l << "****** en51:";
  return plataforma::a_1252((l + zonas).join("\r\n") + "\r\n");
}

const QStringList cabecera_buena{"roto", "1.000", "10", "1", "1001"};

// A vibration zone [0, 10] about 5 whose K2 line (line 13 of the file) is `k2`.
QStringList vibracion(const QString& k2) {
  return {"en52 1 = 3", "en53 1 = 0.000", "en54 1 = 10.000", "en59 = 5.000", "en55 = -1.000",
          k2,           "en61 = 0.000",   "en62 = 0.000",    "-----------------------------"};
}

QStringList con(int i, const QString& valor) {
  QStringList c = cabecera_buena;
  c[i] = valor;
  return c;
}

}  // namespace

class PruebaLineasProblema : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar(); }
  void guardado_en_un_idioma_se_abre_en_el_otro_data();
  void guardado_en_un_idioma_se_abre_en_el_otro();
  void linea_de_80_bajo_una_etiqueta_corta_data();
  void linea_de_80_bajo_una_etiqueta_corta();
  void fichero_danado_data();
  void fichero_danado();
  void fichero_leido_data();
  void fichero_leido();
};

void PruebaLineasProblema::guardado_en_un_idioma_se_abre_en_el_otro_data() {
  QTest::addColumn<QString>("guarda");
  QTest::addColumn<QString>("abre");
  QTest::newRow("saved in English, opened in Spanish") << ingles << espanol;
  QTest::newRow("saved in Spanish, opened in English") << espanol << ingles;
}

// The longest numbers the boxes take, in either language: a point count
// whose line is 80 characters under the Spanish label (77 under the English
// one), and a V0 whose line is 80 characters under both.
void PruebaLineasProblema::guardado_en_un_idioma_se_abre_en_el_otro() {
  QFETCH(QString, guarda);
  QFETCH(QString, abre);
  prueba::Carpeta carpeta;
  arrancar(carpeta, guarda);
  frmdatos& d = frmdatos::instancia();
  const QString puntos = QString(80 - puntos_es.size() - 10, '0') + "2147483647";
  {
    prueba::Guion guion;
    // One character more: in English its line would be 78 characters, in
    // Spanish 81.
    pegar(d.txtpuntos, "0" + puntos);
    QCOMPARE(guion.cajas.size(), 1);
    QCOMPARE(guion.cajas[0].texto, idiomas::texto(220));
    QCOMPARE(d.txtpuntos->text(), QString("1001"));
    pegar(d.txtpuntos, puntos);
    QCOMPARE(d.txtpuntos->text(), puntos);

    QTest::mouseClick(d.btnzona(0), Qt::LeftButton);
    QLineEdit* v0 = frmconstante::instancia().txtcoeficientes(0);
    pegar(v0, "1e71");
    QCOMPARE(guion.cajas.size(), 2);
    QCOMPARE(guion.cajas[1].texto, idiomas::texto(220));
    pegar(v0, "1e70");
    frmconstante::instancia().btaceptar->click();
    QCOMPARE(global::zonas[0].coeficientes(0), 1e70);
    QCOMPARE(guion.cajas.size(), 2);
  }
  {
    prueba::GuionDialogos dialogos({carpeta.ruta("idiomas.dat")});
    frmMain::instancia().mnuFileSaveAs_Click();
  }
  const QString& rotulo_guarda = guarda == ingles ? puntos_en : puntos_es;
  QCOMPARE(linea_de(lineas_de(carpeta, "IDIOMAS.DAT"), rotulo_guarda), rotulo_guarda + puntos);
  QCOMPARE(linea_de(lineas_de(carpeta, "IDIOMAS.DAT"), "V0 = ").size(), 80);

  arrancar(carpeta, abre);
  {
    prueba::Guion guion;
    abrir(carpeta, "IDIOMAS.DAT");
    QVERIFY(guion.cajas.isEmpty());
  }
  QCOMPARE(global::archivo, carpeta.ruta("IDIOMAS.DAT"));
  QVERIFY(!global::modificado);
  // The box shows the count the engines take; Save writes the text read.
  QCOMPARE(frmdatos::instancia().txtpuntos->text(), QString("2147483647"));
  QCOMPARE(global::zonas[0].coeficientes(0), 1e70);

  // Saved again in the other language, every line is read whole.
  frmMain::instancia().mnuFileSave_Click();
  const QStringList otra = lineas_de(carpeta, "IDIOMAS.DAT");
  const QString& rotulo_abre = abre == ingles ? puntos_en : puntos_es;
  QCOMPARE(linea_de(otra, rotulo_abre), rotulo_abre + puntos);
  for (const QString& l : otra) QVERIFY2(l.size() <= 80, qPrintable(l));
}

void PruebaLineasProblema::linea_de_80_bajo_una_etiqueta_corta_data() {
  QTest::addColumn<QString>("lengua");
  QTest::newRow("opened in English") << ingles;
  QTest::newRow("opened in Spanish") << espanol;
}

// A file written in English with a point count of 50 characters: its line
// is 80 characters, but 83 under the Spanish label, so no language opens it,
// and the message names the line in the current language.
void PruebaLineasProblema::linea_de_80_bajo_una_etiqueta_corta() {
  QFETCH(QString, lengua);
  prueba::Carpeta carpeta;
  arrancar(carpeta, ingles);
  {
    prueba::GuionDialogos dialogos({carpeta.ruta("ochenta.dat")});
    frmMain::instancia().mnuFileSaveAs_Click();
  }
  QStringList l = lineas_de(carpeta, "OCHENTA.DAT");
  l[5] = puntos_en + QString(46, '0') + "1001";
  QCOMPARE(l[5].size(), 80);
  carpeta.escribir("OCHENTA.DAT", plataforma::a_1252(l.join("\r\n") + "\r\n"));

  arrancar(carpeta, lengua);
  prueba::Guion guion;
  abrir(carpeta, "OCHENTA.DAT");
  QCOMPARE(guion.cajas.size(), 1);
  QVERIFY2(guion.cajas[0].texto.endsWith(idiomas::texto(222) + " 6, " + idiomas::texto(223) + ": " + idiomas::texto(50)),
           qPrintable(guion.cajas[0].texto));
  QCOMPARE(global::archivo, QString());
  QVERIFY(global::modificado);
  QCOMPARE(frmdatos::instancia().txtpuntos->text(), QString("1001"));
}

// Files that the engines would not read as the window does: the load stops
// at the line, which the message names, and keeps what was read before it as
// an untitled, modified problem.
void PruebaLineasProblema::fichero_danado_data() {
  QTest::addColumn<QByteArray>("contenido");
  QTest::addColumn<int>("linea");
  QTest::addColumn<QString>("esperado");
  const QStringList constante{"en52 1 = 1", "en53 1 = 0.000", "en54 1 = 10.000", "en55 = 0.000",
                              "-----------------------------"};
  QTest::newRow("a basis size of 2147483648") << fichero(con(2, "2147483648"), constante) << 4 << "en48";
  QTest::newRow("a basis size of 50 digits") << fichero(con(2, QString(50, '9')), constante) << 4 << "en48";
  QTest::newRow("a point count of 2147483648") << fichero(con(4, "2147483648"), constante) << 6 << "en50";
  QTest::newRow("a point count of 1e10") << fichero(con(4, "1e10"), constante) << 6 << "en50";
  // The engines read the first 80 characters: K2 = 0 for them.
  QTest::newRow("K2 of 90 zeros and 1.000")
      << fichero(cabecera_buena, vibracion("en60 = " + QString(90, '0') + "1.000")) << 13 << "en60";
  // A mass the window would save as 1.000, but whose line goes on with
  // digits the engines do not read.
  QTest::newRow("a mass going on past column 80")
      << fichero(con(1, "1." + QString(70, '0') + "5"), constante) << 3 << "en47 (u.a.)";
}

void PruebaLineasProblema::fichero_danado() {
  QFETCH(QByteArray, contenido);
  QFETCH(int, linea);
  QFETCH(QString, esperado);
  prueba::Problema p;
  p.carpeta.escribir("roto.dat", contenido);
  prueba::Guion guion;
  abrir(p.carpeta, "roto.dat");
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, prueba::aviso_de_fichero_danado(p.carpeta.ruta("roto.dat"), linea, esperado));
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbCritical);
  QCOMPARE(global::archivo, QString());
  QVERIFY(global::modificado);
  frmdatos& d = p.d();
  QCOMPARE(d.txttitulo->text(), QString("roto"));
  // The boxes after the line keep the new problem's values; those before it
  // hold the file's.
  QCOMPARE(d.txtfb->text(), QString("10"));
  QCOMPARE(d.txtpuntos->text(), QString("1001"));
  if (linea == 13) {
    QCOMPARE(global::zonas[0].tipo, 2);
    QCOMPARE(global::zonas[0].x0, 5.0);
    QCOMPARE(global::zonas[0].coeficientes(0), -1.0);
    QCOMPARE(global::zonas[0].coeficientes(2), 0.0);
  }
  QCOMPARE(p.carpeta.leer("roto.dat"), contenido);
}

void PruebaLineasProblema::fichero_leido_data() {
  QTest::addColumn<QByteArray>("contenido");
  QTest::addColumn<QStringList>("cajas");  // title, basis size and points as the boxes show them
  QTest::addColumn<double>("k2");
  const QStringList bueno = vibracion("en60 = 2.000");
  QTest::newRow("a basis size of 2147483647") << fichero(con(2, "2147483647"), bueno)
                                              << QStringList{"roto", "2147483647", "1001"} << 2.0;
  QTest::newRow("a point count of 2147483647") << fichero(con(4, "2147483647"), bueno)
                                               << QStringList{"roto", "10", "2147483647"} << 2.0;
  const QString titulo = "Pozo " + QString(195, 'x');
  QTest::newRow("a title line of 200 characters")
      << fichero(con(0, titulo), bueno) << QStringList{titulo, "10", "1001"} << 2.0;
  QTest::newRow("blanks past column 80") << fichero(cabecera_buena, vibracion("en60 = 3.000" + QString(100, ' ')))
                                         << QStringList{"roto", "10", "1001"} << 3.0;
}

void PruebaLineasProblema::fichero_leido() {
  QFETCH(QByteArray, contenido);
  QFETCH(QStringList, cajas);
  QFETCH(double, k2);
  prueba::Problema p;
  p.carpeta.escribir("bueno.dat", contenido);
  prueba::Guion guion;
  abrir(p.carpeta, "bueno.dat");
  QVERIFY(guion.cajas.isEmpty());
  QCOMPARE(global::archivo, p.carpeta.ruta("bueno.dat"));
  QVERIFY(!global::modificado);
  frmdatos& d = p.d();
  // The title is text: the engines take its first 80 characters.
  QCOMPARE(d.txttitulo->text().left(80), cajas[0].left(80));
  QCOMPARE((QStringList{d.txtfb->text(), d.txtpuntos->text()}), cajas.mid(1));
  QCOMPARE(global::zonas[0].coeficientes(2), k2);
}

QTEST_MAIN(PruebaLineasProblema)
#include "lineas_problema_test.moc"
