#pragma once
// Child programs: start one and wait for it while the windows stay alive.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace plataforma {

// Exit code of a child that is still running.
inline constexpr std::int32_t STILL_ACTIVE = 259;
// A child that could not be started reads as this + the error number
// (ENOENT for a missing program, EACCES for one that may not be run).
inline constexpr std::int32_t error_de_arranque = static_cast<std::int32_t>(0x80040000u);

// Starts programa with its arguments (each arrives whole, blanks included)
// in the program folder, and returns its exit code once it has ended. The
// exit code is read every 100 ms, and the window events are handled between
// readings. An 8-bit status of 255 reads as -1; a child ended by a signal
// reads as 128 + the signal. Window styles 0 to 6 are those of the system
// (6, minimised without focus, for any other value); console children have
// no window here, and their output goes to this program's own console.
std::int32_t ejecutar_y_esperar(const QString& programa, const QStringList& argumentos, int estilo = 6);

}  // namespace plataforma
