#include "platform/app.hpp"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDir>
#include <QThread>
#include <cstdlib>

namespace plataforma::App {

namespace {
QString carpeta_fijada;
QString fichero_ayuda;
std::function<void()> fin_guion;
}  // namespace

QString Path() {
  if (!carpeta_fijada.isEmpty()) return carpeta_fijada;
  return QCoreApplication::applicationDirPath();
}

void fijar_Path(const QString& carpeta) { carpeta_fijada = QDir(carpeta).absolutePath(); }

QString en_carpeta(const QString& nombre) { return QDir(Path()).filePath(nombre); }

QString& HelpFile() { return fichero_ayuda; }

void End() {
  if (fin_guion) {
    fin_guion();
    return;
  }
  // Leave the event loop without closing any window (no unload handler runs);
  // before the loop runs there is nothing to unwind.
  if (QThread::currentThread()->loopLevel() > 0)
    QCoreApplication::exit(0);
  else
    std::exit(0);
}

void fijar_End(std::function<void()> fin) { fin_guion = std::move(fin); }

}  // namespace plataforma::App
