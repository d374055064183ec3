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
#include <cerrno>
#include <csignal>
#include <sys/resource.h>

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

using prueba::SinSitio;

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
  void fuera_de_la_carpeta_pregunta();
  void guardar_con_nombre_no_pregunta();
  void fichero_que_no_se_puede_escribir();
  void nuevo_con_cambios_data();
  void nuevo_con_cambios();
  void fichero_danado_data();
  void fichero_danado();
  void salir_de_un_fichero_danado();
  void fichero_que_no_se_abre();
  void mensaje_real_de_un_fichero_danado();
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
  // The save question (answered No), then the dialog was cancelled: the
  // problem stays as it was.
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, QString("en40"));
  QCOMPARE(p.d().txttitulo->text(), QString("cambiado"));
  QCOMPARE(global::archivo, QString());
  QVERIFY(global::modificado);
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

// Any existing file that Save As would replace is asked about, in another
// folder or with another extension too.
void PruebaFicheros::fuera_de_la_carpeta_pregunta() {
  prueba::Problema p;
  QDir(p.carpeta.ruta(".")).mkdir("otra");
  p.carpeta.escribir("otra/fuera.dat", "viejo\r\n");
  p.carpeta.escribir("fuera.txt", "viejo\r\n");
  prueba::Guion guion({vbYes, vbYes});
  guardar_como(p, "otra/fuera.dat");
  guardar_como(p, "fuera.txt");
  QCOMPARE(guion.cajas.size(), qsizetype(2));
  QCOMPARE(guion.cajas[0].texto, QString("en44"));
  QCOMPARE(guion.cajas[1].texto, QString("en44"));
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
  {
    // The file system takes no more than a few bytes of a file.
    const SinSitio sin_sitio;
    p.f().mnuFileSave_Click();
  }
  QCOMPARE(guion.cajas.size(), qsizetype(2));
  QVERIFY2(guion.cajas[1].texto.endsWith("\n" + qt_error_string(EFBIG)), qPrintable(guion.cajas[1].texto));
  QCOMPARE(QDir(p.carpeta.ruta(".")).entryList(QDir::Files).filter("BUENO"), QStringList{"BUENO.DAT"});
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

namespace {

QString f3(double v) { return QString::number(v, 'f', 3); }

// The problem as the window shows it, in the lines a problem file written
// with the test language holds: the boxes, and for each zone the type its
// combo shows, the limits its labels show and the parameters its dialog
// shows (the drawn line for a constant or polygonal zone).
QStringList lo_que_muestra(frmdatos& d) {
  QStringList l{"****** en45:",
                "en46 = " + d.txttitulo->text(),
                "en47 (u.a.) = " + f3(d.txtmasa->text().toDouble()),
                "en48 = " + d.txtfb->text(),
                "en49 = " + d.txtzonas->text(),
                "en50 = " + d.txtpuntos->text(),
                "****** en51:"};
  const int n = d.txtzonas->text().toInt();
  for (int k = 0; k < n; ++k) {
    const QString i = QString::number(k + 1);
    const int tipo = d.cmbpotencial(k)->currentIndex();
    const global::tzona& z = zonas[k];
    l << "en52 " + i + " = " + QString::number(tipo + 1);
    l << "en53 " + i + " = " + d.lblintervalo(k)->text();
    l << "en54 " + i + " = " + d.lblintervalo(k + 1 < n ? k + 1 : 10)->text();
    switch (tipo) {
      case 0: l << "en55 = " + f3(z.curva(1).y); break;
      case 1:
        l << "en56 " + i + " = " + f3(z.ncurva);
        for (int j = 1; j <= z.ncurva; ++j) {
          l << QString("en57(%1) = ").arg(j) + f3(z.curva(j).x);
          l << QString("en58(%1) = ").arg(j) + f3(z.curva(j).y);
        }
        break;
      case 2:
        l << "en59 = " + f3(z.x0) << "en55 = " + f3(z.coeficientes(0)) << "en60 = " + f3(z.coeficientes(2))
          << "en61 = " + f3(z.coeficientes(3)) << "en62 = " + f3(z.coeficientes(4));
        break;
      default:
        for (int c : {0, 1, 2, 3, 4, 5, 6, -1, -2, -3, -4, -5, -6})
          l << QString("en63(%1) = ").arg(c) + f3(z.coeficientes(c));
    }
    l << "-----------------------------";
  }
  return l;
}

// A problem file in the test language: the header lines with these values,
// then the zone lines.
QByteArray fichero(const QStringList& cabecera, const QStringList& zonas_texto) {
  const QStringList rotulos{"en46", "en47 (u.a.)", "en48", "en49", "en50"};
  QStringList l{"****** en45:"};
  for (int i = 0; i < 5; ++i) l << rotulos[i] + " = " + cabecera[i];
  l << "****** en51:";
  return crlf(l + zonas_texto);
}

QStringList constante(int i, double a, double b, double v) {
  const QString n = QString::number(i);
  return {"en52 " + n + " = 1", "en53 " + n + " = " + f3(a), "en54 " + n + " = " + f3(b), "en55 = " + f3(v),
          "-----------------------------"};
}

}  // namespace

// Files that cannot be read to the end: the window keeps what was read, says
// where reading stopped, and holds an untitled, modified problem whose Save
// writes exactly what the window shows, under a new name.
void PruebaFicheros::fichero_danado_data() {
  QTest::addColumn<QByteArray>("contenido");
  QTest::addColumn<int>("linea");
  QTest::addColumn<QString>("esperado");
  QTest::addColumn<QString>("tira");  // the limits on the strip
  const QStringList cabeza{"roto", "1.000", "10", "4", "11"};
  auto con = [&](int zonas_dichas) {
    QStringList c = cabeza;
    c[3] = QString::number(zonas_dichas);
    return c;
  };
  const QStringList cuatro = constante(1, 0, 2.5, 1) + constante(2, 2.5, 5, -1) + constante(3, 5, 7.5, 2) +
                             constante(4, 7.5, 10, 0);
  QTest::newRow("cut inside zone 3") << fichero(cabeza, cuatro.mid(0, 12)) << 20 << "en54 3"
                                     << "0.000 2.500 5.000 10.000";
  QTest::newRow("cut after zone 2's type line") << fichero(cabeza, cuatro.mid(0, 6)) << 14 << "en53 2"
                                                << "0.000 2.500 10.000";
  QTest::newRow("cut before a V0") << fichero(con(1), cuatro.mid(0, 3)) << 11 << "en55" << "0.000 2.500";
  QTest::newRow("no dash line at the end") << fichero(con(1), cuatro.mid(0, 4)) << 12
                                           << "-----------------------------" << "0.000 2.500";
  const QStringList poligono{"en52 1 = 2", "en53 1 = 0.000", "en54 1 = 4.000", "en56 1 = 4.000",
                             "en57(1) = 0.000", "en58(1) = 1.000", "en57(2) = 1.000", "en58(2) = 2.000",
                             "en57(3) = 2.000", "en58(3) = 3.000", "en57(4) = 4.000", "en58(4) = 0.000",
                             "-----------------------------"};
  QTest::newRow("cut inside a polygon") << fichero(con(1), poligono.mid(0, 9)) << 17 << "en58(3)" << "0.000 4.000";
  QStringList cuarenta_mil = poligono;
  cuarenta_mil[2] = "en54 1 = 7.000";
  cuarenta_mil[3] = "en56 1 = 40000";
  QTest::newRow("a vertex count of 40000") << fichero(con(1), cuarenta_mil) << 11 << "en56 1" << "0.000 7.000";
  const QStringList vibracion{"en52 2 = 3", "en53 2 = 2.500", "en54 2 = 10.000", "en59 = 6.000", "en55 = -1.000",
                              "en60 = 0.500", "en61 = 0.100"};
  QTest::newRow("cut inside a vibration") << fichero(con(2), constante(1, 0, 2.5, 1) + vibracion.mid(0, 6)) << 19
                                          << "en61" << "0.000 2.500 10.000";
  QStringList potencias{"en52 1 = 4", "en53 1 = 1.000", "en54 1 = 3.000"};
  for (int c : {0, 1, 2, 3, 4}) potencias << QString("en63(%1) = %2.000").arg(c).arg(c + 1);
  QTest::newRow("cut inside a power series") << fichero(con(1), potencias) << 16 << "en63(5)" << "1.000 3.000";
  QStringList once;
  for (int i = 1; i <= 11; ++i) once += constante(i, i - 1, i, 0.5);
  QTest::newRow("a zone count of 11") << fichero(con(11), once) << 5 << "en49 (1 - 10)"
                                      << "0.000 1.000 2.000 3.000 4.000 5.000 6.000 7.000 8.000 9.000 10.000";
  QTest::newRow("a zone count of 0") << fichero(con(0), cuatro) << 5 << "en49 (1 - 10)" << "0.000 10.000";
  QStringList abc = constante(1, 0, 5, 1) + constante(2, 5, 10, 2);
  abc[2] = "en54 1 = abc";
  QTest::newRow("abc as zone 1's right limit") << fichero(con(2), abc) << 10 << "en54 1" << "0.000 10.000";
  QStringList tipo7 = cuatro.mid(0, 10);
  tipo7[5] = "en52 2 = 7";
  QTest::newRow("type code 7") << fichero(con(2), tipo7) << 13 << "en52 2 (1 - 4)" << "0.000 2.500 10.000";
  QStringList masa = cabeza, fb = cabeza, zonas_abc = cabeza, puntos = cabeza;
  masa[1] = "abc";
  fb[2] = "diez";
  zonas_abc[3] = "cuatro";
  puntos[4] = "1001x";
  QTest::newRow("letters in the mass") << fichero(masa, cuatro) << 3 << "en47 (u.a.)" << "0.000 10.000";
  QTest::newRow("letters in the basis size") << fichero(fb, cuatro) << 4 << "en48" << "0.000 10.000";
  QTest::newRow("letters in the zone count") << fichero(zonas_abc, cuatro) << 5 << "en49 (1 - 10)" << "0.000 10.000";
  QTest::newRow("letters in the points") << fichero(puntos, cuatro) << 6 << "en50" << "0.000 10.000";
  // Numbers that Save would write on a line longer than the engines read.
  QStringList masa_larga = cabeza;
  masa_larga[1] = "1e100";
  QTest::newRow("a mass too long for its line") << fichero(masa_larga, cuatro) << 3 << "en47 (u.a.)" << "0.000 10.000";
  QStringList v0_largo = cuatro.mid(0, 4);
  v0_largo[3] = "en55 = 1e100";
  QTest::newRow("a V0 too long for its line") << fichero(con(1), v0_largo) << 11 << "en55" << "0.000 2.500";
  QTest::newRow("ends in the header") << QByteArray("****** en45:\r\nen46 = roto\r\n") << 3 << "en47 (u.a.)"
                                      << "0.000 10.000";
}

void PruebaFicheros::fichero_danado() {
  QFETCH(QByteArray, contenido);
  QFETCH(int, linea);
  QFETCH(QString, esperado);
  QFETCH(QString, tira);
  prueba::Problema p;
  p.carpeta.escribir("roto.dat", contenido);
  {
    prueba::Guion guion;
    prueba::GuionDialogos dialogos({p.carpeta.ruta("roto.dat")});
    p.f().mnuFileOpen_Click();
    QCOMPARE(guion.cajas.size(), qsizetype(1));
    QCOMPARE(guion.cajas[0].texto, prueba::aviso_de_fichero_danado(p.carpeta.ruta("roto.dat"), linea, esperado));
    QCOMPARE(guion.cajas[0].estilo, plataforma::vbCritical);
  }
  // Untitled and modified: Save asks for a name, Run waits for one.
  QCOMPARE(global::archivo, QString());
  QVERIFY(global::modificado);
  QCOMPARE(p.f().windowTitle(), QString("Tarvo-Olvex-(Sin Título)*"));
  QCOMPARE(estados(p.f()), QString("10000"));
  frmdatos& d = p.d();
  QStringList etiquetas;
  for (int k = 0; k < nzonas; ++k) etiquetas << d.lblintervalo(k)->text();
  QCOMPARE((etiquetas << d.lblintervalo(10)->text()).join(' '), tira);
  QCOMPARE(d.txtzonas->text(), QString::number(nzonas));
  // The strip is laid out from what was read: the last zone reaches the strip's end.
  QCOMPARE(editor::Left(d.pctzona(nzonas - 1)) + editor::Width(d.pctzona(nzonas - 1)), double(d.borde_derecho));
  const QStringList en_pantalla = lo_que_muestra(d);

  {
    prueba::Guion guion;
    prueba::GuionDialogos dialogos({p.carpeta.ruta("arreglado.dat")});
    p.f().mnuFileSave_Click();
    QCOMPARE(dialogos.peticiones.size(), qsizetype(1));
    QVERIFY(dialogos.peticiones[0].tipo == plataforma::DialogoComun::Tipo::Guardar);
    QVERIFY(guion.cajas.isEmpty());
  }
  QCOMPARE(p.carpeta.leer("roto.dat"), contenido);
  QCOMPARE(plataforma::desde_1252(p.carpeta.leer("ARREGLADO.DAT")).split("\r\n").mid(0, en_pantalla.size()),
           en_pantalla);
  QCOMPARE(p.carpeta.leer("ARREGLADO.DAT"), crlf(en_pantalla));
  QCOMPARE(global::archivo, p.carpeta.ruta("ARREGLADO.DAT"));
  QCOMPARE(estados(p.f()), QString("01100"));

  // The saved problem reads back whole and shows the same.
  prueba::Guion guion;
  abrir(p, "ARREGLADO.DAT");
  QVERIFY(guion.cajas.isEmpty());
  QVERIFY(!global::modificado);
  QCOMPARE(lo_que_muestra(p.d()), en_pantalla);
  // The spinner answers its first press.
  const int antes = nzonas;
  if (antes < 10) {
    prueba::subir_zonas(p.d());
    QCOMPARE(int(nzonas), antes + 1);
  }
}

// Leaving a damaged file's problem asks first, and Yes saves under a new
// name: the damaged file is never written.
void PruebaFicheros::salir_de_un_fichero_danado() {
  prueba::Problema p;
  const QByteArray roto = fichero({"roto", "1.000", "10", "2", "11"}, constante(1, 0, 5, 1));
  p.carpeta.escribir("roto.dat", roto);
  {
    prueba::Guion guion;
    prueba::GuionDialogos dialogos({p.carpeta.ruta("roto.dat")});
    p.f().mnuFileOpen_Click();
  }
  prueba::Guion guion({vbYes});
  prueba::GuionDialogos dialogos({QString()});
  p.f().mnuFileNew_Click();
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, QString("en40"));
  QCOMPARE(dialogos.peticiones.size(), qsizetype(1));
  QVERIFY(dialogos.peticiones[0].tipo == plataforma::DialogoComun::Tipo::Guardar);
  // The Save dialog was cancelled: the problem stays as it was.
  QCOMPARE(p.d().txttitulo->text(), QString("roto"));
  QVERIFY(global::modificado);
  QCOMPARE(p.carpeta.leer("roto.dat"), roto);
  QCOMPARE(dat_de(p.carpeta), QStringList({"roto.dat"}));
}

// A file that cannot be opened at all (here a folder) is said so with the
// system's reason; the window keeps the problem it had.
void PruebaFicheros::fichero_que_no_se_abre() {
  prueba::Problema p;
  p.carpeta.idioma(prueba::idiomas_editor() + "225=en225\r\n");
  p.d().txttitulo->setText("el de antes");
  QDir(p.carpeta.ruta(".")).mkdir("carpeta.dat");
  prueba::Guion guion({vbNo});
  prueba::GuionDialogos dialogos({p.carpeta.ruta("carpeta.dat")});
  p.f().mnuFileOpen_Click();
  QCOMPARE(guion.cajas.size(), qsizetype(2));
  QVERIFY2(guion.cajas[1].texto.startsWith("en225\n\n" + QDir::toNativeSeparators(p.carpeta.ruta("carpeta.dat")) + "\n"),
           qPrintable(guion.cajas[1].texto));
  QCOMPARE(global::archivo, QString());
  QVERIFY(global::modificado);
  QCOMPARE(p.d().txttitulo->text(), QString("el de antes"));
  QCOMPARE(int(nzonas), 1);
  QCOMPARE(p.d().lblintervalo(10)->text(), QString("10.000"));
}

// The message through the real message box: it names the file and the line.
void PruebaFicheros::mensaje_real_de_un_fichero_danado() {
  prueba::Problema p;
  p.carpeta.escribir("roto.dat", fichero({"roto", "1.000", "10", "1", "11"}, constante(1, 0, 5, 1).mid(0, 2)));
  QString visto;
  prueba::aceptar_caja_real(500, visto);
  prueba::GuionDialogos dialogos({p.carpeta.ruta("roto.dat")});
  p.f().mnuFileOpen_Click();
  QVERIFY2(visto.contains(QDir::toNativeSeparators(p.carpeta.ruta("roto.dat"))), qPrintable(visto));
  QVERIFY2(visto.endsWith("en222 10, en223: en54 1"), qPrintable(visto));
  QCOMPARE(global::archivo, QString());
  QVERIFY(global::modificado);
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
