// Open and Save keep what a problem file held: a value with more decimals
// than the window shows, what follows the last zone, and every count as the
// engines read it.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include "comun.hpp"
#include "editor/frmconstante.hpp"
#include "editor/frmdatos.hpp"
#include "editor/frmpoligonal.hpp"
#include "editor/frmvibracion.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "frame/problema_texto.hpp"
#include "platform/ficheros.hpp"
#include "platform/mensajes.hpp"
#include "platform/procesos.hpp"
#include "platform/texto1252.hpp"

using global::nzonas;
using global::zonas;

namespace {

QByteArray crlf(const QStringList& lineas) { return plataforma::a_1252(lineas.join("\r\n") + "\r\n"); }

// The editor's test language, with the texts of the keys past it that Open uses.
QByteArray idioma_de_prueba() { return prueba::idiomas_editor() + "250=en250\r\n"; }

// Opens a file of the program folder through Open (answering No to a save
// question); the message boxes shown go to guion.
void abrir(prueba::Problema& p, const QString& nombre) {
  prueba::GuionDialogos dialogos({p.carpeta.ruta(nombre)});
  p.f().mnuFileOpen_Click();
}

// A problem in the test language: a vibration zone whose K2, K4, limit and
// mass have more than three decimals, a polygon with such vertices, and a
// constant zone last.
const QStringList decimales = {
    "****** en45:",      "en46 = Decimales", "en47 (u.a.) = 1.0004", "en48 = 10",
    "en49 = 3",          "en50 = 1001",      "****** en51:",
    "en52 1 = 3",        "en53 1 = 0.000",   "en54 1 = 5.0004",      "en59 = 2.500",
    "en55 = 0.000",      "en60 = 1.0004",    "en61 = 0.000",         "en62 = 0.0004",
    "-----------------------------",
    "en52 2 = 2",        "en53 2 = 5.0004",  "en54 2 = 8.000",       "en56 2 = 3.000",
    "en57(1) = 5.0004",  "en58(1) = 0.12345", "en57(2) = 6.500",      "en58(2) = -0.0625",
    "en57(3) = 8.000",   "en58(3) = 1.000",
    "-----------------------------",
    "en52 3 = 1",        "en53 3 = 8.000",   "en54 3 = 10.0004",     "en55 = 2.0000001",
    "-----------------------------",
};

// The same lines with some replaced: "index=text".
QStringList con(QStringList lineas, const QStringList& cambios) {
  for (const QString& c : cambios) lineas[c.section('=', 0, 0).toInt()] = c.section('=', 1);
  return lineas;
}

// A file of the data folder.
QByteArray de_datos(const QString& nombre) {
  QFile f(DATA_DIR "/" + nombre);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void abrir_dialogo(frmdatos& d, int zona) { QTest::mouseClick(d.btnzona(zona), Qt::LeftButton); }

void teclear(QLineEdit* caja, const QString& texto) {
  caja->selectAll();
  QTest::keyClick(caja, Qt::Key_Backspace);
  QTest::keyClicks(caja, texto);
}

// The counts the engine read from a problem file, from its report and eigen
// data: -1 for each when it refused the file.
struct Leido {
  int zonas = -1, vertices = -1, tipo = -1, base = -1, puntos = -1;
};

Leido por_el_motor(prueba::Carpeta& carpeta, const QString& nombre) {
  QFile::remove(carpeta.ruta("RES.tot"));
  QFile::remove(carpeta.ruta("DatosDIB"));
  Leido l;
  if (plataforma::ejecutar_y_esperar(carpeta.ruta("calculos"), {nombre}) != 0) return l;
  const QString informe = plataforma::desde_1252(carpeta.leer("RES.tot"));
  l.zonas = int(informe.count("<  x  <"));
  const QRegularExpressionMatch v = QRegularExpression(R"(\(=\s*(\d+)\))").match(informe);
  l.vertices = v.hasMatch() ? v.captured(1).toInt() : 0;
  // The first zone's potential: polygonal (2) when it has vertices, constant (1) by its name.
  const QString constante = idiomas::leervalor(idiomas::fichero_idioma, idiomas::idioma_actual, "1020");
  l.tipo = v.hasMatch() ? 2 : informe.contains(constante) ? 1 : 0;
  const QString rotulo = idiomas::leervalor(idiomas::fichero_idioma, idiomas::idioma_actual, "1023");
  const QRegularExpressionMatch n =
      QRegularExpression(QRegularExpression::escape(rotulo) + R"(\s*:\s*(\d+))").match(informe);
  l.puntos = n.hasMatch() ? n.captured(1).toInt() : 0;
  // DatosDIB holds, for each of the n states, its energy and n coefficients.
  const qsizetype datos = carpeta.leer("DatosDIB").count('\n');
  for (int b = 1; b * (b + 1) <= datos; ++b)
    if (b * (b + 1) == datos) l.base = b;
  return l;
}

// The same counts as the window took them when it opened the file.
Leido por_la_ventana(prueba::Problema& p, const QString& nombre) {
  prueba::Guion guion;
  abrir(p, nombre);
  Leido l;
  if (!guion.cajas.isEmpty() || global::archivo.isEmpty()) return l;
  frmdatos& d = p.d();
  l.zonas = nzonas;
  l.vertices = zonas[0].tipo == 1 ? zonas[0].nvertices : 0;
  l.tipo = zonas[0].tipo + 1;
  l.base = d.txtfb->text().toInt();
  l.puntos = d.txtpuntos->text().toInt();
  return l;
}

}  // namespace

class PruebaConservar : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar(); }
  void decimales_como_se_leyeron_data();
  void decimales_como_se_leyeron();
  void tres_decimales_byte_a_byte_data();
  void tres_decimales_byte_a_byte();
  void lo_que_sigue_al_problema_data();
  void lo_que_sigue_al_problema();
  void lo_que_sigue_demasiado_largo();
  void lo_que_sigue_demasiado_largo_caja_real();
  void recuentos_como_el_motor_data();
  void recuentos_como_el_motor();
};

void PruebaConservar::decimales_como_se_leyeron_data() {
  QTest::addColumn<QString>("pasos");
  QTest::addColumn<QStringList>("cambios");  // of the file saved, besides the title
  QTest::newRow("only the title") << "" << QStringList();
  QTest::newRow("every dialog accepted as shown") << "dialogs" << QStringList();
  QTest::newRow("the dialog's boxes visited") << "visit" << QStringList();
  QTest::newRow("the mass box visited") << "mass" << QStringList();
  QTest::newRow("a zone added and removed") << "+-" << QStringList();
  QTest::newRow("the limit editors opened and closed") << "limits" << QStringList();
  // What the user types is saved as the window writes it.
  QTest::newRow("K2 typed") << "K2" << QStringList{"12=en60 = 2.000"};
  QTest::newRow("the mass typed") << "type mass" << QStringList{"2=en47 (u.a.) = 1.500"};
  QTest::newRow("a vertex typed") << "vertex" << QStringList{"23=en58(2) = 0.500"};
  QTest::newRow("the box end typed") << "end" << QStringList{"29=en54 3 = 12.000"};
}

// The decimals file: opened, something done, saved. The values the user did
// not change are saved as the file wrote them, and the zone records hold
// them whole, so that the drawing shows the problem Run computes.
void PruebaConservar::decimales_como_se_leyeron() {
  QFETCH(QString, pasos);
  QFETCH(QStringList, cambios);
  prueba::Problema p;
  p.carpeta.idioma(idioma_de_prueba());
  p.carpeta.escribir("decimales.dat", crlf(decimales));
  {
    prueba::Guion guion;
    abrir(p, "decimales.dat");
    QVERIFY(guion.cajas.isEmpty());
  }
  frmdatos& d = p.d();
  p.f().show();
  QVERIFY(QTest::qWaitForWindowExposed(&p.f()));
  // The boxes show three decimals.
  QCOMPARE(d.lblintervalo(1)->text(), QString("5.000"));
  QCOMPARE(d.lblintervalo(10)->text(), QString("10.000"));
  QTest::keyClicks(d.txttitulo, "!");
  if (pasos == "dialogs") {
    abrir_dialogo(d, 0);
    QCOMPARE(frmvibracion::instancia().txtcoeficientes(2)->text(), QString("1.000"));
    frmvibracion::instancia().btaceptar->click();
    abrir_dialogo(d, 1);
    frmpoligonal::instancia().btaceptar->click();
    abrir_dialogo(d, 2);
    frmconstante::instancia().btaceptar->click();
  } else if (pasos == "visit") {
    abrir_dialogo(d, 0);
    frmvibracion& v = frmvibracion::instancia();
    for (int i : {0, 2, 3, 4}) v.txtcoeficientes(i)->setFocus();
    v.txtcoeficientex0->setFocus();
    v.btactualiza->click();
    v.btaceptar->click();
  } else if (pasos == "mass") {
    d.txtmasa->setFocus();
    d.txttitulo->setFocus();
    QCOMPARE(d.txtmasa->text(), QString("1.000"));
  } else if (pasos == "+-") {
    prueba::subir_zonas(d);
    QCOMPARE(int(nzonas), 4);
    prueba::bajar_zonas(d);
  } else if (pasos == "limits") {
    for (int i : {1, 2, 10}) {
      QTest::mouseDClick(d.lblintervalo(i), Qt::LeftButton);
      QTest::keyClick(d.txtescala(i), Qt::Key_Return);
      QVERIFY(d.txtescala(i)->isHidden());
    }
  } else if (pasos == "K2") {
    abrir_dialogo(d, 0);
    teclear(frmvibracion::instancia().txtcoeficientes(2), "2");
    frmvibracion::instancia().btaceptar->click();
  } else if (pasos == "type mass") {
    teclear(d.txtmasa, "1.5");
  } else if (pasos == "vertex") {
    abrir_dialogo(d, 1);
    teclear(frmpoligonal::instancia().txty(2), "0.5");
    frmpoligonal::instancia().btaceptar->click();
  } else if (pasos == "end") {
    QTest::mouseDClick(d.lblintervalo(10), Qt::LeftButton);
    teclear(d.txtescala(10), "12");
    QTest::keyClick(d.txtescala(10), Qt::Key_Return);
  }
  QCOMPARE(int(nzonas), 3);
  if (pasos != "K2") {
    QCOMPARE(zonas[0].coeficientes(2), 1.0004);
    QCOMPARE(zonas[0].coeficientes(4), 0.0004);
  }
  QCOMPARE(zonas[1].xini, 5.0004);
  QCOMPARE(zonas[1].vertices(1).y, 0.12345);
  QCOMPARE(zonas[2].coeficientes(0), 2.0000001);

  p.f().mnuFileSave_Click();
  QVERIFY(!global::modificado);
  QCOMPARE(plataforma::desde_1252(p.carpeta.leer("decimales.dat")),
           plataforma::desde_1252(crlf(con(decimales, QStringList{"1=en46 = Decimales!"} + cambios))));
}

void PruebaConservar::tres_decimales_byte_a_byte_data() {
  QTest::addColumn<QString>("nombre");
  QTest::addColumn<bool>("propio");  // written by the window under the test language
  QTest::newRow("written by the window") << "propio.dat" << true;
  for (const char* ejemplo : {"caja.dat", "oscilador.dat", "doble_pozo.dat", "escalon.dat", "potencias.dat"})
    QTest::newRow(ejemplo) << ejemplo << false;
}

// A file whose values have at most three decimals, in the form Save writes,
// comes back from Open and Save byte for byte.
void PruebaConservar::tres_decimales_byte_a_byte() {
  QFETCH(QString, nombre);
  QFETCH(bool, propio);
  prueba::Problema p;
  frmdatos& d = p.d();
  if (propio) {
    prueba::subir_zonas(d, 3);
    d.txttitulo->setText("Cuatro zonas");
    d.txtmasa->setText("1836.15");
    d.fijar_ListIndex(0, 1);
    d.fijar_ListIndex(1, 2);
    zonas[1].coeficientes(2) = 0.75;
    zonas[1].coeficientes(4) = -0.05;
    d.fijar_ListIndex(2, 3);
    for (int k = -6; k <= 6; ++k) zonas[2].coeficientes(k) = k * 0.5 + 0.125;
    zonas[3].coeficientes(0) = 2.345;
    zonas[3].vertices(1).y = zonas[3].vertices(2).y = 2.345;
    prueba::GuionDialogos dialogos({p.carpeta.ruta(nombre)});
    p.f().mnuFileSaveAs_Click();
    nombre = nombre.toUpper();
  } else {
    // The examples under the language file they ship with.
    p.carpeta.idioma(de_datos("idioma.lng"));
    idiomas::carga_idiomas();
    p.carpeta.escribir(nombre, de_datos(nombre));
  }
  const QByteArray antes = p.carpeta.leer(nombre);
  {
    prueba::Guion guion;
    abrir(p, nombre);
    QVERIFY(guion.cajas.isEmpty());
  }
  QCOMPARE(global::archivo, p.carpeta.ruta(nombre));
  p.f().mnuFileSave_Click();
  QVERIFY(!global::modificado);
  QCOMPARE(p.carpeta.leer(nombre), antes);
}

void PruebaConservar::lo_que_sigue_al_problema_data() {
  QTest::addColumn<QByteArray>("cola");
  QTest::addColumn<bool>("otra_zona");  // a zone is added before Save
  QTest::newRow("a note") << QByteArray("Nota: K2 ajustado a mano el lunes\r\n") << false;
  QTest::newRow("a note, then a zone added") << QByteArray("Nota\r\n") << true;
  QTest::newRow("a second problem") << crlf(decimales) << false;
  QTest::newRow("empty lines") << QByteArray("\r\n\r\n") << false;
  QTest::newRow("lines ended by LF, the last by none") << QByteArray("uno\ndos\n\ntres") << false;
  QTest::newRow("bytes of no text") << QByteArray("\x01\xff\0\r\n", 5) << false;
  QTest::newRow("nothing") << QByteArray() << false;
}

// What follows the last zone's dash line is written again after the problem
// on Save, byte for byte, without a word at Open.
void PruebaConservar::lo_que_sigue_al_problema() {
  QFETCH(QByteArray, cola);
  QFETCH(bool, otra_zona);
  prueba::Problema p;
  p.carpeta.idioma(idioma_de_prueba());
  QStringList una = decimales.mid(0, 16);
  una[4] = "en49 = 1";
  p.carpeta.escribir("nota.dat", crlf(una) + cola);
  {
    prueba::Guion guion;
    abrir(p, "nota.dat");
    QVERIFY(guion.cajas.isEmpty());
  }
  QCOMPARE(int(nzonas), 1);
  QStringList esperado = con(una, {"1=en46 = Decimales!"});
  QTest::keyClicks(p.d().txttitulo, "!");
  if (otra_zona) {
    prueba::subir_zonas(p.d());
    esperado = con(esperado, {"4=en49 = 2", "9=en54 1 = 2.500"});
    // The new zone ends where the box did: at the limit as read.
    esperado += {"en52 2 = 1", "en53 2 = 2.500", "en54 2 = 5.0004", "en55 = 0.000", "-----------------------------"};
  }
  p.f().mnuFileSave_Click();
  QVERIFY(!global::modificado);
  QCOMPARE(p.carpeta.leer("nota.dat"), crlf(esperado) + cola);
}

// A part after the problem too long to keep is told at Open, with where it
// begins and its size; the problem opens, and Save writes the problem alone.
void PruebaConservar::lo_que_sigue_demasiado_largo() {
  prueba::Problema p;
  p.carpeta.idioma(idioma_de_prueba());
  QStringList una = decimales.mid(0, 16);
  una[4] = "en49 = 1";
  const QByteArray cola = QByteArray("nota\r\n").repeated(problema_texto::cola_maxima / 6 + 1);
  QVERIFY(cola.size() > problema_texto::cola_maxima);
  p.carpeta.escribir("larga.dat", crlf(una) + cola);
  {
    prueba::Guion guion;
    abrir(p, "larga.dat");
    QCOMPARE(guion.cajas.size(), 1);
    QCOMPARE(guion.cajas[0].texto, "en250\n\n" + QDir::toNativeSeparators(p.carpeta.ruta("larga.dat")) + "\nen222 17: " +
                                       QString::number(cola.size()) + " bytes");
    QCOMPARE(guion.cajas[0].estilo, int(plataforma::vbExclamation));
  }
  QCOMPARE(global::archivo, p.carpeta.ruta("larga.dat"));
  QVERIFY(!global::modificado);
  QCOMPARE(zonas[0].coeficientes(2), 1.0004);
  QVERIFY(p.d().conservado.cola.isEmpty());
  p.f().mnuFileSave_Click();
  QCOMPARE(p.carpeta.leer("larga.dat"), crlf(una));
}

// The same through the real message box.
void PruebaConservar::lo_que_sigue_demasiado_largo_caja_real() {
  prueba::Problema p;
  p.carpeta.idioma(idioma_de_prueba());
  QStringList una = decimales.mid(0, 16);
  una[4] = "en49 = 1";
  p.carpeta.escribir("larga.dat", crlf(una) + QByteArray(problema_texto::cola_maxima + 1, 'x'));
  QString visto;
  prueba::aceptar_caja_real(500, visto);
  abrir(p, "larga.dat");
  QVERIFY2(visto.startsWith("en250\n"), qPrintable(visto));
  QCOMPARE(global::archivo, p.carpeta.ruta("larga.dat"));
  QCOMPARE(int(nzonas), 1);
}

void PruebaConservar::recuentos_como_el_motor_data() {
  QTest::addColumn<QString>("campo");
  QTest::addColumn<QString>("texto");
  QTest::addColumn<int>("esperado");  // the count both read; -1: both refuse the file
  const QList<std::pair<QString, int>> zonas_ = {
      {"1.5", 1},  {"2.9", 2},   {"-0", -1}, {"0.5", -1}, {"1e1", 10}, {" 3 ", 3},    {"3 4", 3},
      {"3,4", 3},  {"3.000", 3}, {"+2", 2},  {"2D0", 2},  {"10.9", 10}, {"11", -1},   {"3abc", -1},
      {"", -1}};
  for (const auto& [t, n] : zonas_) QTest::newRow(qPrintable("zones '" + t + "'")) << "zonas" << t << n;
  const QList<std::pair<QString, int>> vertices = {{"3.5", 3}, {"2.9", 2},   {"4", 4},   {"3.000", 3}, {" 3 ", 3},
                                                   {"3 9", 3}, {"3,9", 3},   {"4e0", 4}, {"3x", -1}};
  for (const auto& [t, n] : vertices) QTest::newRow(qPrintable("vertices '" + t + "'")) << "vertices" << t << n;
  const QList<std::pair<QString, int>> tipos = {{"2.5", 2}, {"2.99", 2}, {"1.9", 1}, {"2 1", 2}, {"2x", -1}};
  for (const auto& [t, n] : tipos) QTest::newRow(qPrintable("type '" + t + "'")) << "tipo" << t << n;
  const QList<std::pair<QString, int>> bases = {{"4.7", 4}, {"1e1", 10}, {"4 5", 4}, {"0.6e1", 6}, {"4x", -1}};
  for (const auto& [t, n] : bases) QTest::newRow(qPrintable("basis '" + t + "'")) << "base" << t << n;
  const QList<std::pair<QString, int>> puntos = {{"11.5", 11}, {"21.9", 21}, {"1.01e2", 101}, {"11 3", 11},
                                                 {"11x", -1}};
  for (const auto& [t, n] : puntos) QTest::newRow(qPrintable("points '" + t + "'")) << "puntos" << t << n;
}

// Each count text, in its place in a problem file, read by the window's Open
// and by calculos: both take the same count, or both refuse the file. Save
// then writes it as read, and calculos reads the saved file alike.
void PruebaConservar::recuentos_como_el_motor() {
  QFETCH(QString, campo);
  QFETCH(QString, texto);
  QFETCH(int, esperado);
  prueba::Problema p;
  // calculos reads the shipped language file, and so does the window.
  QFile::remove(p.carpeta.ruta("idioma.lng"));
  QVERIFY(QFile::copy(DATA_DIR "/idioma.lng", p.carpeta.ruta("idioma.lng")));
  idiomas::carga_idiomas();
  QVERIFY(QFile::copy(CALCULOS_EXE, p.carpeta.ruta("calculos")));

  const auto valor = [&](const QString& de, const QString& otro) { return campo == de ? texto : otro; };
  QStringList l = {"****** DATOS:",
                   "T = recuentos",
                   "M = 1.000",
                   "B = " + valor("base", "4"),
                   "Z = " + valor("zonas", "1"),
                   "P = " + valor("puntos", "11"),
                   "****** ZONAS:"};
  if (campo == "zonas") {
    // Ten constant zones of length 1.
    for (int i = 1; i <= 10; ++i)
      l += {"t = 1", "a = " + QString::number(i - 1), "b = " + QString::number(i), "V = 0.5", "---"};
  } else {
    // A polygon through four vertices from 0 to 10.
    l += {"t = " + valor("tipo", "2"), "a = 0", "b = 10", "n = " + valor("vertices", "4")};
    for (const auto& [x, v] : {std::pair{"0", "5"}, {"2", "0"}, {"4", "1"}, {"10", "5"}})
      l += {QString("x = ") + x, QString("v = ") + v};
    l += "---";
  }
  p.carpeta.escribir("cuenta.dat", crlf(l));

  const Leido motor = por_el_motor(p.carpeta, "cuenta.dat");
  const Leido ventana = por_la_ventana(p, "cuenta.dat");
  auto de = [&campo](const Leido& x) {
    return campo == "zonas" ? x.zonas : campo == "vertices" ? x.vertices : campo == "tipo" ? x.tipo
                              : campo == "base"              ? x.base
                                                             : x.puntos;
  };
  QCOMPARE(de(ventana), esperado);
  QCOMPARE(de(motor), esperado);
  if (esperado < 0) return;
  QCOMPARE(ventana.zonas, motor.zonas);
  QCOMPARE(ventana.tipo, motor.tipo);
  QCOMPARE(ventana.vertices, motor.vertices);
  QCOMPARE(ventana.base, motor.base);
  QCOMPARE(ventana.puntos, motor.puntos);

  // The file saved holds the count as read, and the engine reads it alike.
  p.f().mnuFileSave_Click();
  QVERIFY(!global::modificado);
  const Leido guardado = por_el_motor(p.carpeta, "cuenta.dat");
  QCOMPARE(de(guardado), esperado);
  QCOMPARE(guardado.zonas, motor.zonas);
}

QTEST_MAIN(PruebaConservar)
#include "conservar_fichero_test.moc"
