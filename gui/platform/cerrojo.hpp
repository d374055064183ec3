#pragma once
// One program per program folder: two programs in one folder would read
// each other's reports and plot files as their own.
#include <QString>
#include <functional>

namespace plataforma {

// The lock file in the program folder.
inline const QString nombre_cerrojo = QStringLiteral("Tarvo_Olvex.lock");

// Takes the program folder for this program until it ends (or until
// soltar_carpeta). When a live program already holds it, shows aviso() in an
// information box and returns false: this program must end. A lock left by a
// program that has died does not count. When no lock can be made at all (a
// folder the user may not write, where no engine can write either), the
// program goes on without one, saying so on standard error.
bool tomar_carpeta(const std::function<QString()>& aviso);

// Gives the program folder up (the lock file goes).
void soltar_carpeta();

}  // namespace plataforma
