// Problem files: the writer's lines, the reader, New, Open, Save and Save As
// with their questions and dialogs.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QtTest>

#include "comun.hpp"
#include "editor/frmdatos.hpp"
#include "platform/lienzo.hpp"
#include "editor/posicion.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "platform/app.hpp"
#include "platform/dialogos.hpp"
#include "platform/mensajes.hpp"
#include "platform/texto1252.hpp"
#include "platform/vb.hpp"

using global::nzonas;
using global::zonas;
using plataforma::vbCancel;
using plataforma::vbNo;
using plataforma::vbYes;

namespace {

QString estados(frmMain& f) {
  QString s;
  for (const char* clave : {"Guardar", "Ejecutar", "EditarD", "EditarR", "EditarG"})
    s += f.tbToolBar_Buttons(clave)->isEnabled() ? '1' : '0';
  return s;
}

QByteArray crlf(const QStringList& lineas) { return plataforma::a_1252(lineas.join("\r\n") + "\r\n"); }

const QStringList cabecera_inicial = {
    "****** en45:", "en46 = ", "en47 (u.a.) = 1.000", "en48 = 10", "en49 = 1", "en50 = 1001", "****** en51:",
};

// The lines of the file from the first zone's type line on.
QStringList lineas_de_zonas(const QByteArray& fichero) {
  QStringList l = plataforma::desde_1252(fichero).split("\r\n");
  l.removeLast();
  return l.mid(7);
}

// Saves the problem through Save As under a name of the program folder.
void guardar_como(prueba::Problema& p, const QString& nombre) {
  prueba::GuionDialogos dialogos({p.carpeta.ruta(nombre)});
  p.f().mnuFileSaveAs_Click();
}

// Opens a file of the program folder through Open (answering No to a save question).
void abrir(prueba::Problema& p, const QString& nombre) {
  prueba::GuionDialogos dialogos({p.carpeta.ruta(nombre)});
  prueba::Guion guion({vbNo});
  p.f().mnuFileOpen_Click();
}

QStringList dat_de(const prueba::Carpeta& c) {
  return QDir(c.ruta(".")).entryList({"*.dat"}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

}  // namespace

class PruebaFicheros : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar(); }
  void una_zona_constante();
  void lineas_por_tipo_data();
  void lineas_por_tipo();
  void titulo_con_comas_y_comillas();
  void ida_y_vuelta();
  void lineas_con_lf();
  void dialogo_de_abrir();
  void abrir_cancelado();
  void guardar_como_sobre_uno_existente_data();
  void guardar_como_sobre_uno_existente();
  void fuera_de_la_carpeta_no_pregunta();
  void guardar_con_nombre_no_pregunta();
  void fichero_que_no_se_puede_escribir();
  void nuevo_con_cambios_data();
  void nuevo_con_cambios();
  void lectura_fallida_data();
  void lectura_fallida();
  void leedato_data();
  void leedato();
  void filtro_del_dialogo();
};

void PruebaFicheros::una_zona_constante() {
  prueba::Problema p;
  prueba::GuionDialogos dialogos({p.carpeta.ruta("caja.dat")});
  p.f().mnuFileSaveAs_Click();

  QCOMPARE(dialogos.peticiones.size(), qsizetype(1));
  const auto& pedido = dialogos.peticiones[0];
  QVERIFY(pedido.tipo == plataforma::DialogoComun::Tipo::Guardar);
  QCOMPARE(pedido.titulo, QString("en9"));
  QCOMPARE(pedido.filtro, QString("en42 (*.dat)|*.dat"));
  QCOMPARE(pedido.indice, 1);
  QCOMPARE(pedido.carpeta, plataforma::App::Path());

  // The name in capitals; the folders as they are.
  QCOMPARE(dat_de(p.carpeta), QStringList({"CAJA.DAT"}));
  QCOMPARE(p.carpeta.leer("CAJA.DAT"),
           crlf(cabecera_inicial + QStringList{"en52 1 = 1", "en53 1 = 0.000", "en54 1 = 10.000", "en55 = 0.000",
                                                "-----------------------------"}));
  QCOMPARE(global::archivo, p.carpeta.ruta("CAJA.DAT"));
  QVERIFY(!global::modificado);
  QCOMPARE(p.f().windowTitle(), QString("Tarvo-Olvex-CAJA.DAT"));
  QCOMPARE(estados(p.f()), QString("01100"));
  QVERIFY(!p.carpeta.existe("CAJA.DAT.tmp"));
}

void PruebaFicheros::lineas_por_tipo_data() {
  QTest::addColumn<int>("tipo");
  QTest::addColumn<QStringList>("lineas");
  QTest::newRow("polygonal") << 1
                             << QStringList{"en52 1 = 2",      "en53 1 = 0.000",   "en54 1 = 10.000",
                                            "en56 1 = 3.000",  "en57(1) = 0.000",  "en58(1) = 1.000",
                                            "en57(2) = 4.500", "en58(2) = -0.250", "en57(3) = 10.000",
                                            "en58(3) = 2.000", "-----------------------------"};
  QTest::newRow("vibration") << 2
                             << QStringList{"en52 1 = 3",    "en53 1 = 0.000", "en54 1 = 10.000", "en59 = 5.000",
                                            "en55 = -1.000", "en60 = 2.000",   "en61 = 0.125",    "en62 = -0.500",
                                            "-----------------------------"};
  QStringList potencias{"en52 1 = 4", "en53 1 = 0.000", "en54 1 = 10.000"};
  for (int k : {0, 1, 2, 3, 4, 5, 6, -1, -2, -3, -4, -5, -6})
    potencias << QString("en63(%1) = %2.000").arg(k).arg(k == 0 ? 7 : k);
  potencias << "-----------------------------";
  QTest::newRow("power series") << 3 << potencias;
}

void PruebaFicheros::lineas_por_tipo() {
  QFETCH(int, tipo);
  QFETCH(QStringList, lineas);
  prueba::Problema p;
  auto& z = zonas[0];
  p.d().fijar_ListIndex(0, tipo);
  z.x0 = 5;
  for (int k = -6; k <= 6; ++k) z.coeficientes(k) = k == 0 ? 7 : k;
  if (tipo == 2) {
    z.coeficientes(0) = -1;
    z.coeficientes(3) = 0.125;
    z.coeficientes(4) = -0.5;
  }
  z.nvertices = 3;
  z.vertices.redim_preserve(3);
  z.vertices(1) = {0, 1};
  z.vertices(2) = {4.5, -0.25};
  z.vertices(3) = {10, 2};
  guardar_como(p, "tipo.dat");
  QCOMPARE(lineas_de_zonas(p.carpeta.leer("TIPO.DAT")), lineas);
  // The power series: the seventh coefficient line is k = 6, the eighth k = -1.
  if (tipo == 3) {
    QVERIFY(lineas[3 + 6].startsWith("en63(6) = "));
    QVERIFY(lineas[3 + 7].startsWith("en63(-1) = "));
  }
}

void PruebaFicheros::titulo_con_comas_y_comillas() {
  prueba::Problema p;
  const QString titulo = "Pozo \"doble\", a=1, 'b'; ñ";
  p.d().txttitulo->setText(titulo);
  guardar_como(p, "titulo.dat");
  abrir(p, "TITULO.DAT");
  QCOMPARE(p.d().txttitulo->text(), titulo);
  QCOMPARE(global::archivo, p.carpeta.ruta("TITULO.DAT"));
}

void PruebaFicheros::ida_y_vuelta() {
  prueba::Problema p;
  frmdatos& d = p.d();
  prueba::subir_zonas(d, 3);
  d.txttitulo->setText("Cuatro zonas");
  d.txtmasa->setText("1836.15");
  d.txtfb->setText("40");
  d.txtpuntos->setText("2001");
  const double limites[] = {0, 3.25, 12.8, 15.5, 20};
  for (int k = 0; k < 4; ++k) {
    zonas[k].xini = limites[k];
    zonas[k].xfin = limites[k + 1];
  }
  d.lblintervalo(10)->setText("20.000");
  d.fijar_ListIndex(0, 1);
  zonas[0].nvertices = 3;
  zonas[0].vertices.redim_preserve(3);
  zonas[0].vertices(1) = {0, 1};
  zonas[0].vertices(2) = {1.5, -2.125};
  zonas[0].vertices(3) = {3.25, 0.5};
  d.fijar_ListIndex(1, 2);
  zonas[1].x0 = 8;
  zonas[1].coeficientes(0) = -1;
  zonas[1].coeficientes(2) = 0.75;
  zonas[1].coeficientes(3) = 0.1;
  zonas[1].coeficientes(4) = -0.05;
  d.fijar_ListIndex(2, 3);
  for (int k = -6; k <= 6; ++k) zonas[2].coeficientes(k) = k * 0.5 + 0.125;
  d.fijar_ListIndex(3, 0);
  zonas[3].coeficientes(0) = 2.345;
  d.pinta_zonas();
  guardar_como(p, "cuatro.dat");

  // Everything is read back into a fresh window.
  abrir(p, "CUATRO.DAT");
  frmdatos& e = p.d();
  QCOMPARE(e.txttitulo->text(), QString("Cuatro zonas"));
  QCOMPARE(e.txtmasa->text(), QString("1836.150"));
  QCOMPARE(e.txtfb->text(), QString("40"));
  QCOMPARE(e.txtzonas->text(), QString("4"));
  QCOMPARE(e.txtpuntos->text(), QString("2001"));
  QCOMPARE(int(nzonas), 4);
  for (int k = 0; k < 4; ++k) {
    QCOMPARE(zonas[k].xini, limites[k]);
    QCOMPARE(zonas[k].xfin, limites[k + 1]);
    QCOMPARE(e.cmbpotencial(k)->currentIndex(), int(zonas[k].tipo));
    QCOMPARE(e.lblintervalo(k)->text(), plataforma::Format(limites[k], u"####0.000"));
  }
  QCOMPARE(e.lblintervalo(10)->text(), QString("20.000"));
  QCOMPARE(int(zonas[0].tipo), 1);
  QCOMPARE(int(zonas[0].nvertices), 3);
  QCOMPARE(zonas[0].vertices(2).x, 1.5);
  QCOMPARE(zonas[0].vertices(2).y, -2.125);
  QCOMPARE(zonas[0].vertices(3).y, 0.5);
  QCOMPARE(int(zonas[1].tipo), 2);
  QCOMPARE(zonas[1].x0, 8.0);
  QCOMPARE(zonas[1].coeficientes(0), -1.0);
  QCOMPARE(zonas[1].coeficientes(2), 0.75);
  QCOMPARE(zonas[1].coeficientes(3), 0.1);
  QCOMPARE(zonas[1].coeficientes(4), -0.05);
  QCOMPARE(int(zonas[2].tipo), 3);
  for (int k = -6; k <= 6; ++k) QCOMPARE(zonas[2].coeficientes(k), k * 0.5 + 0.125);
  QCOMPARE(int(zonas[3].tipo), 0);
  QCOMPARE(zonas[3].coeficientes(0), 2.345);
  QCOMPARE(zonas[3].vertices(1).y, 2.345);
  QCOMPARE(zonas[3].vertices(2).x, 20.0);
  // The strip spans the box of the file.
  QCOMPARE(editor::Left(e.pctzona(1)), frmdatos::interpola(3.25, 0, 20, 500, 10495));
  QCOMPARE(editor::Left(e.pctzona(3)) + editor::Width(e.pctzona(3)), 10495.0);

  QVERIFY(!global::modificado);
  QCOMPARE(p.f().windowTitle(), QString("Tarvo-Olvex-CUATRO.DAT"));
  QCOMPARE(estados(p.f()), QString("01100"));
  // The spinner works from the loaded count.
  prueba::subir_zonas(e);
  QCOMPARE(int(nzonas), 5);
  QCOMPARE(zonas[4].xini, (20 + 15.5) / 2);
}

void PruebaFicheros::lineas_con_lf() {
  prueba::Problema p;
  p.carpeta.escribir("lf.dat", "* x:\nT = lf\nM (u.a.) = 2\nN = 12\nZ = 2\nP = 101\n* y:\n"
                               "t 1 = 1\na 1 = -2\nb 1 = 1\nV = 0.5\n---\n"
                               "t 2 = 1\na 2 = 1\nb 2 = 3\nV = -0.5\n---\n");
  abrir(p, "lf.dat");
  QCOMPARE(p.d().txttitulo->text(), QString("lf"));
  QCOMPARE(p.d().txtmasa->text(), QString("2"));
  QCOMPARE(int(nzonas), 2);
  QCOMPARE(zonas[0].xini, -2.0);
  QCOMPARE(zonas[1].xfin, 3.0);
  QCOMPARE(zonas[1].vertices(1).y, -0.5);
  QCOMPARE(p.d().lblintervalo(0)->text(), QString("-2.000"));
  QCOMPARE(p.d().lblintervalo(10)->text(), QString("3.000"));
  QCOMPARE(global::archivo, p.carpeta.ruta("lf.dat"));
}

void PruebaFicheros::dialogo_de_abrir() {
  prueba::Problema p;
  prueba::GuionDialogos dialogos;
  p.f().mnuFileOpen_Click();
  QCOMPARE(dialogos.peticiones.size(), qsizetype(1));
  const auto& pedido = dialogos.peticiones[0];
  QVERIFY(pedido.tipo == plataforma::DialogoComun::Tipo::Abrir);
  QCOMPARE(pedido.titulo, QString("en7"));
  QCOMPARE(pedido.filtro, QString("en42 (*.dat)|*.dat|en64 (*.*)|*.*"));
  QCOMPARE(pedido.indice, 1);
  QCOMPARE(pedido.carpeta, plataforma::App::Path());
}

void PruebaFicheros::abrir_cancelado() {
  prueba::Problema p;
  p.d().txttitulo->setText("cambiado");
  prueba::Guion guion({vbNo});
  prueba::GuionDialogos dialogos;
  p.f().mnuFileOpen_Click();
  // New ran (its question answered No), then the dialog was cancelled.
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, QString("en40"));
  QCOMPARE(p.d().txttitulo->text(), QString(""));
  QCOMPARE(global::archivo, QString());
  QCOMPARE(p.f().windowTitle(), QString("Tarvo-Olvex-(Sin Título)*"));
  QCOMPARE(p.f().mdiArea->subWindowList().size(), qsizetype(1));
}

void PruebaFicheros::guardar_como_sobre_uno_existente_data() {
  QTest::addColumn<int>("respuesta");
  QTest::newRow("Yes") << vbYes;
  QTest::newRow("No") << vbNo;
  QTest::newRow("Cancel") << vbCancel;
}

void PruebaFicheros::guardar_como_sobre_uno_existente() {
  QFETCH(int, respuesta);
  prueba::Problema p;
  p.carpeta.escribir("pozo.dat", "viejo\r\n");
  p.d().txttitulo->setText("nuevo");
  prueba::GuionDialogos dialogos({p.carpeta.ruta("pozo.dat"), p.carpeta.ruta("otro.dat")});
  prueba::Guion guion({respuesta});
  p.f().mnuFileSaveAs_Click();

  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, QString("en44"));
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbYesNoCancel + plataforma::vbQuestion);
  QCOMPARE(guion.cajas[0].titulo, QString(""));
  if (respuesta == vbYes) {
    // The existing file is replaced: no second file of that name.
    QCOMPARE(dat_de(p.carpeta), QStringList({"pozo.dat"}));
    QVERIFY(p.carpeta.leer("pozo.dat").startsWith("****** en45:\r\nen46 = nuevo\r\n"));
    QCOMPARE(global::archivo, p.carpeta.ruta("POZO.DAT"));
    QCOMPARE(p.f().windowTitle(), QString("Tarvo-Olvex-POZO.DAT"));
    QVERIFY(!global::modificado);
    QCOMPARE(dialogos.peticiones.size(), qsizetype(1));
  } else if (respuesta == vbNo) {
    QCOMPARE(dialogos.peticiones.size(), qsizetype(2));
    QCOMPARE(dat_de(p.carpeta), QStringList({"OTRO.DAT", "pozo.dat"}));
    QCOMPARE(p.carpeta.leer("pozo.dat"), QByteArray("viejo\r\n"));
    QCOMPARE(global::archivo, p.carpeta.ruta("OTRO.DAT"));
    QVERIFY(!global::modificado);
  } else {
    QCOMPARE(dialogos.peticiones.size(), qsizetype(1));
    QCOMPARE(dat_de(p.carpeta), QStringList({"pozo.dat"}));
    QCOMPARE(p.carpeta.leer("pozo.dat"), QByteArray("viejo\r\n"));
    QCOMPARE(global::archivo, QString());
    QVERIFY(global::modificado);
    QCOMPARE(p.f().windowTitle(), QString("Tarvo-Olvex-(Sin Título)*"));
  }
}

void PruebaFicheros::fuera_de_la_carpeta_no_pregunta() {
  prueba::Problema p;
  QDir(p.carpeta.ruta(".")).mkdir("otra");
  p.carpeta.escribir("otra/fuera.dat", "viejo\r\n");
  p.carpeta.escribir("fuera.txt", "viejo\r\n");
  prueba::Guion guion;
  guardar_como(p, "otra/fuera.dat");
  guardar_como(p, "fuera.txt");
  QVERIFY(guion.cajas.isEmpty());
  QVERIFY(p.carpeta.leer("otra/fuera.dat").startsWith("****** en45:"));
  QVERIFY(p.carpeta.leer("fuera.txt").startsWith("****** en45:"));
  QCOMPARE(global::archivo, p.carpeta.ruta("FUERA.TXT"));
}

void PruebaFicheros::guardar_con_nombre_no_pregunta() {
  prueba::Problema p;
  guardar_como(p, "uno.dat");
  p.d().txtfb->setText("25");
  QVERIFY(global::modificado);
  prueba::Guion guion;
  prueba::GuionDialogos dialogos;
  p.f().mnuFileSave_Click();
  QVERIFY(guion.cajas.isEmpty());
  QVERIFY(dialogos.peticiones.isEmpty());
  QVERIFY(p.carpeta.leer("UNO.DAT").contains("en48 = 25\r\n"));
  QVERIFY(!global::modificado);
}

void PruebaFicheros::fichero_que_no_se_puede_escribir() {
  prueba::Problema p;
  p.d().txttitulo->setText("sin sitio");
  prueba::Guion guion;
  guardar_como(p, "no/existe.dat");
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QVERIFY(guion.cajas[0].texto.contains(QDir::toNativeSeparators(p.carpeta.ruta("no/EXISTE.DAT"))));
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbCritical);
  QVERIFY(global::modificado);
  QCOMPARE(global::archivo, QString());
  QCOMPARE(p.f().windowTitle(), QString("Tarvo-Olvex-(Sin Título)*"));
  QCOMPARE(estados(p.f()), QString("10000"));

  // Save onto a file that cannot be replaced: the old one stays whole.
  guardar_como(p, "bueno.dat");
  p.d().txttitulo->setText("otro");
  const QByteArray antes = p.carpeta.leer("BUENO.DAT");
  QDir(p.carpeta.ruta(".")).mkdir("BUENO.DAT.tmp");  // the temporary name is taken
  p.f().mnuFileSave_Click();
  QCOMPARE(guion.cajas.size(), qsizetype(2));
  QCOMPARE(p.carpeta.leer("BUENO.DAT"), antes);
  QVERIFY(global::modificado);
  QCOMPARE(global::archivo, p.carpeta.ruta("BUENO.DAT"));
}

void PruebaFicheros::nuevo_con_cambios_data() {
  QTest::addColumn<int>("respuesta");
  QTest::addColumn<QString>("dialogo");  // path chosen in Save As, "" for Cancel
  QTest::addColumn<bool>("reinicia");
  QTest::newRow("Yes saves through Save As") << vbYes << "a.dat" << true;
  QTest::newRow("Yes, Save As cancelled") << vbYes << "" << false;
  QTest::newRow("No discards") << vbNo << "" << true;
  QTest::newRow("Cancel keeps") << vbCancel << "" << false;
}

void PruebaFicheros::nuevo_con_cambios() {
  QFETCH(int, respuesta);
  QFETCH(QString, dialogo);
  QFETCH(bool, reinicia);
  prueba::Problema p;
  QTest::keyClicks(p.d().txttitulo, "cambios");
  // Watched, not compared by address: a fresh window may reuse the old one's memory.
  const QPointer<frmdatos> antes(&p.d());
  prueba::Guion guion({respuesta});
  prueba::GuionDialogos dialogos({dialogo.isEmpty() ? QString() : p.carpeta.ruta(dialogo)});
  p.f().mnuFileNew_Click();

  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, QString("en40"));
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbYesNoCancel + plataforma::vbQuestion);
  QCOMPARE(guion.cajas[0].titulo, QString(""));
  QCOMPARE(dialogos.peticiones.size(), qsizetype(respuesta == vbYes ? 1 : 0));
  QCOMPARE(p.carpeta.existe("A.DAT"), !dialogo.isEmpty());
  if (!dialogo.isEmpty()) QVERIFY(p.carpeta.leer("A.DAT").contains("en46 = cambios\r\n"));
  if (reinicia) {
    QVERIFY(antes.isNull());
    QCOMPARE(p.d().txttitulo->text(), QString(""));
    QCOMPARE(global::archivo, QString());
    QVERIFY(!global::modificado);
    QCOMPARE(p.f().windowTitle(), QString("Tarvo-Olvex-(Sin Título)*"));
  } else {
    QCOMPARE(&p.d(), antes.data());
    QCOMPARE(p.d().txttitulo->text(), QString("cambios"));
    QVERIFY(global::modificado);
  }
  QCOMPARE(p.f().mdiArea->subWindowList().size(), qsizetype(1));
}

// Files that the reader cannot take to the end: the load stops there.
void PruebaFicheros::lectura_fallida_data() {
  QTest::addColumn<QString>("contenido");
  QTest::addColumn<int>("zonas_leidas");
  QTest::addColumn<QString>("primer_fin");  // xfin of the first zone, as text
  const QString cabeza = "* x:\r\nT = roto\r\nM = 1\r\nN = 10\r\nZ = %1\r\nP = 11\r\n* y:\r\n";
  auto zona = [](int i) {
    return QString("t %1 = 1\r\na = %2\r\nb = %3\r\nV = 0\r\n---\r\n").arg(i).arg(i - 1).arg(i);
  };
  QTest::newRow("ends in zone 2") << cabeza.arg(2) + zona(1) + "t 2 = 1\r\na = 1\r\n" << 2 << "1";
  QString once = cabeza.arg(11);
  for (int i = 1; i <= 11; ++i) once += zona(i);
  QTest::newRow("eleven zones") << once << 10 << "1";
  QTest::newRow("type code 7") << cabeza.arg(2) + zona(1) + "t 2 = 7\r\na = 1\r\nb = 2\r\n---\r\n" << 2 << "1";
  QTest::newRow("no zones") << cabeza.arg(0) << 1 << "10";
  QTest::newRow("polygon of no vertex") << cabeza.arg(1) + "t 1 = 2\r\na = 0\r\nb = 4\r\nn = 0\r\n---\r\n" << 1 << "4";
  QTest::newRow("ends in the header") << QString("* x:\r\nT = roto\r\n") << 1 << "10";
}

void PruebaFicheros::lectura_fallida() {
  QFETCH(QString, contenido);
  QFETCH(int, zonas_leidas);
  QFETCH(QString, primer_fin);
  prueba::Problema p;
  p.carpeta.escribir("roto.dat", plataforma::a_1252(contenido));
  prueba::Guion guion;
  prueba::GuionDialogos dialogos({p.carpeta.ruta("roto.dat")});
  p.f().mnuFileOpen_Click();
  QVERIFY(guion.cajas.isEmpty());
  QCOMPARE(global::archivo, p.carpeta.ruta("roto.dat"));
  QVERIFY(!global::modificado);
  QCOMPARE(p.f().windowTitle(), QString("Tarvo-Olvex-roto.dat"));
  QCOMPARE(p.d().txttitulo->text(), QString("roto"));
  QCOMPARE(int(nzonas), zonas_leidas);
  QCOMPARE(QString::number(zonas[0].xfin), primer_fin);
  for (int k = 0; k < nzonas; ++k) QVERIFY(p.d().pctzona(k) != nullptr);
  QCOMPARE(p.d().txtzonas->text(), QString::number(zonas_leidas));
  // The spinner answers the first press after the failed load.
  const int antes = nzonas;
  prueba::Guion otra;
  if (antes < 10) {
    prueba::subir_zonas(p.d());
    QCOMPARE(int(nzonas), antes + 1);
  }
}

void PruebaFicheros::leedato_data() {
  QTest::addColumn<QString>("linea");
  QTest::addColumn<QString>("valor");
  QTest::newRow("label and value") << "Masa (u.a.) = 1.000" << "1.000";
  QTest::newRow("the first = counts") << "Título =  a = b  " << "a = b";
  QTest::newRow("no =") << "-----------------------------" << "";
  QTest::newRow("nothing after =") << "x =" << "";
  QTest::newRow("tabs stay") << "x =\t7 " << "\t7";
}

void PruebaFicheros::leedato() {
  QFETCH(QString, linea);
  QFETCH(QString, valor);
  QCOMPARE(frmMain::leedato(linea), valor);
}

void PruebaFicheros::filtro_del_dialogo() {
  QCOMPARE(plataforma::filtro_qt("en42 (*.dat)|*.dat|en64 (*.*)|*.*"), QString("en42 (*.dat);;en64 (*)"));
  QCOMPARE(plataforma::filtro_qt("Textos|*.txt;*.lst"), QString("Textos (*.txt *.lst)"));
}

QTEST_MAIN(PruebaFicheros)
#include "ficheros_problema_test.moc"
