// Engine runs: the wait for a child program, and Run with stand-in engines
// and with the real calculos in a program folder of its own.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <functional>

#include "comun.hpp"
#include "editor/frmdatos.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "grafica_comun.hpp"
#include "platform/app.hpp"
#include "platform/ficheros.hpp"
#include "platform/consola.hpp"
#include "platform/mensajes.hpp"
#include "platform/procesos.hpp"
#include "platform/texto1252.hpp"
#include "viewer/frmedit.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/frmprintgraf.hpp"
#include "viewer/frmprintres.hpp"
#include "viewer/graficos.hpp"

using plataforma::ejecutar_y_esperar;

namespace {

// A shell program of the given body in the folder, ready to run.
QString programa(const prueba::Carpeta& c, const QString& nombre, const QString& cuerpo) {
  c.escribir(nombre, ("#!/bin/sh\n" + cuerpo + "\n").toUtf8());
  QFile::setPermissions(c.ruta(nombre), QFile::permissions(c.ruta(nombre)) | QFileDevice::ExeOwner);
  return c.ruta(nombre);
}

QString estados(frmMain& f) {
  QString s;
  for (const char* clave : {"Guardar", "Ejecutar", "EditarD", "EditarR", "EditarG"})
    s += f.tbToolBar_Buttons(clave)->isEnabled() ? '1' : '0';
  return s;
}

void run(frmMain& f) { f.tbToolBar_ButtonClick(f.tbToolBar_Buttons("Ejecutar")); }

// The console window in sight: shown and not minimised.
bool consola_a_la_vista() {
  const plataforma::VentanaConsola& v = plataforma::VentanaConsola::instancia();
  return v.isVisible() && !(v.windowState() & Qt::WindowMinimized);
}

// The names in the program folder that read like temporary files.
QStringList temporales(const prueba::Carpeta& c) {
  return QDir(c.ruta("")).entryList({"*.tmp*"}, QDir::Files, QDir::Name);
}

// Runs cuerpo inside the application's event loop, and quits the
// application as soon as the file `senal` exists in the folder.
void salir_cuando_exista(const prueba::Carpeta& c, const QString& senal, const std::function<void()>& cuerpo) {
  QTimer vigia;
  QObject::connect(&vigia, &QTimer::timeout, [&] {
    if (c.existe(senal)) {
      vigia.stop();
      QCoreApplication::quit();
    }
  });
  vigia.start(10);
  QTimer::singleShot(0, cuerpo);
  QCoreApplication::exec();
}

// Saves the problem on screen through Save As under a name of the program folder.
void guardar_como(prueba::Problema& p, const QString& nombre) {
  prueba::GuionDialogos dialogos({p.carpeta.ruta(nombre)});
  p.f().mnuFileSaveAs_Click();
}

// Stand-in engines that tell whether two of them ever ran at once and which
// are left: each notes its process number in `pids`, and in `solapes` any
// earlier one still alive as it starts. The first one started while the
// file `lento` exists takes it, says so with `en_marcha` and runs on for
// far longer than a test lasts, unless it is ended.
const char* const prologo = R"sh(for p in $(cat pids 2>/dev/null); do kill -0 "$p" 2>/dev/null && echo "$p" >> solapes; done
echo $$ >> pids
)sh";
const char* const pausa = R"sh(if [ -f lento ]; then rm lento; : > en_marcha; i=0; while [ $i -lt 500 ]; do sleep 0.02; i=$((i+1)); done; fi
)sh";

// The processes whose numbers stand in the file `pids` that are still alive.
QStringList vivos(const prueba::Carpeta& c) {
  QStringList v;
  for (const QString& pid : QString::fromLatin1(c.leer("pids")).split('\n', Qt::SkipEmptyParts))
    if (::kill(static_cast<pid_t>(pid.toInt()), 0) == 0 || errno != ESRCH) v << pid;
  return v;
}

// The report behind the results button, as the full-report viewer shows it.
QString informe_ofrecido(frmMain& f) {
  f.tbToolBar_ButtonClick(f.tbToolBar_Buttons("EditarR"));
  frmprintres::instancia().btactualizar->click();
  return frmedit::cargado() ? frmedit::instancia().rtxtdatos->toPlainText() : QString();
}

}  // namespace

class PruebaEjecutar : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar(); }
  void codigos_de_salida_data();
  void codigos_de_salida();
  void arranque_fallido_data();
  void arranque_fallido();
  void argumento_entero_y_carpeta_del_programa();
  void estilos_fuera_de_rango();
  void la_ventana_sigue_viva();
  void run_segun_el_codigo_data();
  void run_segun_el_codigo();
  void run_de_punta_a_punta();
  void run_rechazado_por_calculos_data();
  void run_rechazado_por_calculos();
  void fallo_con_la_caja_real_data();
  void fallo_con_la_caja_real();
  void run_lee_el_fichero_abierto();
  void ventana_de_consola();
  void espera_al_salir();
  void temporales_al_salir_data();
  void temporales_al_salir();
  void temporales_de_un_motor_matado();
  void salir_durante_el_informe();
  void espera_relevada_data();
  void espera_relevada();
  void relevo_data();
  void relevo();
  void limite_de_un_problema_cambiado();
  void salir_durante_un_relevo();
};

void PruebaEjecutar::codigos_de_salida_data() {
  QTest::addColumn<QString>("cuerpo");
  QTest::addColumn<int>("codigo");
  QTest::newRow("0") << "exit 0" << 0;
  QTest::newRow("1") << "exit 1" << 1;
  QTest::newRow("2") << "exit 2" << 2;
  QTest::newRow("255 is -1") << "exit 255" << -1;
  QTest::newRow("254") << "exit 254" << 254;
  QTest::newRow("killed") << "kill -9 $$" << 128 + 9;
}

void PruebaEjecutar::codigos_de_salida() {
  QFETCH(QString, cuerpo);
  QFETCH(int, codigo);
  prueba::Carpeta c;
  QCOMPARE(ejecutar_y_esperar(programa(c, "motor", cuerpo), {}), codigo);
}

void PruebaEjecutar::arranque_fallido_data() {
  QTest::addColumn<bool>("existe");
  QTest::addColumn<int>("error");
  QTest::newRow("missing program") << false << ENOENT;
  QTest::newRow("not executable") << true << EACCES;
}

void PruebaEjecutar::arranque_fallido() {
  QFETCH(bool, existe);
  QFETCH(int, error);
  prueba::Carpeta c;
  if (existe) c.escribir("calculos", "#!/bin/sh\nexit 0\n");
  const std::int32_t r = ejecutar_y_esperar(c.ruta("calculos"), {"x.dat"});
  QCOMPARE(r, static_cast<std::int32_t>(0x80040000u + static_cast<unsigned>(error)));
  QVERIFY(r < 0);
  if (error == ENOENT) QCOMPARE(r, -2147221502);
}

void PruebaEjecutar::argumento_entero_y_carpeta_del_programa() {
  prueba::Carpeta c;
  const QString p = programa(c, "motor", R"sh(printf '%s|%s|%s' "$#" "$1" "$(pwd -P)" > salida.txt)sh");
  QCOMPARE(ejecutar_y_esperar(p, {"mi pozo.dat"}), 0);
  const QString carpeta = QFileInfo(plataforma::App::Path()).canonicalFilePath();
  QCOMPARE(QString::fromUtf8(c.leer("salida.txt")), "1|mi pozo.dat|" + carpeta);
}

void PruebaEjecutar::estilos_fuera_de_rango() {
  prueba::Carpeta c;
  const QString p = programa(c, "motor", "exit 3");
  for (int estilo : {9, -1, 0, 6}) QCOMPARE(ejecutar_y_esperar(p, {}, estilo), 3);
}

void PruebaEjecutar::la_ventana_sigue_viva() {
  prueba::Carpeta c;
  // The child waits until the program writes a file, which only an event
  // handled during the wait does.
  const QString p = programa(c, "motor", "while [ ! -f sigue ]; do sleep 0.05; done; exit 7");
  int vistos = 0;
  QTimer reloj;
  QObject::connect(&reloj, &QTimer::timeout, [&] {
    if (++vistos == 3) c.escribir("sigue", "");
  });
  reloj.start(20);
  QCOMPARE(ejecutar_y_esperar(p, {}), 7);
  QVERIFY(vistos >= 3);
}

void PruebaEjecutar::run_segun_el_codigo_data() {
  QTest::addColumn<QString>("cuerpo");  // "" for no engine at all
  QTest::addColumn<QString>("botones");
  QTest::addColumn<QString>("mensaje");  // "" for none
  QTest::addColumn<int>("estilo");
  const int info = plataforma::vbInformation;
  QTest::newRow("0 enables the results") << "exit 0" << "01111" << "" << 0;
  QTest::newRow("-1 shows key 67") << "exit 255" << "01100" << "en67" << info;
  QTest::newRow("1: told with its number") << "exit 1" << "01100" << "en231 1" << info;
  QTest::newRow("2: a file it could not read or write") << "exit 2" << "01100" << "en217" << info;
  QTest::newRow("3: the results, with a warning") << "exit 3" << "01111" << "en227" << plataforma::vbExclamation;
  QTest::newRow("ended by a signal: told with its number") << "kill -9 $$" << "01100" << "en231 137" << info;
  QTest::newRow("missing engine") << "" << "01100" << "en221" << info;
}

// Every failure is said, and so are results that may be inexact, with the
// console window (where the engine wrote its reason) restored and in front
// by the time the message shows; a complete run leaves the console
// minimised, as the run's style says.
void PruebaEjecutar::run_segun_el_codigo() {
  QFETCH(QString, cuerpo);
  QFETCH(QString, botones);
  QFETCH(QString, mensaje);
  QFETCH(int, estilo);
  prueba::Problema p;
  guardar_como(p, "pozo.dat");
  if (!cuerpo.isEmpty())
    programa(p.carpeta, "calculos", R"(printf '%s|%s' "$#" "$1" > argumentos.txt; )" + cuerpo);
  p.f().tbToolBar_Buttons("EditarR")->setEnabled(true);
  p.f().tbToolBar_Buttons("EditarG")->setEnabled(true);
  prueba::Guion guion;
  bool consola_con_la_caja = false;
  QString botones_con_la_caja;
  guion.al_mostrar = [&](const prueba::Caja&) {
    consola_con_la_caja = consola_a_la_vista();
    botones_con_la_caja = estados(p.f());
  };
  run(p.f());
  QCOMPARE(estados(p.f()), botones);
  const plataforma::VentanaConsola& consola = plataforma::VentanaConsola::instancia();
  if (mensaje.isEmpty()) {
    QVERIFY(guion.cajas.isEmpty());
    QVERIFY(consola.windowState() & Qt::WindowMinimized);
  } else {
    QCOMPARE(guion.cajas.size(), qsizetype(1));
    QCOMPARE(guion.cajas[0].texto, mensaje);
    QCOMPARE(guion.cajas[0].estilo, estilo);
    QCOMPARE(guion.cajas[0].titulo, QString(""));
    QVERIFY(consola_con_la_caja);
    // The results that the box warns of are on offer while it shows.
    QCOMPARE(botones_con_la_caja, botones);
    QVERIFY(consola_a_la_vista());
  }
  // The engine gets the bare name of the problem file; a start that failed
  // is told in the console.
  if (!cuerpo.isEmpty())
    QCOMPARE(p.carpeta.leer("argumentos.txt"), QByteArray("1|POZO.DAT"));
  else
    QVERIFY(consola.texto().startsWith(p.carpeta.ruta("calculos") + ": "));
  plataforma::VentanaConsola::destruir();
}

void PruebaEjecutar::run_de_punta_a_punta() {
  prueba::Problema p;
  QFile::remove(p.carpeta.ruta("idioma.lng"));
  QVERIFY(QFile::copy(DATA_DIR "/idioma.lng", p.carpeta.ruta("idioma.lng")));
  QVERIFY(QFile::copy(CALCULOS_EXE, p.carpeta.ruta("calculos")));
  idiomas::carga_idiomas();
  p.f().mnuFileNew_Click();

  // A step: two zones, the right one raised, built through the window.
  frmdatos& d = p.d();
  QTest::keyClicks(d.txttitulo, "Escalon de prueba");
  d.txtfb->selectAll();
  QTest::keyClicks(d.txtfb, "12");
  prueba::subir_zonas(d);
  auto& z = global::zonas[1];
  z.coeficientes(0) = 0.5;
  z.vertices(1).y = 0.5;
  z.vertices(2).y = 0.5;
  d.dibuja_potencial();
  guardar_como(p, "mi pozo.dat");
  QVERIFY(p.carpeta.existe("MI POZO.DAT"));
  QCOMPARE(estados(p.f()), QString("01100"));

  prueba::Guion guion;
  run(p.f());
  QVERIFY(guion.cajas.isEmpty());
  QVERIFY(QFile::exists(plataforma::resolver_nombre(p.carpeta.ruta("RES.tot"))));
  QVERIFY(QFile::exists(plataforma::resolver_nombre(p.carpeta.ruta("DatosDIB"))));
  QCOMPARE(estados(p.f()), QString("01111"));
  QByteArray informe;
  QVERIFY(plataforma::leer_bytes(plataforma::resolver_nombre(p.carpeta.ruta("RES.tot")), informe));
  QVERIFY(plataforma::desde_1252(informe).contains("Escalon de prueba"));
}

void PruebaEjecutar::run_rechazado_por_calculos_data() {
  QTest::addColumn<QString>("cambio");
  QTest::addColumn<int>("clave");
  QTest::newRow("zones that do not meet") << "zones" << 67;
  QTest::newRow("letters in the basis line") << "basis" << 217;
  QTest::newRow("no file of that name") << "deleted" << 217;
}

// The real engine refuses the problem on disk: the message of its failure,
// the console restored with the engine's reason, and no report. The window
// runs no file changed since it was opened or saved, so the engine gets one
// the window never saw: a saved problem spoilt under another name.
void PruebaEjecutar::run_rechazado_por_calculos() {
  QFETCH(QString, cambio);
  QFETCH(int, clave);
  prueba::Problema p;
  QFile::remove(p.carpeta.ruta("idioma.lng"));
  QVERIFY(QFile::copy(DATA_DIR "/idioma.lng", p.carpeta.ruta("idioma.lng")));
  QVERIFY(QFile::copy(CALCULOS_EXE, p.carpeta.ruta("calculos")));
  idiomas::carga_idiomas();
  p.f().mnuFileNew_Click();
  prueba::subir_zonas(p.d());
  guardar_como(p, "roto.dat");

  QByteArray bytes = p.carpeta.leer("ROTO.DAT");
  QStringList lineas = plataforma::desde_1252(bytes).split("\r\n");
  if (cambio == "zones") {
    // The second zone no longer starts where the first ends.
    const qsizetype izquierdo_2 = 7 + 5 + 1;  // header, zone 1 (5 lines), zone 2's type line
    QVERIFY(lineas[izquierdo_2].endsWith("= 5.000"));
    lineas[izquierdo_2].replace("= 5.000", "= 6.000");
  } else if (cambio == "basis") {
    QVERIFY(lineas[3].startsWith(idiomas::texto(48)));  // the basis size's line
    lineas[3] = lineas[3].left(lineas[3].indexOf('=') + 1) + " diez";
  }
  if (cambio != "deleted") p.carpeta.escribir("OTRO.DAT", plataforma::a_1252(lineas.join("\r\n")));
  global::archivo = p.carpeta.ruta("OTRO.DAT");

  prueba::Guion guion;
  run(p.f());
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, idiomas::texto(clave));
  QVERIFY(!guion.cajas[0].texto.isEmpty());
  QCOMPARE(guion.cajas[0].estilo, plataforma::vbInformation);
  QCOMPARE(estados(p.f()), QString("01100"));
  QVERIFY(!QFile::exists(plataforma::resolver_nombre(p.carpeta.ruta("RES.tot"))));
  QVERIFY(consola_a_la_vista());
  const QString motivo = plataforma::VentanaConsola::instancia().texto();
  QVERIFY2(!motivo.trimmed().isEmpty(), qPrintable(motivo));
  if (clave == 217) QVERIFY2(motivo.contains("OTRO.DAT", Qt::CaseInsensitive), qPrintable(motivo));
  plataforma::VentanaConsola::destruir();
}

void PruebaEjecutar::fallo_con_la_caja_real_data() {
  QTest::addColumn<QString>("cuerpo");
  QTest::addColumn<QString>("mensaje");
  QTest::addColumn<int>("icono");
  QTest::addColumn<QString>("botones");
  QTest::newRow("2: a file it could not read or write")
      << "echo 'RES.tot: No space left on device' >&2; exit 2" << "en217" << int(QMessageBox::Information)
      << "01100";
  QTest::newRow("3: stopped at the rotation limit")
      << "echo ' TRAS 999999 ITERACIONES NO SE HA LOGRADO LA PRECISION REQUERIDA'; exit 3" << "en227"
      << int(QMessageBox::Warning) << "01111";
}

// The same through the real message box: while it is open the console is
// already in sight with the engine's words, and its OK ends the run.
void PruebaEjecutar::fallo_con_la_caja_real() {
  QFETCH(QString, cuerpo);
  QFETCH(QString, mensaje);
  QFETCH(int, icono);
  QFETCH(QString, botones);
  prueba::Problema p;
  guardar_como(p, "pozo.dat");
  programa(p.carpeta, "calculos", cuerpo);
  const QString dicho = cuerpo.section('\'', 1, 1);
  QString texto;
  int icono_visto = -1;
  bool consola = false;
  bool consola_dice = false;
  QTimer::singleShot(0, [&] {
    QTimer* reloj = new QTimer;
    QObject::connect(reloj, &QTimer::timeout, [&, reloj] {
      auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (caja == nullptr) return;
      reloj->deleteLater();
      reloj->stop();
      texto = caja->text();
      icono_visto = caja->icon();
      // The box belongs to the console, so that both stand in front.
      consola = consola_a_la_vista() && caja->parentWidget() == &plataforma::VentanaConsola::instancia();
      consola_dice = plataforma::VentanaConsola::instancia().texto().contains(dicho);
      caja->buttons().first()->click();
    });
    reloj->start(20);
  });
  run(p.f());
  QCOMPARE(texto, mensaje);
  QCOMPARE(icono_visto, icono);
  QVERIFY(consola);
  QVERIFY2(consola_dice, qPrintable(dicho));
  QCOMPARE(estados(p.f()), botones);
  plataforma::VentanaConsola::destruir();
}

// Run reads exactly the problem on screen: outside the program folder by its
// path (a namesake of the program folder never stands in); a path too long
// for the engines' argument, or no file at all, runs nothing.
void PruebaEjecutar::run_lee_el_fichero_abierto() {
  prueba::Problema p;
  programa(p.carpeta, "calculos", R"(printf '%s|' "$#" > argumentos.txt; cat "$1" >> argumentos.txt)");
  p.carpeta.escribir("CAJA.DAT", "impostor");
  QTemporaryDir otra;
  const QByteArray propio = "el problema abierto";
  global::archivo = QDir(otra.path()).filePath("CAJA.DAT");
  QFile f(global::archivo);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(propio);
  f.close();
  {
    prueba::Guion guion;
    run(p.f());
    QVERIFY(guion.cajas.isEmpty());
    QCOMPARE(p.carpeta.leer("argumentos.txt"), "1|" + propio);
  }
  const QString larga = QDir(otra.path()).filePath(QString(90, 'x'));
  QVERIFY(QDir().mkpath(larga));
  global::archivo = QDir(larga).filePath("CAJA.DAT");
  QFile::remove(p.carpeta.ruta("argumentos.txt"));
  prueba::Guion guion;
  run(p.f());
  QCOMPARE(guion.cajas.size(), qsizetype(1));
  QCOMPARE(guion.cajas[0].texto, QString("en210"));
  QVERIFY(!p.carpeta.existe("argumentos.txt"));
  QCOMPARE(estados(p.f()).right(2), QString("00"));  // no results to read
  p.f().mnuFileNew_Click();
  run(p.f());
  QCOMPARE(guion.cajas.size(), qsizetype(2));
  QCOMPARE(guion.cajas[1].texto, QString("en216"));
  QVERIFY(!p.carpeta.existe("argumentos.txt"));
}

// Both output streams reach the console window, decoded as UTF-8; the window
// keeps them after the run, minimised, and the next run starts it afresh.
void PruebaEjecutar::ventana_de_consola() {
  prueba::Carpeta c;
  const QString p = programa(c, "motor", "printf 'Año uno\\n'; printf 'fallo\\n' >&2; exit 0");
  QCOMPARE(ejecutar_y_esperar(p, {}, 6, "Consola"), 0);
  plataforma::VentanaConsola& v = plataforma::VentanaConsola::instancia();
  QVERIFY(v.texto().contains(QString::fromUtf8("Año uno\n")));
  QVERIFY(v.texto().contains("fallo\n"));
  QVERIFY(v.isReadOnly());
  QVERIFY(v.windowState() & Qt::WindowMinimized);
  QCOMPARE(v.windowTitle(), QString("Consola - motor"));
  QCOMPARE(ejecutar_y_esperar(programa(c, "otro", "echo dos"), {}), 0);
  QCOMPARE(v.texto(), QString("dos\n"));
  plataforma::VentanaConsola::destruir();
}

// A program that quits during a wait does not spin: the wait ends the child
// and returns after a few sleeps, and a wait started while quitting starts
// nothing.
void PruebaEjecutar::espera_al_salir() {
  prueba::Carpeta c;
  const QString p = programa(c, "motor", "sleep 30");
  long long vueltas = -1;
  std::int32_t despues = 0;
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(300, [] { QCoreApplication::quit(); });
    const long long antes = plataforma::vueltas_de_espera();
    ejecutar_y_esperar(p, {});
    vueltas = plataforma::vueltas_de_espera() - antes;
    despues = ejecutar_y_esperar(p, {});
  });
  QCoreApplication::exec();
  QVERIFY(vueltas >= 1);
  QVERIFY2(vueltas <= 6, qPrintable(QString::number(vueltas)));
  QVERIFY(plataforma::saliendo());
  QCOMPARE(despues, plataforma::error_de_arranque + ECANCELED);
}

void PruebaEjecutar::temporales_al_salir_data() {
  QTest::addColumn<QString>("al_pedirlo");  // the child's answer to the request to stop
  QTest::addColumn<QStringList>("quedan");
  const QStringList ajenos{"RES.tot.tmp555", "RES.tot.tmpx", "RES.totx.tmp1", "otro.tmp1"};
  QTest::newRow("it stops, removing its own") << "rm -f RES.tot.tmp123; : > parado; exit 0" << ajenos;
  QTest::newRow("it ignores the request") << "" << ajenos;
}

// A child ended because the program quits is first asked to stop; once it
// has gone, the temporary files of its outputs that appeared while it ran
// go too, under any spelling of the output's name. Files of the user or of
// an earlier run, and names of other files, stay.
void PruebaEjecutar::temporales_al_salir() {
  QFETCH(QString, al_pedirlo);
  QFETCH(QStringList, quedan);
  prueba::Carpeta c;
  c.escribir("RES.tot.tmp555", "de antes");
  const QString p = programa(c, "motor",
                             "trap '" + al_pedirlo + "' TERM\n"
                             ": > RES.tot.tmp123; : > datosdib.tmp77; : > otro.tmp1; : > RES.tot.tmpx\n"
                             ": > RES.totx.tmp1; : > listo\n"
                             "while :; do sleep 0.05; done");
  std::int32_t r = 0;
  salir_cuando_exista(c, "listo", [&] { r = ejecutar_y_esperar(p, {}, 6, QString(), {"RES.tot", "DatosDIB"}); });
  QVERIFY(plataforma::saliendo());
  QCOMPARE(temporales(c), quedan);
  QCOMPARE(c.leer("RES.tot.tmp555"), QByteArray("de antes"));
  if (al_pedirlo.isEmpty()) {
    QCOMPARE(r, 128 + 9);  // ended hard after the grace
  } else {
    QCOMPARE(r, 0);
    QVERIFY(c.existe("parado"));
  }
}

// A child ended from outside (a kill, the system out of memory) cannot
// remove its temporary files: the wait does once it has gone, and keeps
// those of before.
void PruebaEjecutar::temporales_de_un_motor_matado() {
  prueba::Carpeta c;
  c.escribir("RES.tot", "informe anterior");
  c.escribir("RES.tot.tmp555", "de antes");
  const QString p = programa(c, "motor", ": > RES.tot.tmp123; : > datosdib.tmp77; : > otro.tmp1; kill -9 $$");
  QCOMPARE(ejecutar_y_esperar(p, {}, 6, QString(), {"RES.tot", "DatosDIB"}), 128 + 9);
  QCOMPARE(temporales(c), (QStringList{"RES.tot.tmp555", "otro.tmp1"}));
  QCOMPARE(c.leer("RES.tot"), QByteArray("informe anterior"));
}

// Closing the main window while calculos writes a large report: the engine
// ends, the report of the earlier run stays whole, and no temporary file of
// the run is left.
void PruebaEjecutar::salir_durante_el_informe() {
  prueba::Problema p;
  QFile::remove(p.carpeta.ruta("idioma.lng"));
  QVERIFY(QFile::copy(DATA_DIR "/idioma.lng", p.carpeta.ruta("idioma.lng")));
  QVERIFY(QFile::copy(CALCULOS_EXE, p.carpeta.ruta("calculos")));
  QByteArray bytes;
  QVERIFY(plataforma::leer_bytes(DATA_DIR "/oscilador.dat", bytes));
  QStringList lineas = plataforma::desde_1252(bytes).split("\r\n");
  lineas[3] = lineas[3].left(lineas[3].indexOf('=') + 1) + " 600";  // a report of some 50 MB
  p.carpeta.escribir("GRANDE.DAT", plataforma::a_1252(lineas.join("\r\n")));
  p.carpeta.escribir("RES.tot", "informe anterior\r\n");
  p.carpeta.escribir("DatosDIB", "datos anteriores\r\n");
  global::archivo = p.carpeta.ruta("GRANDE.DAT");

  bool visto = false;
  QTimer vigia;
  QObject::connect(&vigia, &QTimer::timeout, [&] {
    if (!temporales(p.carpeta).filter("RES.tot.tmp").isEmpty()) {
      vigia.stop();
      visto = true;
      frmMain::instancia().close();
    }
  });
  vigia.start(10);
  prueba::Guion guion;
  QTimer::singleShot(0, [&] { run(p.f()); });
  QCoreApplication::exec();
  QVERIFY(visto);
  QVERIFY(!frmMain::cargado());
  QVERIFY(guion.cajas.isEmpty());
  QCOMPARE(temporales(p.carpeta), QStringList());
  QCOMPARE(p.carpeta.leer("RES.tot"), QByteArray("informe anterior\r\n"));
  QCOMPARE(p.carpeta.leer("DatosDIB"), QByteArray("datos anteriores\r\n"));
}

void PruebaEjecutar::espera_relevada_data() {
  QTest::addColumn<QString>("al_pedirlo");  // the earlier child's answer to the request to stop
  QTest::addColumn<int>("codigo");
  QTest::newRow("it stops, with some last words") << "echo adios; exit 0" << 0;
  QTest::newRow("it ignores the request") << "" << 128 + 9;
}

// A wait started during another (among the window events the earlier one
// handles) first ends the earlier child as a quit does: the temporary files
// it left go, those of before stay, and the newer child starts only once it
// has gone. The earlier wait returns as soon as it resumes, overtaken; the
// console holds the newer child's output alone.
void PruebaEjecutar::espera_relevada() {
  QFETCH(QString, al_pedirlo);
  QFETCH(int, codigo);
  prueba::Carpeta c;
  c.escribir("RES.tot.tmp555", "de antes");
  const QString lento = programa(c, "lento",
                                 "trap '" + al_pedirlo + "' TERM\n" + prologo +
                                     ": > RES.tot.tmp123; : > datosdib.tmp77; : > listo\n"
                                     "i=0; while [ $i -lt 300 ]; do sleep 0.05; i=$((i+1)); done");
  const QString rapido = programa(c, "rapido", QString(prologo) + "echo dos; exit 4");
  std::int32_t interior = 0;
  bool interior_relevado = true;
  QTimer vigia;
  QObject::connect(&vigia, &QTimer::timeout, [&] {
    if (!c.existe("listo")) return;
    vigia.stop();
    interior = ejecutar_y_esperar(rapido, {}, 6, QString(), {"RES.tot"});
    interior_relevado = plataforma::relevado();
  });
  vigia.start(10);
  const std::int32_t exterior = ejecutar_y_esperar(lento, {}, 6, QString(), {"RES.tot", "DatosDIB"});
  QVERIFY(plataforma::relevado());
  QVERIFY(!plataforma::saliendo());
  QCOMPARE(exterior, codigo);
  QCOMPARE(interior, 4);
  QVERIFY(!interior_relevado);
  QVERIFY(!c.existe("solapes"));
  QCOMPARE(vivos(c), QStringList());
  QCOMPARE(temporales(c), QStringList{"RES.tot.tmp555"});
  QCOMPARE(plataforma::VentanaConsola::instancia().texto(), QString("dos\n"));
  // A wait with none other going on is not overtaken.
  QCOMPARE(ejecutar_y_esperar(rapido, {}), 4);
  QVERIFY(!plataforma::relevado());
  plataforma::VentanaConsola::destruir();
}

void PruebaEjecutar::relevo_data() {
  QTest::addColumn<QString>("primero");
  QTest::addColumn<QString>("segundo");
  QTest::newRow("Run, then New, Save As and Run") << "Run" << "Run";
  QTest::newRow("a graph, then Run") << "graph" << "Run";
  QTest::newRow("Run, then a graph") << "Run" << "graph";
  QTest::newRow("a graph, then another") << "graph" << "graph";
}

// A Run or a graph asked for while an engine of an earlier one still runs
// ends that engine first: no two engines ever run at once, none is left,
// the temporary file of the ended one goes, and what is on disk and behind
// the buttons belongs to the last one asked for. The earlier one, once its
// wait resumes, shows no box, enables nothing and raises no console.
void PruebaEjecutar::relevo() {
  QFETCH(QString, primero);
  QFETCH(QString, segundo);
  prueba::Problema p;
  programa(p.carpeta, "calculos",
           QString(prologo) + R"sh(n=$(cat vueltas 2>/dev/null || echo 0); n=$((n+1)); echo $n > vueltas
: > "RES.tot.tmp$$"
)sh" + pausa + R"sh(printf 'informe %s %s\r\n\r\n... / ...\r\nfin\r\n' "$n" "$1" > RES.tot
printf 'datos %s %s\r\n' "$n" "$1" > DatosDIB
rm -f "RES.tot.tmp$$")sh");
  programa(p.carpeta, "niveles", QString(prologo) + "cp plantilla \"nivel.tmp$$\"\n" + pausa + "mv \"nivel.tmp$$\" nivel");
  prueba::Curva curva;
  curva.puntos = prueba::serie(5);
  p.carpeta.escribir("plantilla", prueba::grafica({curva}));
  guardar_como(p, "pozo.dat");
  run(p.f());
  QCOMPARE(estados(p.f()), QString("01111"));

  // The toolbar offers no graph during a Run: the dialog is then reached
  // directly, as if it had stayed open.
  auto grafica = [&] {
    if (p.f().tbToolBar_Buttons("EditarG")->isEnabled()) p.f().tbToolBar_ButtonClick(p.f().tbToolBar_Buttons("EditarG"));
    frmprintgraf::instancia().btactualizar->click();
  };
  curva.puntos = prueba::serie(7);
  const QByteArray segunda_grafica = prueba::grafica({curva});
  p.carpeta.escribir("lento", "");
  bool tomado = false;
  QTimer vigia;
  QObject::connect(&vigia, &QTimer::timeout, [&] {
    if (!p.carpeta.existe("en_marcha")) return;
    vigia.stop();
    p.carpeta.escribir("plantilla", segunda_grafica);
    if (segundo == "graph") {
      grafica();
    } else if (primero == "Run") {
      p.f().mnuFileNew_Click();
      QTest::keyClicks(p.d().txttitulo, "LIGERO");
      guardar_como(p, "LIGERO.DAT");
      run(p.f());
    } else {
      run(p.f());
    }
    tomado = true;
  });
  vigia.start(10);
  prueba::Guion guion;
  if (primero == "Run")
    run(p.f());
  else
    grafica();
  QVERIFY(tomado);
  QCOMPARE(guion.cajas.size(), qsizetype(0));
  QVERIFY(!p.carpeta.existe("solapes"));
  QCOMPARE(vivos(p.carpeta), QStringList());
  QCOMPARE(temporales(p.carpeta), QStringList());
  QVERIFY(plataforma::VentanaConsola::instancia().windowState() & Qt::WindowMinimized);

  // The graph shows when a graph came last, and then it is the last one's.
  QCOMPARE(frmgraficos::cargado(), segundo == "graph");
  if (segundo == "graph") {
    QCOMPARE(graficos::curvas(1).npuntos, std::int16_t(7));
    QCOMPARE(p.carpeta.leer("nivel"), segunda_grafica);
  }
  // The report on disk is that of the last run asked for, and the buttons
  // offer it; a run ended by a graph offers nothing, and the report of the
  // run before it stays whole.
  const QString informe = segundo == "Run" ? (primero == "Run" ? "informe 3 LIGERO.DAT" : "informe 2 POZO.DAT")
                                           : "informe 1 POZO.DAT";
  const QString datos = "datos " + informe.mid(QString("informe ").size());
  QCOMPARE(QString::fromLatin1(p.carpeta.leer("RES.tot")).section("\r\n", 0, 0), informe);
  QCOMPARE(QString::fromLatin1(p.carpeta.leer("DatosDIB")), datos + "\r\n");
  if (primero == "Run" && segundo == "graph") {
    QCOMPARE(estados(p.f()), QString("01100"));
  } else {
    QCOMPARE(estados(p.f()), QString("01111"));
    QCOMPARE(informe_ofrecido(p.f()).section('\n', 0, 0), informe);
  }
  frmgraficos::destruir();
  prueba::limpiar_visor();
  plataforma::VentanaConsola::destruir();
}

// A run that stops at the rotation limit after its problem was replaced
// offers nothing and warns of nothing, as a complete one would.
void PruebaEjecutar::limite_de_un_problema_cambiado() {
  prueba::Problema p;
  guardar_como(p, "pozo.dat");
  programa(p.carpeta, "calculos", "while [ ! -f sigue ]; do sleep 0.02; done; exit 3");
  bool tomado = false;
  QTimer::singleShot(50, [&] {
    p.f().mnuFileNew_Click();
    tomado = true;
    p.carpeta.escribir("sigue", "");
  });
  prueba::Guion guion;
  run(p.f());
  QVERIFY(tomado);
  QVERIFY(guion.cajas.isEmpty());
  QCOMPARE(estados(p.f()), QString("10000"));
  QVERIFY(plataforma::VentanaConsola::instancia().windowState() & Qt::WindowMinimized);
  plataforma::VentanaConsola::destruir();
}

// Closing the main window while a Run waits inside another's wait: the
// engine running ends, no temporary file and no engine is left, nothing is
// said, and the report of before stays whole.
void PruebaEjecutar::salir_durante_un_relevo() {
  prueba::Problema p;
  guardar_como(p, "pozo.dat");
  programa(p.carpeta, "calculos", QString(prologo) + R"sh(: > "RES.tot.tmp$$"; : > "marcha.$(wc -l < pids | tr -d ' ')"
i=0; while [ $i -lt 500 ]; do sleep 0.02; i=$((i+1)); done
printf 'informe nuevo\r\n' > RES.tot)sh");
  p.carpeta.escribir("RES.tot", "informe anterior\r\n");
  QTimer segundo, cierre;
  QObject::connect(&segundo, &QTimer::timeout, [&] {
    if (!p.carpeta.existe("marcha.1")) return;
    segundo.stop();
    run(p.f());
  });
  QObject::connect(&cierre, &QTimer::timeout, [&] {
    if (!p.carpeta.existe("marcha.2")) return;
    cierre.stop();
    frmMain::instancia().close();
  });
  segundo.start(10);
  cierre.start(10);
  prueba::Guion guion;
  QTimer::singleShot(0, [&] { run(p.f()); });
  QCoreApplication::exec();
  QVERIFY(!frmMain::cargado());
  QVERIFY(guion.cajas.isEmpty());
  QVERIFY(!p.carpeta.existe("solapes"));
  QCOMPARE(vivos(p.carpeta), QStringList());
  QCOMPARE(temporales(p.carpeta), QStringList());
  QCOMPARE(p.carpeta.leer("RES.tot"), QByteArray("informe anterior\r\n"));
}

QTEST_MAIN(PruebaEjecutar)
#include "ejecutar_test.moc"
