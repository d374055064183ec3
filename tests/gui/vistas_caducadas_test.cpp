// Views of results and of the problem file never outlive what they show:
// every road that makes the results stale closes the results dialog, the
// graph-data dialog, the graph window and the viewer of the report; a viewer
// of the problem file goes when that file is written again or another
// problem replaces it. Run against stand-in engines in a program folder of
// the test's own.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "comun.hpp"
#include "editor/frmdatos.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "grafica_comun.hpp"
#include "platform/mensajes.hpp"
#include "viewer/frmedit.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/frmprintgraf.hpp"
#include "viewer/frmprintres.hpp"
#include "viewer/graficos.hpp"

namespace {

// What the viewer shows when the road is taken.
enum class Visor { informe, reducido, problema };

// A saved problem POZO.DAT that has been run: the report and graph buttons
// are on. The stand-in calculos numbers its runs in the report it writes;
// the stand-in niveles leaves a small plot file.
struct Vistas : prueba::Problema {
  Vistas() {
    motor("calculos", R"(n=$(cat vueltas 2>/dev/null || echo 0); n=$((n+1)); echo $n > vueltas
printf 'informe %s\r\n\r\n... / ...\r\nfin\r\n' "$n" > RES.tot)");
    prueba::Curva curva;
    curva.puntos = prueba::serie(5);
    carpeta.escribir("plantilla", prueba::grafica({curva}));
    motor("niveles", "cp plantilla nivel");
    guardar_como("pozo.dat");
    QVERIFY(QFile::copy(carpeta.ruta("POZO.DAT"), carpeta.ruta("OTRO.DAT")));
    run();
    if (!botones_de_resultados()) qFatal("the stand-in run did not enable the results");
  }

  void motor(const QString& nombre, const QString& cuerpo) {
    carpeta.escribir(nombre, ("#!/bin/sh\n" + cuerpo + "\nexit 0\n").toUtf8());
    QFile::setPermissions(carpeta.ruta(nombre), QFile::permissions(carpeta.ruta(nombre)) | QFileDevice::ExeOwner);
  }
  void guardar_como(const QString& nombre) {
    prueba::GuionDialogos dialogos({carpeta.ruta(nombre)});
    f().mnuFileSaveAs_Click();
  }
  void boton(const char* clave) { f().tbToolBar_ButtonClick(f().tbToolBar_Buttons(clave)); }
  void run() { boton("Ejecutar"); }
  bool botones_de_resultados() {
    return f().tbToolBar_Buttons("EditarR")->isEnabled() && f().tbToolBar_Buttons("EditarG")->isEnabled();
  }

  // Opens the results dialog, the graph-data dialog with a graph made
  // through it, and the viewer on the report, its reduced copy or the
  // problem file, all from the toolbar.
  void abrir(Visor visor) {
    boton("EditarG");
    frmprintgraf::instancia().btactualizar->click();
    QVERIFY(frmgraficos::cargado());
    boton("EditarR");
    frmprintres& r = frmprintres::instancia();
    if (visor == Visor::reducido) r.Optprintres(1)->click();
    if (visor == Visor::problema)
      boton("EditarD");
    else
      r.btactualizar->click();
    QVERIFY(frmprintres::cargado() && frmprintgraf::cargado() && frmedit::cargado());
    QCOMPARE(frmedit::instancia().rtxtdatos_FileName(),
             visor == Visor::problema ? global::archivo : carpeta.ruta(visor == Visor::informe ? "res.tot" : "res.min"));
  }

  // Which views are open: the two dialogs, the graph window, the viewer.
  QString abiertas() {
    return QString("%1%2%3%4")
        .arg(frmprintres::cargado() ? "R" : "-", frmprintgraf::cargado() ? "G" : "-",
             frmgraficos::cargado() ? "W" : "-", frmedit::cargado() ? "V" : "-");
  }

  // A closed view is gone from the screen too, once the events are handled.
  void sin_restos() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QMdiSubWindow* s : f().mdiArea->subWindowList())
      QVERIFY(frmedit::cargado() || qobject_cast<frmedit*>(s->widget()) == nullptr);
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!frmgraficos::cargado()) QVERIFY(qobject_cast<frmgraficos*>(w) == nullptr || !w->isVisible());
      if (!frmprintres::cargado()) QVERIFY(qobject_cast<frmprintres*>(w) == nullptr || !w->isVisible());
    }
  }
};

struct Camino {
  const char* nombre;
  bool resultados;  // the results go stale: dialogs, graph window and report viewer close
  bool fichero;     // the problem file is written again or replaced: its viewer closes
  std::function<void(Vistas&)> tomar;
};

void editar(Vistas& v) { QTest::keyClicks(v.d().txttitulo, "x"); }

const std::vector<Camino>& caminos() {
  static const std::vector<Camino> c = {
      {"New", true, true, [](Vistas& v) { v.boton("Nuevo"); }},
      {"Open", true, true,
       [](Vistas& v) {
         prueba::GuionDialogos dialogos({v.carpeta.ruta("OTRO.DAT")});
         v.boton("Abrir");
         QCOMPARE(global::archivo, v.carpeta.ruta("OTRO.DAT"));
       }},
      // Nothing is replaced until a file is chosen.
      {"Open cancelled in its dialog", false, false,
       [](Vistas& v) {
         prueba::GuionDialogos dialogos;
         v.boton("Abrir");
       }},
      {"an edit", true, false, editar},
      {"an edit, then Save", true, true,
       [](Vistas& v) {
         editar(v);
         v.boton("Guardar");
         QVERIFY(!global::modificado);
       }},
      {"an edit, then New cancelled", true, false,
       [](Vistas& v) {
         editar(v);
         prueba::Guion guion({plataforma::vbCancel});
         v.boton("Nuevo");
         QCOMPARE(guion.cajas.size(), qsizetype(1));
         QVERIFY(global::modificado);
       }},
      // The problem stays as it was run: only the file's own viewer goes.
      {"Save without a change", false, true, [](Vistas& v) { v.f().mnuFileSave_Click(); }},
      {"Save As without a change", false, true, [](Vistas& v) { v.guardar_como("copia.dat"); }},
      {"Save As that cannot write", false, false,
       [](Vistas& v) {
         prueba::Guion guion;
         v.guardar_como("no/hay/carpeta.dat");
         QCOMPARE(guion.cajas.size(), qsizetype(1));
         QCOMPARE(global::archivo, v.carpeta.ruta("POZO.DAT"));
       }},
  };
  return c;
}

}  // namespace

class PruebaVistasCaducadas : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() {
    frmgraficos::destruir();
    prueba::limpiar();
    prueba::limpiar_visor();
  }
  void cada_camino_data();
  void cada_camino();
  void al_empezar_un_run_data();
  void al_empezar_un_run();
  void grafica_pedida_antes_del_cambio_data();
  void grafica_pedida_antes_del_cambio();
  void run_que_caduca_durante_data();
  void run_que_caduca_durante();
  void pregunta_real_al_crear_data();
  void pregunta_real_al_crear();
  void dialogo_real_al_abrir();
};

void PruebaVistasCaducadas::cada_camino_data() {
  QTest::addColumn<int>("camino");
  QTest::addColumn<int>("visor");
  const std::pair<Visor, const char*> visores[] = {
      {Visor::informe, "report"}, {Visor::reducido, "reduced report"}, {Visor::problema, "problem file"}};
  for (std::size_t i = 0; i < caminos().size(); ++i)
    for (const auto& [visor, nombre] : visores)
      QTest::addRow("%s, viewer on the %s", caminos()[i].nombre, nombre) << int(i) << int(visor);
}

void PruebaVistasCaducadas::cada_camino() {
  QFETCH(int, camino);
  QFETCH(int, visor);
  const Camino& c = caminos()[static_cast<std::size_t>(camino)];
  const Visor que = static_cast<Visor>(visor);
  Vistas v;
  v.abrir(que);
  QCOMPARE(v.abiertas(), QString("RGWV"));
  c.tomar(v);
  const bool visor_cierra = que == Visor::problema ? c.fichero : c.resultados;
  QCOMPARE(v.abiertas(), QString(c.resultados ? "---" : "RGW") + (visor_cierra ? "-" : "V"));
  // The buttons that would show them again are off exactly when they closed.
  QCOMPARE(!v.botones_de_resultados(), c.resultados);
  v.sin_restos();
}

void PruebaVistasCaducadas::al_empezar_un_run_data() {
  QTest::addColumn<int>("visor");
  QTest::newRow("viewer on the report") << int(Visor::informe);
  QTest::newRow("viewer on the problem file") << int(Visor::problema);
}

// The views close as the run starts, while the engine is still running;
// asked for again afterwards, they show the new run. A viewer of the
// problem file stays: the run does not change the file.
void PruebaVistasCaducadas::al_empezar_un_run() {
  QFETCH(int, visor);
  const Visor que = static_cast<Visor>(visor);
  Vistas v;
  v.abrir(que);
  QVERIFY(frmedit::instancia().rtxtdatos->toPlainText().contains(que == Visor::problema ? "en46" : "informe 1"));
  v.motor("calculos", R"(while [ ! -f sigue ]; do sleep 0.02; done
printf 'informe 2\r\n\r\n... / ...\r\nfin\r\n' > RES.tot)");
  QString durante;
  QTimer reloj;
  QObject::connect(&reloj, &QTimer::timeout, [&] {
    if (!durante.isEmpty()) return;
    durante = v.abiertas();
    v.carpeta.escribir("sigue", "");
  });
  reloj.start(20);
  v.run();
  reloj.stop();
  QCOMPARE(durante, QString(que == Visor::problema ? "---V" : "----"));
  QCOMPARE(v.abiertas(), durante);
  QVERIFY(v.botones_de_resultados());
  v.boton("EditarR");
  frmprintres::instancia().btactualizar->click();
  QCOMPARE(frmedit::instancia().rtxtdatos->toPlainText(), QString("informe 2\n\n... / ...\nfin"));
}

void PruebaVistasCaducadas::grafica_pedida_antes_del_cambio_data() {
  QTest::addColumn<QString>("durante");
  QTest::newRow("nothing changes: the graph shows") << "";
  QTest::newRow("New") << "Nuevo";
  QTest::newRow("Run") << "Ejecutar";
  QTest::newRow("an edit") << "edit";
}

// A graph whose plotting program is still running when the results go stale
// is not shown when the program ends, and no failure is reported for it.
void PruebaVistasCaducadas::grafica_pedida_antes_del_cambio() {
  QFETCH(QString, durante);
  Vistas v;
  v.motor("niveles", "while [ ! -f sigue ]; do sleep 0.02; done; cp plantilla nivel");
  v.boton("EditarG");
  bool tomado = false;
  QTimer::singleShot(50, [&] {
    if (durante == "edit")
      editar(v);
    else if (!durante.isEmpty())
      v.boton(durante.toLatin1().constData());
    tomado = true;
    v.carpeta.escribir("sigue", "");
  });
  prueba::Guion guion;
  frmprintgraf::instancia().btactualizar->click();
  QVERIFY(tomado);
  QVERIFY(guion.cajas.isEmpty());
  QCOMPARE(frmgraficos::cargado(), durante.isEmpty());
  QCOMPARE(frmprintgraf::cargado(), durante.isEmpty());
  if (durante.isEmpty()) QCOMPARE(graficos::num_curvas, std::int16_t(1));
}

void PruebaVistasCaducadas::run_que_caduca_durante_data() {
  QTest::addColumn<QString>("durante");
  QTest::addColumn<bool>("ofrecidos");
  QTest::newRow("nothing changes: the results are offered") << "" << true;
  QTest::newRow("New") << "Nuevo" << false;
  QTest::newRow("Open") << "Abrir" << false;
  QTest::newRow("an edit") << "edit" << false;
}

// A Run whose problem is replaced or edited while calculos still runs ends
// without offering its results: they would be shown as the new problem's.
void PruebaVistasCaducadas::run_que_caduca_durante() {
  QFETCH(QString, durante);
  QFETCH(bool, ofrecidos);
  Vistas v;
  v.motor("calculos", R"(while [ ! -f sigue ]; do sleep 0.02; done
printf 'informe 2\r\n\r\n... / ...\r\nfin\r\n' > RES.tot)");
  bool tomado = false;
  QTimer::singleShot(50, [&] {
    if (durante == "edit") {
      editar(v);
    } else if (durante == "Abrir") {
      prueba::GuionDialogos dialogos({v.carpeta.ruta("OTRO.DAT")});
      v.boton("Abrir");
    } else if (!durante.isEmpty()) {
      v.boton(durante.toLatin1().constData());
    }
    tomado = true;
    v.carpeta.escribir("sigue", "");
  });
  prueba::Guion guion;
  v.run();
  QVERIFY(tomado);
  QVERIFY(guion.cajas.isEmpty());
  QCOMPARE(v.botones_de_resultados(), ofrecidos);
}

void PruebaVistasCaducadas::pregunta_real_al_crear_data() {
  QTest::addColumn<int>("boton");
  QTest::addColumn<bool>("cierra");
  QTest::newRow("Yes: saved, then a new problem") << int(QMessageBox::Yes) << true;
  QTest::newRow("No: a new problem") << int(QMessageBox::No) << true;
  QTest::newRow("Cancel: the problem stays") << int(QMessageBox::Cancel) << false;
}

// New on a changed problem through the real save question: the viewer of
// the problem file goes with the problem, and stays when the problem does.
void PruebaVistasCaducadas::pregunta_real_al_crear() {
  QFETCH(int, boton);
  QFETCH(bool, cierra);
  Vistas v;
  v.abrir(Visor::problema);
  editar(v);
  QCOMPARE(v.abiertas(), QString("---V"));
  bool respondida = false;
  QTimer reloj;
  QObject::connect(&reloj, &QTimer::timeout, [&] {
    auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (caja == nullptr || respondida) return;
    QCOMPARE(caja->text(), QString("en40"));
    // The viewer is still there while the question is open.
    QVERIFY(frmedit::cargado());
    respondida = true;
    caja->button(static_cast<QMessageBox::StandardButton>(boton))->click();
  });
  reloj.start(20);
  v.boton("Nuevo");
  reloj.stop();
  QVERIFY(respondida);
  QCOMPARE(frmedit::cargado(), !cierra);
  QCOMPARE(global::modificado, !cierra);
  v.sin_restos();
}

// Open through the real file dialog, left open for a moment: the views stay
// while it shows; once a file is chosen, every view is gone and the caption
// names the new problem.
void PruebaVistasCaducadas::dialogo_real_al_abrir() {
  Vistas v;
  v.abrir(Visor::informe);
  QString al_abrirse;
  QTimer reloj;
  int vueltas = 0;
  QObject::connect(&reloj, &QTimer::timeout, [&] {
    QFileDialog* dialogo = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* d = qobject_cast<QFileDialog*>(w); d != nullptr && d->isVisible()) dialogo = d;
    if (dialogo == nullptr || ++vueltas < 5) return;
    reloj.stop();
    al_abrirse = v.abiertas();
    // The name typed into the dialog's box, then Return.
    auto* nombre = dialogo->findChild<QLineEdit*>("fileNameEdit");
    if (nombre == nullptr) return static_cast<QDialog*>(dialogo)->reject();
    QTest::keyClicks(nombre, v.carpeta.ruta("OTRO.DAT"));
    QTest::keyClick(nombre, Qt::Key_Return);
  });
  reloj.start(20);
  v.boton("Abrir");
  reloj.stop();
  // The problem on screen, with its views, stays until a file is chosen.
  QCOMPARE(al_abrirse, QString("RGWV"));
  QCOMPARE(v.abiertas(), QString("----"));
  QCOMPARE(global::archivo, v.carpeta.ruta("OTRO.DAT"));
  QVERIFY(v.f().windowTitle().endsWith("OTRO.DAT"));
  v.sin_restos();
}

QTEST_MAIN(PruebaVistasCaducadas)
#include "vistas_caducadas_test.moc"
