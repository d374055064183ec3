// The graph-data dialog: its captions and defaults, the level checks, the
// plot-parameter file dib, and the run of the plotting program, with
// stand-in programs that record how they were called and leave a plot file.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "comun.hpp"
#include "editor/frmdatos.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "grafica_comun.hpp"
#include "platform/consola.hpp"
#include "platform/mensajes.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/frmprintgraf.hpp"
#include "viewer/graficos.hpp"

namespace {

struct Graficas : prueba::Problema {
  Graficas() {
    d().txtfb->setText("10");
    global::archivo = carpeta.ruta("P.DAT");
    prueba::Curva curva;
    curva.puntos = prueba::serie(5);
    carpeta.escribir("plantilla", prueba::grafica({curva}));
    for (const char* p : {"niveles", "funciones", "probs"}) {
      const char* grafica = QByteArray(p) == "niveles" ? "nivel" : QByteArray(p) == "funciones" ? "funcion" : "prob";
      const QString nombre = p;
      carpeta.escribir(nombre, QByteArray("#!/bin/sh\necho \"") + p + " $#:$1\" > llamada\ncp plantilla " +
                                   grafica + "\nexit 0\n");
      QFile::setPermissions(carpeta.ruta(nombre), QFile::permissions(carpeta.ruta(nombre)) | QFileDevice::ExeOwner);
    }
  }
  frmprintgraf& g() { return frmprintgraf::instancia(); }
};

}  // namespace

class PruebaGraficas : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() {
    frmprintgraf::destruir();
    frmgraficos::destruir();
    prueba::limpiar();
  }
  void dialogo_al_abrir();
  void peticion_data();
  void peticion();
  void problema_sin_titulo();
  void peticion_rechazada_data();
  void peticion_rechazada();
  void dib_que_no_se_escribe();
  void salir_durante_el_dibujo();
  void problema_fuera_de_la_carpeta();
  void comprobaciones_data();
  void comprobaciones();
  void nivel_fuera_de_rango_data();
  void nivel_fuera_de_rango();
  void factor_de_escala();
  void aceptar_cierra();
};

void PruebaGraficas::dialogo_al_abrir() {
  Graficas p;
  p.f().tbToolBar_ButtonClick(p.f().tbToolBar_Buttons("EditarG"));
  frmprintgraf& g = p.g();
  QVERIFY(g.isVisible());
  QCOMPARE(g.windowTitle(), QString("en153"));
  QCOMPARE(g.Frame1->title(), QString("en154"));
  QCOMPARE(g.Label3->text(), QString("en155:"));
  QCOMPARE(g.Optprintgraf(2)->text(), QString("en160:"));
  QCOMPARE(g.Label1->text(), QString("en161"));
  QCOMPARE(g.btaceptar->text(), QString("en74"));
  const QStringList defecto{g.txtnp->text(), g.txtfe->text(), g.txtniv(0)->text(), g.txtniv(1)->text(),
                            g.txtfo->text(), g.txtdp->text()};
  QCOMPARE(defecto, (QStringList{"300", "2.500", "1", "2", "1", "1"}));
  QVERIFY(g.Optprintgraf(0)->isChecked());
  auto activas = [&g] {
    return QString("%1%2%3%4").arg(g.txtniv(0)->isEnabled()).arg(g.txtniv(1)->isEnabled()).arg(g.txtfo->isEnabled()).arg(
        g.txtdp->isEnabled());
  };
  QCOMPARE(activas(), QString("1100"));
  g.Optprintgraf(1)->click();
  QCOMPARE(activas(), QString("0010"));
  g.Optprintgraf(2)->click();
  QCOMPARE(activas(), QString("0001"));
  g.Optprintgraf(0)->click();
  QCOMPARE(activas(), QString("1100"));
}

void PruebaGraficas::peticion_data() {
  QTest::addColumn<int>("opcion");
  QTest::addColumn<QStringList>("cajas");  // txtnp, txtfe, txtfo, txtdp; "=" keeps the default
  QTest::addColumn<QByteArray>("dib");
  QTest::addColumn<QString>("programa");
  QTest::addColumn<QString>("grafica");
  const QStringList igual{"=", "=", "=", "="};
  QTest::newRow("energy levels") << 0 << igual << QByteArray("en155 = 300\r\nen156 = 2.5\r\nen166 = 1\r\nen167 = 2\r\n")
                                 << "niveles" << "nivel";
  QTest::newRow("wave function") << 1 << igual << QByteArray("en155 = 300\r\nen156 = 2.5\r\nen168 = 1\r\n")
                                 << "funciones" << "funcion";
  QTest::newRow("probability") << 2 << QStringList{"=", "=", "=", "4"}
                               << QByteArray("en155 = 300\r\nen156 = 2.5\r\nen169 = 4\r\n") << "probs" << "prob";
  QTest::newRow("empty boxes write 0") << 1 << QStringList{"", "", "", "="}
                                       << QByteArray("en155 = 0\r\nen156 = 0\r\nen168 = 0\r\n") << "funciones"
                                       << "funcion";
  QTest::newRow("plain numbers") << 1 << QStringList{"1000", "-0.125", "7", "="}
                                 << QByteArray("en155 = 1000\r\nen156 = -0.125\r\nen168 = 7\r\n") << "funciones"
                                 << "funcion";
}

void PruebaGraficas::peticion() {
  QFETCH(int, opcion);
  QFETCH(QStringList, cajas);
  QFETCH(QByteArray, dib);
  QFETCH(QString, programa);
  QFETCH(QString, grafica);
  Graficas p;
  p.carpeta.escribir("DIB", "antiguo\r\n");  // replaced, whatever its case
  global::archivo = p.carpeta.ruta("mi pozo.dat");
  frmprintgraf& g = p.g();
  g.Optprintgraf(opcion)->click();
  QLineEdit* c[] = {g.txtnp, g.txtfe, g.txtfo, g.txtdp};
  for (int i = 0; i < 4; ++i)
    if (cajas[i] != "=") c[i]->setText(cajas[i]);
  prueba::Guion guion;
  g.btactualizar->click();
  QVERIFY(guion.cajas.isEmpty());  // the program's exit code (3) is not looked at
  QCOMPARE(p.carpeta.leer("DIB"), dib);
  QVERIFY(!p.carpeta.existe("dib"));
  QCOMPARE(p.carpeta.leer("llamada"), (programa + " 1:mi pozo.dat\n").toUtf8());
  QVERIFY(graficos::fichero_grafico.endsWith("/" + grafica));
  QVERIFY(frmgraficos::cargado());
  QVERIFY(frmgraficos::instancia().isVisible());
  QCOMPARE(graficos::num_curvas, std::int16_t{1});
  QCOMPARE(graficos::curvas(1).npuntos, std::int16_t{5});
  QVERIFY(frmprintgraf::cargado());  // Update keeps the dialog open
  // A request that worked leaves the console as the run's style says.
  QVERIFY(plataforma::VentanaConsola::instancia().windowState() & Qt::WindowMinimized);
}

// An untitled problem has no file the program could read: nothing runs.
void PruebaGraficas::problema_sin_titulo() {
  Graficas p;
  global::archivo.clear();
  prueba::Guion guion;
  p.g().btactualizar->click();
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].texto, QString("en216"));
  QVERIFY(!p.carpeta.existe("llamada"));
  QVERIFY(!frmgraficos::cargado());
}

// A program that refuses: one that writes no plot file, and one that ends
// with a status other than 0 whatever it left. The earlier plot file (under
// any spelling) is gone, a message points to the console, and no graph
// window opens.
void PruebaGraficas::peticion_rechazada_data() {
  QTest::addColumn<QByteArray>("programa");
  QTest::newRow("no plot file") << QByteArray("#!/bin/sh\necho refused\nexit 0\n");
  QTest::newRow("status -1") << QByteArray("#!/bin/sh\necho refused\ncp plantilla FUNCION\nexit 255\n");
  QTest::newRow("status 2") << QByteArray("#!/bin/sh\necho refused\ncp plantilla FUNCION\nexit 2\n");
}

void PruebaGraficas::peticion_rechazada() {
  QFETCH(QByteArray, programa);
  Graficas p;
  p.carpeta.escribir("FUNCION", p.carpeta.leer("plantilla"));
  p.carpeta.escribir("funciones", programa);
  p.g().Optprintgraf(1)->click();
  prueba::Guion guion;
  const plataforma::VentanaConsola& consola = plataforma::VentanaConsola::instancia();
  bool consola_a_la_vista = false;
  guion.al_mostrar = [&](const prueba::Caja&) {
    consola_a_la_vista = consola.isVisible() && !(consola.windowState() & Qt::WindowMinimized);
  };
  p.g().btactualizar->click();
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].texto, QString("en211"));
  QCOMPARE(p.carpeta.existe("FUNCION"), programa.contains("cp plantilla"));
  QVERIFY(!frmgraficos::cargado());
  QVERIFY(consola.texto().contains("refused"));
  // The console, where the reason stands, is restored by the time the message shows.
  QVERIFY(consola_a_la_vista);
  plataforma::VentanaConsola::destruir();
}

// A plot-parameter file that cannot be written (a folder in its place, which
// stops root too) is said with the system's reason, and no program runs on
// the parameters of an earlier request.
void PruebaGraficas::dib_que_no_se_escribe() {
  Graficas p;
  QVERIFY(QDir(p.carpeta.ruta("")).mkdir("dib"));
  p.g().Optprintgraf(1)->click();
  prueba::Guion guion;
  p.g().btactualizar->click();
  QCOMPARE(guion.cajas.size(), 1);
  QVERIFY2(guion.cajas[0].texto.startsWith("No se puede escribir el archivo / The file cannot be written:\n" +
                                            QDir::toNativeSeparators(p.carpeta.ruta("dib")) + "\n"),
           qPrintable(guion.cajas[0].texto));
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbCritical);
  QVERIFY(!p.carpeta.existe("llamada"));
  QVERIFY(!frmgraficos::cargado());
}

// Quitting while a plotting program writes its plot file: the program is
// ended and the temporary files of its plot file go; those of another
// program's outputs stay, and nothing else happens.
void PruebaGraficas::salir_durante_el_dibujo() {
  Graficas p;
  p.carpeta.escribir("funciones",
                     "#!/bin/sh\ntrap '' TERM\n: > FUNCION.tmp42; : > funcion.tmp7; : > RES.tot.tmp9; : > listo\n"
                     "while :; do sleep 0.05; done\n");
  p.g().Optprintgraf(1)->click();
  QTimer vigia;
  QObject::connect(&vigia, &QTimer::timeout, [&] {
    if (p.carpeta.existe("listo")) {
      vigia.stop();
      QCoreApplication::quit();
    }
  });
  vigia.start(10);
  prueba::Guion guion;
  QTimer::singleShot(0, [&] { p.g().btactualizar->click(); });
  QCoreApplication::exec();
  QVERIFY(p.carpeta.existe("listo"));
  QCOMPARE(QDir(p.carpeta.ruta("")).entryList({"*.tmp*"}, QDir::Files), QStringList{"RES.tot.tmp9"});
  QVERIFY(guion.cajas.isEmpty());
  QVERIFY(!frmgraficos::cargado());
}

// A problem kept outside the program folder reaches the program by its path.
void PruebaGraficas::problema_fuera_de_la_carpeta() {
  Graficas p;
  QTemporaryDir otra;
  global::archivo = QDir(otra.path()).filePath("CAJA.DAT");
  QFile f(global::archivo);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.close();
  prueba::Guion guion;
  p.g().btactualizar->click();
  QVERIFY(guion.cajas.isEmpty());
  const QString ruta = QDir(QFileInfo(otra.path()).canonicalFilePath()).filePath("CAJA.DAT");
  QCOMPARE(p.carpeta.leer("llamada"), ("niveles 1:" + ruta + "\n").toUtf8());
  QVERIFY(frmgraficos::cargado());
}

void PruebaGraficas::comprobaciones_data() {
  QTest::addColumn<int>("opcion");
  QTest::addColumn<QString>("primero");
  QTest::addColumn<QString>("ultimo");
  QTest::addColumn<QString>("mensaje");  // "" passes
  QTest::newRow("last below first") << 0 << "3" << "2" << "en163";
  QTest::newRow("last below first, wave function") << 1 << "3" << "2" << "en163";
  QTest::newRow("above the basis") << 0 << "1" << "11" << "en164 10";
  QTest::newRow("above the basis, probability") << 2 << "11" << "11" << "en164 10";
  QTest::newRow("level 0") << 0 << "0" << "2" << "en165";
  QTest::newRow("empty box") << 1 << "" << "2" << "en165";
  QTest::newRow("3 to 3 passes") << 0 << "3" << "3" << "";
  QTest::newRow("10 to 10 passes") << 0 << "10" << "10" << "";
}

void PruebaGraficas::comprobaciones() {
  QFETCH(int, opcion);
  QFETCH(QString, primero);
  QFETCH(QString, ultimo);
  QFETCH(QString, mensaje);
  Graficas p;
  frmprintgraf& g = p.g();
  g.Optprintgraf(opcion)->click();
  g.txtniv(0)->setText(primero);
  g.txtniv(1)->setText(ultimo);
  prueba::Guion guion;
  g.btactualizar->click();
  if (mensaje.isEmpty()) {
    QVERIFY(guion.cajas.isEmpty());
    QVERIFY(p.carpeta.existe("dib"));
    return;
  }
  QCOMPARE(guion.cajas.size(), 1);
  QCOMPARE(guion.cajas[0].texto, mensaje);
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbInformation);
  QCOMPARE(guion.cajas[0].titulo, QString());
  QVERIFY(!p.carpeta.existe("dib"));
  QVERIFY(!p.carpeta.existe("llamada"));
  QVERIFY(!frmgraficos::cargado());
}

// Typed through real keys into the wave-function and density boxes.
void PruebaGraficas::nivel_fuera_de_rango_data() {
  QTest::addColumn<QString>("teclas");
  QTest::addColumn<QString>("queda");
  QTest::addColumn<bool>("mensaje");
  QTest::newRow("0") << "0" << "1" << true;
  QTest::newRow("above the basis") << "11" << "1" << true;
  QTest::newRow("in range") << "10" << "10" << false;
  // "-" and "." never arrive: "3" passes, then "35" is above 10.
  QTest::newRow("minus and point dropped") << "-3.5" << "3" << true;
}

void PruebaGraficas::nivel_fuera_de_rango() {
  QFETCH(QString, teclas);
  QFETCH(QString, queda);
  QFETCH(bool, mensaje);
  for (int opcion : {1, 2}) {
    Graficas p;
    frmprintgraf& g = p.g();
    g.Show();
    g.Optprintgraf(opcion)->click();
    QLineEdit* c = opcion == 1 ? g.txtfo : g.txtdp;
    c->setFocus();
    c->selectAll();
    prueba::Guion guion;
    QTest::keyClicks(c, teclas);
    QCOMPARE(c->text(), queda);
    QCOMPARE(guion.cajas.isEmpty(), !mensaje);
    if (mensaje) {
      QCOMPARE(guion.cajas[0].texto, QString("en170 1 en171 10"));
      QCOMPARE(guion.cajas[0].estilo, plataforma::vbInformation);
      QCOMPARE(guion.cajas[0].titulo, QString());
    }
    // Clearing the box is accepted, and writes 0.
    c->selectAll();
    QTest::keyClick(c, Qt::Key_Delete);
    QCOMPARE(c->text(), QString());
    QVERIFY(g.texto_dib().endsWith(" = 0\r\n"));
  }
}

void PruebaGraficas::factor_de_escala() {
  Graficas p;
  frmprintgraf& g = p.g();
  g.Show();
  g.activateWindow();
  g.txtfe->setFocus();
  g.txtfe->selectAll();
  QTest::keyClicks(g.txtfe, "-");
  QCOMPARE(g.txtfe->text(), QString("-"));
  QTest::keyClicks(g.txtfe, "2.5x");
  QCOMPARE(g.txtfe->text(), QString("-2.5"));
  QFocusEvent sale(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(g.txtfe, &sale);
  QCOMPARE(g.txtfe->text(), QString("-2.500"));
  g.txtnp->selectAll();
  QTest::keyClicks(g.txtnp, "-4.0");
  QCOMPARE(g.txtnp->text(), QString("40"));
}

void PruebaGraficas::aceptar_cierra() {
  Graficas p;
  p.g().txtnp->setText("50");
  p.g().btaceptar->click();
  QVERIFY(!frmprintgraf::cargado());
  QVERIFY(p.carpeta.leer("dib").startsWith("en155 = 50\r\n"));
  // A refused request closes the dialog too; the next one starts from the design.
  p.g().txtniv(0)->setText("5");
  prueba::Guion guion;
  p.g().btaceptar->click();
  QCOMPARE(guion.cajas.size(), 1);
  QVERIFY(!frmprintgraf::cargado());
  QCOMPARE(p.g().txtnp->text(), QString("300"));
  QCOMPARE(p.g().txtniv(0)->text(), QString("1"));
}

QTEST_MAIN(PruebaGraficas)
#include "frmprintgraf_test.moc"
