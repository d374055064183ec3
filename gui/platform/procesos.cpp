#include "platform/procesos.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/prctl.h>
#include <unistd.h>
#include <vector>

#include "platform/app.hpp"
#include "platform/consola.hpp"

namespace plataforma {

namespace {

constexpr int periodo_ms = 100;
// How long a child asked to stop may take to remove its temporary files.
constexpr int gracia_ms = 2000;
bool saliendo_ = false;
bool relevado_ = false;
long long vueltas_ = 0;

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

// Sleeps one period while the window events go on being handled; false,
// without sleeping, when the application is quitting (its event loops then
// return at once, so the wait would spin).
bool dormir() {
  ++vueltas_;
  QEventLoop bucle;
  QTimer::singleShot(periodo_ms, &bucle, &QEventLoop::quit);
  if (bucle.exec() != 0) saliendo_ = true;
  return !saliendo_;
}

// The temporary files of the outputs now in the program folder: the
// output's name in any case, ".tmp" and digits.
QSet<QString> temporales(const QStringList& salidas) {
  QSet<QString> encontrados;
  if (salidas.isEmpty()) return encontrados;
  QStringList nombres;
  for (const QString& s : salidas) nombres << QRegularExpression::escape(s);
  const QRegularExpression patron("^(?:" + nombres.join('|') + ")\\.tmp[0-9]+$",
                                  QRegularExpression::CaseInsensitiveOption);
  const QDir carpeta(App::Path());
  for (const QString& nombre : carpeta.entryList(QDir::Files | QDir::Hidden | QDir::System))
    if (patron.match(nombre).hasMatch()) encontrados.insert(nombre);
  return encontrados;
}

// Ends a child that still runs: asked first, so that it can remove its
// temporary files, then stopped hard when it does not end within the grace.
void terminar(QProcess& hijo) {
  hijo.terminate();
  if (hijo.waitForFinished(gracia_ms)) return;
  hijo.kill();
  hijo.waitForFinished(-1);
}

// Run in the child between its start and its program: the child ends when
// this program does, however it ends (a quit, a signal, a crash, the display
// gone), with SIGTERM, so that an engine removes its temporary files and
// never writes into the program folder for a program that is no longer
// there. Only system calls here: the child of a threaded program may call
// nothing that takes a lock.
void atar_al_padre(pid_t padre) {
  ::prctl(PR_SET_PDEATHSIG, SIGTERM);
  // This program may have ended before the tie was made.
  if (::getppid() != padre) ::_exit(128 + SIGTERM);
}

// A wait in progress: its child, the outputs the child writes and the
// temporary files of them that were there before it started.
struct Espera {
  QProcess& hijo;
  const QStringList& salidas;
  QSet<QString> previos;
  bool relevada = false;  // a newer wait has ended its child
};
// The waits in progress, the outermost first: each one below the last is
// suspended inside the window events that the next one's start came from.
std::vector<Espera*> esperas_;

// Removes the temporary files of a wait's outputs that appeared while its
// child ran: once the child has gone, nothing will complete them.
void quitar_temporales(const Espera& e) {
  const QDir carpeta(App::Path());
  for (const QString& t : temporales(e.salidas))
    if (!e.previos.contains(t)) QFile::remove(carpeta.filePath(t));
}

// Ends the child of a wait as a quit does, and what it left half-written.
void terminar_espera(Espera& e) {
  if (e.hijo.state() != QProcess::NotRunning) terminar(e.hijo);
  quitar_temporales(e);
}

// One channel of the child: decoded as UTF-8 (a character split between two
// reads is kept for the next), shown in the console window and copied to
// this program's own stream.
class Canal {
 public:
  Canal(QProcess& hijo, QProcess::ProcessChannel canal, std::FILE* propio)
      : hijo_(hijo), canal_(canal), propio_(propio) {
    conexion_ = QObject::connect(&hijo, canal == QProcess::StandardOutput ? &QProcess::readyReadStandardOutput
                                                              : &QProcess::readyReadStandardError,
                     &hijo, [this] { leer(); });
  }
  ~Canal() { QObject::disconnect(conexion_); }
  Canal(const Canal&) = delete;
  Canal& operator=(const Canal&) = delete;
  void leer() {
    const QByteArray bytes =
        canal_ == QProcess::StandardOutput ? hijo_.readAllStandardOutput() : hijo_.readAllStandardError();
    if (bytes.isEmpty()) return;
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), propio_);
    std::fflush(propio_);
    const QString texto = decodificador_.decode(bytes);
    if (VentanaConsola::cargada()) VentanaConsola::instancia().anadir(texto);
  }

 private:
  QProcess& hijo_;
  QProcess::ProcessChannel canal_;
  std::FILE* propio_;
  QStringDecoder decodificador_{QStringDecoder::Utf8};
  QMetaObject::Connection conexion_;
};

}  // namespace

bool saliendo() { return saliendo_; }
bool relevado() { return relevado_; }
long long& vueltas_de_espera() { return vueltas_; }

std::int32_t ejecutar_y_esperar(const QString& programa, const QStringList& argumentos, int estilo,
                                const QString& titulo_consola, const QStringList& salidas) {
  if (estilo < 0 || estilo > 6) estilo = 6;
  relevado_ = false;
  {
    // An event loop of a quitting application returns -1 at once.
    QEventLoop prueba;
    QTimer::singleShot(0, &prueba, &QEventLoop::quit);
    saliendo_ = prueba.exec() != 0;
  }
  if (saliendo_) return error_de_arranque + ECANCELED;

  // The children of the waits still going on end before this one starts:
  // their outcome no longer stands, and two children never write into the
  // program folder at once.
  for (Espera* e : esperas_) {
    e->relevada = true;
    terminar_espera(*e);
  }

  QProcess hijo;
  // Temporary files of an earlier run (or the user's own) are never touched.
  Espera espera{hijo, salidas, temporales(salidas)};
  hijo.setProgram(programa);
  hijo.setArguments(argumentos);
  hijo.setWorkingDirectory(App::Path());
  hijo.setProcessChannelMode(QProcess::SeparateChannels);
  hijo.setChildProcessModifier([padre = ::getpid()] { atar_al_padre(padre); });
  Canal salida(hijo, QProcess::StandardOutput, stdout);
  Canal errores(hijo, QProcess::StandardError, stderr);
  VentanaConsola::instancia().empezar(titulo_consola, programa, estilo);
  hijo.start();
  if (!hijo.waitForStarted(-1)) {
    const int error = numero_de_error(programa);
    VentanaConsola::instancia().anadir(programa + ": " + QString::fromLocal8Bit(std::strerror(error)) + "\n");
    return error_de_arranque + error;
  }
  hijo.closeWriteChannel();  // a child that reads its input finds it empty

  esperas_.push_back(&espera);
  std::int32_t resultado = STILL_ACTIVE;
  do {
    resultado = codigo(hijo);
    QCoreApplication::processEvents();
    // A wait started among the events (those handled here or during the
    // sleep) overtakes this one.
    if (espera.relevada || !dormir() || espera.relevada) {
      // Quitting: the child is ended (its files are replaced whole or not
      // at all), what it left half-written goes, and the program goes on
      // ending. Overtaken by a newer wait: that one has done the same.
      if (resultado == STILL_ACTIVE && !espera.relevada) terminar_espera(espera);
      resultado = codigo(hijo);
      break;
    }
  } while (resultado == STILL_ACTIVE);
  esperas_.pop_back();
  relevado_ = espera.relevada;
  // However the child ended (a quit, a signal from outside, the system out
  // of memory), what it left half-written goes; an overtaken wait's child
  // was seen to by the newer wait.
  if (!espera.relevada) quitar_temporales(espera);
  // The last output of a child that has ended is still in the pipes; that
  // of an overtaken one would land among the newer child's.
  if (!espera.relevada) {
    salida.leer();
    errores.leer();
  }
  return resultado;
}

bool argumento_de_fichero(const QString& ruta, QString& argumento) {
  argumento.clear();
  if (ruta.isEmpty()) return false;
  auto cabe = [](const QString& a) {
    return !a.isEmpty() && !a.endsWith(' ') && QFile::encodeName(a).size() <= ARGUMENTO_MAXIMO;
  };
  auto canonica = [](const QString& c) {
    const QString s = QFileInfo(c).canonicalFilePath();
    return s.isEmpty() ? QDir::cleanPath(QFileInfo(c).absoluteFilePath()) : s;
  };
  const QFileInfo fichero(ruta);
  const QString carpeta = canonica(App::Path());
  QStringList candidatos;
  if (canonica(fichero.absolutePath()) == carpeta) {
    candidatos << fichero.fileName();
  } else {
    // The folder as it is on disk, so that ".." from the program folder
    // leads where the path says.
    const QString completa = QDir(canonica(fichero.absolutePath())).filePath(fichero.fileName());
    candidatos << completa << QDir(carpeta).relativeFilePath(completa);
  }
  for (const QString& c : candidatos)
    if (cabe(c)) {
      argumento = c;
      return true;
    }
  return false;
}

}  // namespace plataforma
