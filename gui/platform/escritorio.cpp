#include "platform/escritorio.hpp"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace plataforma {

namespace {
std::function<bool(const QUrl&)> guion_navegador;
std::function<bool(const QString&, const QStringList&)> guion_programas;
}  // namespace

bool abrir_direccion(const QUrl& direccion) {
  if (guion_navegador) return guion_navegador(direccion);
  return QDesktopServices::openUrl(direccion);
}

QString buscar_programa(const QString& nombre) { return QStandardPaths::findExecutable(nombre); }

bool iniciar_programa(const QString& programa, const QStringList& argumentos) {
  if (guion_programas) return guion_programas(programa, argumentos);
  return QProcess::startDetached(programa, argumentos);
}

void fijar_guion_navegador(std::function<bool(const QUrl&)> guion) { guion_navegador = std::move(guion); }

void fijar_guion_programas(std::function<bool(const QString&, const QStringList&)> guion) {
  guion_programas = std::move(guion);
}

}  // namespace plataforma
