#include "platform/cerrojo.hpp"

#include <QDir>
#include <QLockFile>
#include <cstdio>
#include <memory>

#include "platform/app.hpp"
#include "platform/mensajes.hpp"

namespace plataforma {

namespace {
// Of static duration, so that a program that ends through exit() (the
// display gone) removes its lock as well.
std::unique_ptr<QLockFile> cerrojo_;
}  // namespace

bool tomar_carpeta(const std::function<QString()>& aviso) {
  auto cerrojo = std::make_unique<QLockFile>(App::en_carpeta(nombre_cerrojo));
  // A lock is stale only when the program that took it is no longer
  // running, however long ago it was taken.
  cerrojo->setStaleLockTime(0);
  if (cerrojo->tryLock(0)) {
    cerrojo_ = std::move(cerrojo);
    return true;
  }
  if (cerrojo->error() == QLockFile::LockFailedError) {
    MsgBox(aviso(), vbInformation, QString());
    return false;
  }
  std::fprintf(stderr, "Tarvo_Olvex: the program folder %s cannot be locked; another program may use it too\n",
               QDir::toNativeSeparators(App::Path()).toLocal8Bit().constData());
  return true;
}

void soltar_carpeta() { cerrojo_.reset(); }

}  // namespace plataforma
