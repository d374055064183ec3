// The end of the windowed program from outside: a signal ends it as a quit
// does, no engine outlives it however it ends, and one program holds a
// program folder at a time.
//
// The program itself runs in a child process: this test program started
// with "--programa <folder> [problem] [edit]" runs the windowed program's own
// main in that folder, opens the problem, then edits it or runs calculos.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>

#include "comun.hpp"
#include "editor/frmdatos.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/frmSplash.hpp"
#include "frame/global.hpp"
#include "platform/ajustes.hpp"
#include "platform/app.hpp"
#include "platform/cerrojo.hpp"
#include "platform/mensajes.hpp"
#include "platform/procesos.hpp"
#include "platform/senales.hpp"

// The windowed program's main, built into this test under this name.
int programa_principal(int argc, char* argv[]);

namespace {

// ---- the child: the windowed program, driven -------------------------------------

QString carpeta_hijo;
QString problema_hijo;
QString editar_hijo;  // "editar", "preguntar" or ""

// Once the program has started: past the splash, the problem opened, then
// edited (the file `preparado` says it is done; with "preguntar", the Exit
// question is then up, in a real box) or run.
void conducir() {
  frmSplash::instancia().fraMainFrame_Click();
  if (problema_hijo.isEmpty()) return;
  {
    prueba::GuionDialogos dialogos({QDir(carpeta_hijo).filePath(problema_hijo)});
    frmMain::instancia().mnuFileOpen_Click();
  }
  if (!editar_hijo.isEmpty()) {
    frmdatos::instancia().txttitulo->setText("cambiado sin guardar");
    QTimer::singleShot(0, [] { QFile(QDir(carpeta_hijo).filePath("preparado")).open(QIODevice::WriteOnly); });
    if (editar_hijo == "preguntar") frmMain::instancia().salir();
    return;
  }
  frmMain& f = frmMain::instancia();
  f.tbToolBar_ButtonClick(f.tbToolBar_Buttons("Ejecutar"));
}

void preparar_hijo() {
  if (carpeta_hijo.isEmpty()) return;
  plataforma::App::fijar_Path(carpeta_hijo);
  plataforma::fijar_carpeta_ajustes(QDir(carpeta_hijo).filePath("ajustes"));
  QTimer::singleShot(200, conducir);
}
Q_COREAPP_STARTUP_FUNCTION(preparar_hijo)

// ---- the parent -------------------------------------------------------------------

// A process that has ended but was not reaped yet (its parent gone, it waits
// for whoever adopts it) counts as gone.
bool vivo(pid_t pid) {
  if (::kill(pid, 0) != 0 && errno == ESRCH) return false;
  QFile estado(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!estado.open(QIODevice::ReadOnly)) return true;
  const QByteArray linea = estado.readAll();
  const qsizetype fin_nombre = linea.lastIndexOf(')');
  return !(fin_nombre >= 0 && linea.mid(fin_nombre + 2, 1) == "Z");
}

// A stand-in calculos that notes its process number in `pid_motor`, starts
// a report in RES.tot.tmp123, says `listo` and runs far longer than a test.
// On SIGTERM it either removes its temporary file and ends, as the real
// engine does, or (ignora) goes on until it is stopped hard.
void motor(const prueba::Carpeta& c, bool ignora) {
  const QString trampa = ignora ? "trap '' TERM\n" : "trap 'rm -f RES.tot.tmp123; exit 143' TERM\n";
  c.escribir("calculos", ("#!/bin/sh\n" + trampa +
                          "echo $$ > pid_motor\n: > RES.tot.tmp123\n: > listo\n"
                          "i=0; while [ $i -lt 3000 ]; do sleep 0.02; i=$((i+1)); done\n")
                             .toUtf8());
  QFile::setPermissions(c.ruta("calculos"), QFile::permissions(c.ruta("calculos")) | QFileDevice::ExeOwner);
}

// The program folder of a child: the language, the problem, the outputs of
// an earlier run.
void preparar_carpeta(const prueba::Carpeta& c) {
  c.escribir("idioma.lng", prueba::idiomas_editor());
  QFile::copy(DATA_DIR "/caja.dat", c.ruta("CAJA.DAT"));
  c.escribir("RES.tot", "informe anterior\r\n");
  c.escribir("DatosDIB", "datos anteriores\r\n");
}

// Starts the windowed program in the folder.
std::unique_ptr<QProcess> arrancar(const prueba::Carpeta& c, const QStringList& resto) {
  auto p = std::make_unique<QProcess>();
  QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
  entorno.insert("QT_QPA_PLATFORM", "offscreen");
  p->setProcessEnvironment(entorno);
  p->setProcessChannelMode(QProcess::ForwardedChannels);
  p->setProgram(QCoreApplication::applicationFilePath());
  p->setArguments(QStringList{"--programa", c.ruta("")} + resto);
  p->start();
  return p;
}

int pid_de(const prueba::Carpeta& c, const QString& nombre) { return c.leer(nombre).trimmed().toInt(); }

}  // namespace

class PruebaFin : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() {
    plataforma::fijar_guion_msgbox({});
    prueba::limpiar();
  }
  void senal_durante_un_run_data();
  void senal_durante_un_run();
  void programa_matado();
  void cambios_sin_guardar_data();
  void cambios_sin_guardar();
  void segunda_en_la_carpeta();
  void senal_con_una_caja_abierta();
};

void PruebaFin::senal_durante_un_run_data() {
  QTest::addColumn<int>("senal");
  QTest::addColumn<bool>("ignora");  // the engine ignores SIGTERM
  QTest::newRow("SIGTERM") << SIGTERM << false;
  QTest::newRow("SIGTERM, an engine that ignores it") << SIGTERM << true;
  QTest::newRow("SIGHUP") << SIGHUP << false;
  QTest::newRow("SIGINT") << SIGINT << false;
}

// A signal during a Run ends the program as a quit does: the engine is
// ended (stopped hard when it does not end when asked), its temporary file
// goes, the outputs of the earlier run stay, and the folder is given up.
void PruebaFin::senal_durante_un_run() {
  QFETCH(int, senal);
  QFETCH(bool, ignora);
  prueba::Carpeta c;
  preparar_carpeta(c);
  motor(c, ignora);
  auto programa = arrancar(c, {"CAJA.DAT"});
  QTRY_VERIFY_WITH_TIMEOUT(c.existe("listo"), 30000);
  QVERIFY(c.existe(plataforma::nombre_cerrojo));
  const pid_t engine = pid_de(c, "pid_motor");
  QVERIFY(engine > 0 && vivo(engine));

  ::kill(static_cast<pid_t>(programa->processId()), senal);
  QVERIFY(programa->waitForFinished(30000));
  QCOMPARE(programa->exitStatus(), QProcess::NormalExit);
  QCOMPARE(programa->exitCode(), 128 + senal);
  QVERIFY(!vivo(engine));
  QVERIFY(!c.existe("RES.tot.tmp123"));
  QCOMPARE(c.leer("RES.tot"), QByteArray("informe anterior\r\n"));
  QCOMPARE(c.leer("DatosDIB"), QByteArray("datos anteriores\r\n"));
  QVERIFY(!c.existe(plataforma::nombre_cerrojo));
  // The quit stored the placement, as the close box does.
  QVERIFY(!QDir(c.ruta("ajustes")).isEmpty());
}

// A program that crashes (SIGKILL: nothing of it runs) still takes its
// engine along, which removes its own temporary file; the lock it leaves
// does not keep the next program out of the folder.
void PruebaFin::programa_matado() {
  prueba::Carpeta c;
  preparar_carpeta(c);
  motor(c, false);
  auto programa = arrancar(c, {"CAJA.DAT"});
  QTRY_VERIFY_WITH_TIMEOUT(c.existe("listo"), 30000);
  const pid_t engine = pid_de(c, "pid_motor");
  QVERIFY(engine > 0 && vivo(engine));

  programa->kill();
  QVERIFY(programa->waitForFinished(30000));
  QTRY_VERIFY_WITH_TIMEOUT(!vivo(engine), 30000);
  QVERIFY(!c.existe("RES.tot.tmp123"));
  QCOMPARE(c.leer("RES.tot"), QByteArray("informe anterior\r\n"));
  QVERIFY(c.existe(plataforma::nombre_cerrojo));

  int avisos = 0;
  QVERIFY(plataforma::tomar_carpeta([&] {
    ++avisos;
    return QString();
  }));
  QCOMPARE(avisos, 0);
  plataforma::soltar_carpeta();
  QVERIFY(!c.existe(plataforma::nombre_cerrojo));
}

void PruebaFin::cambios_sin_guardar_data() {
  QTest::addColumn<QString>("modo");
  QTest::addColumn<bool>("ocupado");  // a file already takes the copy's first name
  QTest::addColumn<QString>("copia");
  QTest::newRow("first name") << "editar" << false << "CAJA-RECUPERADO.DAT";
  QTest::newRow("first name taken in another case") << "editar" << true << "CAJA-RECUPERADO-2.DAT";
  QTest::newRow("the Exit question up") << "preguntar" << false << "CAJA-RECUPERADO.DAT";
}

// Ended by a signal with unsaved changes, the program asks nothing (a logout
// would wait on the question) and a question already up does not hold it:
// the problem file stays as it was and the problem with its changes goes to
// a new file beside it, never over another.
void PruebaFin::cambios_sin_guardar() {
  QFETCH(QString, modo);
  QFETCH(bool, ocupado);
  QFETCH(QString, copia);
  prueba::Carpeta c;
  preparar_carpeta(c);
  if (ocupado) c.escribir("caja-recuperado.dat", "del usuario");
  const QByteArray original = c.leer("CAJA.DAT");
  auto programa = arrancar(c, {"CAJA.DAT", modo});
  QTRY_VERIFY_WITH_TIMEOUT(c.existe("preparado"), 30000);

  ::kill(static_cast<pid_t>(programa->processId()), SIGTERM);
  QVERIFY(programa->waitForFinished(30000));
  QCOMPARE(programa->exitCode(), 128 + SIGTERM);
  QCOMPARE(c.leer("CAJA.DAT"), original);
  QVERIFY(c.leer(copia).contains("cambiado sin guardar"));
  if (ocupado) QCOMPARE(c.leer("caja-recuperado.dat"), QByteArray("del usuario"));
}

// A second program in a folder that a live one holds says so in a real box
// and does not start; once the first has ended, the folder is free again.
void PruebaFin::segunda_en_la_carpeta() {
  prueba::Carpeta c;
  preparar_carpeta(c);
  auto primero = arrancar(c, {});
  QTRY_VERIFY_WITH_TIMEOUT(c.existe(plataforma::nombre_cerrojo), 30000);

  QString visto;
  prueba::aceptar_caja_real(300, visto);
  QVERIFY(!plataforma::tomar_carpeta([] { return QStringLiteral("la carpeta ya la usa otro"); }));
  QCOMPARE(visto, QStringLiteral("la carpeta ya la usa otro"));

  ::kill(static_cast<pid_t>(primero->processId()), SIGTERM);
  QVERIFY(primero->waitForFinished(30000));
  QVERIFY(plataforma::tomar_carpeta([] { return QString(); }));
  plataforma::soltar_carpeta();
}

// Within this process: a signal that comes while a real box is open and an
// engine started from it runs (its wait overtook the one of an earlier
// engine) ends both engines and returns from every loop: the waits, the box
// (answered as closed) and the application's.
void PruebaFin::senal_con_una_caja_abierta() {
  prueba::Carpeta c;
  const QString lento = c.ruta("lento");
  c.escribir("lento", "#!/bin/sh\necho $$ >> pids\n: > RES.tot.tmp$$\n: > en_marcha$1\nwhile :; do sleep 0.02; done\n");
  QFile::setPermissions(lento, QFile::permissions(lento) | QFileDevice::ExeOwner);
  int senal_vista = 0;
  plataforma::terminar_con_senales([&](int s) { senal_vista = s; });

  int caja = 0;
  QTimer abrir_caja;
  QObject::connect(&abrir_caja, &QTimer::timeout, [&] {
    if (!c.existe("en_marcha1")) return;
    abrir_caja.stop();
    QTimer::singleShot(0, [&] { plataforma::ejecutar_y_esperar(lento, {"2"}, 6, QString(), {"RES.tot"}); });
    caja = plataforma::MsgBox("una caja abierta", plataforma::vbYesNo);
  });
  QTimer senal;
  QObject::connect(&senal, &QTimer::timeout, [&] {
    if (!c.existe("en_marcha2")) return;
    senal.stop();
    ::raise(SIGTERM);
  });
  abrir_caja.start(10);
  senal.start(10);
  QTimer::singleShot(0, [&] { plataforma::ejecutar_y_esperar(lento, {"1"}, 6, QString(), {"RES.tot"}); });
  const int estado = QCoreApplication::exec();
  QCOMPARE(estado, 128 + SIGTERM);
  QCOMPARE(senal_vista, SIGTERM);
  QCOMPARE(plataforma::senal_recibida(), SIGTERM);
  QCOMPARE(caja, plataforma::vbNo);
  QVERIFY(plataforma::saliendo());
  const QStringList pids = QString::fromLatin1(c.leer("pids")).split('\n', Qt::SkipEmptyParts);
  QCOMPARE(pids.size(), 2);
  for (const QString& pid : pids) QTRY_VERIFY(!vivo(static_cast<pid_t>(pid.toInt())));
  QCOMPARE(QDir(c.ruta("")).entryList({"RES.tot.tmp*"}, QDir::Files), QStringList());
}

int main(int argc, char* argv[]) {
  if (argc >= 3 && std::strcmp(argv[1], "--programa") == 0) {
    carpeta_hijo = QString::fromLocal8Bit(argv[2]);
    if (argc >= 4) problema_hijo = QString::fromLocal8Bit(argv[3]);
    if (argc >= 5) editar_hijo = QString::fromLocal8Bit(argv[4]);
    int n = 1;
    return programa_principal(n, argv);
  }
  QApplication aplicacion(argc, argv);
  PruebaFin prueba;
  return QTest::qExec(&prueba, argc, argv);
}

#include "fin_del_programa_test.moc"
