#pragma once
// The desktop's own programs: its web browser and other tools.
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace plataforma {

// Opens an address (a page, a local file) in the desktop's browser.
bool abrir_direccion(const QUrl& direccion);

// The full path of a program found on the PATH, "" when there is none.
QString buscar_programa(const QString& nombre);

// Starts a program apart from this one, in its own window; false when it
// cannot be started.
bool iniciar_programa(const QString& programa, const QStringList& argumentos = {});

// Tests see and answer these starts instead; empty functions restore them.
void fijar_guion_navegador(std::function<bool(const QUrl&)> guion);
void fijar_guion_programas(std::function<bool(const QString&, const QStringList&)> guion);

}  // namespace plataforma
