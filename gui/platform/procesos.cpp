#include "platform/procesos.hpp"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <cerrno>

#include "platform/app.hpp"

namespace plataforma {

namespace {

constexpr int periodo_ms = 100;

// The error number of a start that failed: the toolkit does not give it, so
// it is found from the program file itself.
int numero_de_error(const QString& programa) {
  const QFileInfo info(programa);
  if (!info.exists()) return ENOENT;
  if (info.isDir() || !info.isExecutable()) return EACCES;
  return ENOEXEC;
}

// The child's exit code now: STILL_ACTIVE while it runs.
std::int32_t codigo(QProcess& hijo) {
  hijo.waitForFinished(0);
  if (hijo.state() != QProcess::NotRunning) return STILL_ACTIVE;
  if (hijo.exitStatus() == QProcess::CrashExit) return 128 + hijo.exitCode();
  const int estado = hijo.exitCode() & 0xFF;
  return estado == 255 ? -1 : estado;
}

// Sleeps one period while the window events go on being handled.
void dormir() {
  QEventLoop bucle;
  QTimer::singleShot(periodo_ms, &bucle, &QEventLoop::quit);
  bucle.exec();
}

}  // namespace

std::int32_t ejecutar_y_esperar(const QString& programa, const QStringList& argumentos, int estilo) {
  if (estilo < 0 || estilo > 6) estilo = 6;
  (void)estilo;  // the engines are console programs: no window to show

  QProcess hijo;
  hijo.setProgram(programa);
  hijo.setArguments(argumentos);
  hijo.setWorkingDirectory(App::Path());
  hijo.setProcessChannelMode(QProcess::ForwardedChannels);
  hijo.start();
  if (!hijo.waitForStarted(-1)) return error_de_arranque + numero_de_error(programa);
  hijo.closeWriteChannel();  // a child that reads its input finds it empty

  std::int32_t resultado = STILL_ACTIVE;
  do {
    resultado = codigo(hijo);
    QCoreApplication::processEvents();
    dormir();
  } while (resultado == STILL_ACTIVE);
  return resultado;
}

}  // namespace plataforma
