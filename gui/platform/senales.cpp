#include "platform/senales.hpp"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "platform/ficheros.hpp"
#include "platform/mensajes.hpp"

namespace plataforma {

namespace {

constexpr int senales_de_fin[] = {SIGTERM, SIGHUP, SIGINT};
// The self-pipe: the handler writes the signal's number into it, and the
// event loop reads it where anything may be done.
int tubo_[2] = {-1, -1};
int senal_ = 0;
std::function<void(int)> antes_;

pid_t programa_ = 0;

extern "C" void al_llegar_senal(int senal) {
  // A child between its start and its program (the handler is inherited
  // until then) ends at once: it has no event loop to turn to.
  if (::getpid() != programa_) ::_exit(128 + senal);
  const int guardado = errno;
  const unsigned char byte = static_cast<unsigned char>(senal);
  [[maybe_unused]] const ssize_t escrito = ::write(tubo_[1], &byte, 1);
  errno = guardado;
}

// The answer of a box closed without a button: Cancel on a box that has
// it, No on a Yes/No box, OK otherwise (as MsgBox answers a closed box).
int respuesta_de_caja_cerrada(int estilo) {
  switch (estilo & 0x0F) {
    case vbOKCancel:
    case vbYesNoCancel: return vbCancel;
    case vbYesNo: return vbNo;
    default: return vbOK;
  }
}

void terminar(int senal) {
  if (senal_ != 0) return;
  senal_ = senal;
  // Nobody may be there to answer (a logout): every box answers at once.
  fijar_guion_msgbox([](const QString& texto, int estilo, const QString&) {
    std::fprintf(stderr, "%s\n", texto.toLocal8Bit().constData());
    std::fflush(stderr);
    return respuesta_de_caja_cerrada(estilo);
  });
  if (antes_) antes_(senal);
  // Each window closes as its close box closes it (the main window stores
  // its placement); one that refuses does not keep the others open.
  QList<QPointer<QWidget>> ventanas;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) ventanas << w;
  for (const QPointer<QWidget>& w : ventanas)
    if (w && w->isVisible()) w->close();
  // Every event loop returns, those of open boxes and of waits included.
  QCoreApplication::exit(128 + senal);
}

}  // namespace

void terminar_con_senales(std::function<void(int senal)> antes) {
  antes_ = std::move(antes);
  if (tubo_[0] >= 0) return;
  if (::pipe2(tubo_, O_CLOEXEC | O_NONBLOCK) != 0) {
    std::perror("Tarvo_Olvex: pipe2");
    return;
  }
  programa_ = ::getpid();
  auto* aviso = new QSocketNotifier(tubo_[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(aviso, &QSocketNotifier::activated, aviso, [] {
    unsigned char byte = 0;
    int ultima = 0;
    while (::read(tubo_[0], &byte, 1) == 1) ultima = byte;
    if (ultima != 0) terminar(ultima);
  });
  // Unblocked here, they are unblocked in the engines too (a child inherits
  // the mask), so that the signal that ties an engine to this program gets
  // through.
  sigset_t finales;
  sigemptyset(&finales);
  for (int s : senales_de_fin) sigaddset(&finales, s);
  sigprocmask(SIG_UNBLOCK, &finales, nullptr);
  struct sigaction a {};
  a.sa_handler = al_llegar_senal;
  sigemptyset(&a.sa_mask);
  a.sa_flags = SA_RESTART;
  for (int s : senales_de_fin) {
    // A signal the program was started to ignore (nohup) stays ignored.
    struct sigaction antes_de {};
    if (sigaction(s, nullptr, &antes_de) == 0 && antes_de.sa_handler == SIG_IGN) continue;
    sigaction(s, &a, nullptr);
  }
}

int senal_recibida() { return senal_; }

QString nombre_de_copia(const QString& ruta, const QString& carpeta) {
  const QFileInfo info(ruta);
  const QDir destino(carpeta.isEmpty() ? info.absolutePath() : carpeta);
  // In capitals, as Save As names a problem file.
  const QString base = ruta.isEmpty() ? QStringLiteral("SIN_TITULO") : info.completeBaseName().toUpper();
  for (int n = 1;; ++n) {
    const QString candidato =
        destino.filePath(base + "-RECUPERADO" + (n > 1 ? "-" + QString::number(n) : QString()) + ".DAT");
    if (!QFileInfo::exists(candidato) && resolver_nombre(candidato) == candidato) return candidato;
  }
}

}  // namespace plataforma
