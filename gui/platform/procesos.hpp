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
// True for an exit code that tells a failed start.
inline constexpr bool es_error_de_arranque(std::int32_t codigo) {
  return (static_cast<std::uint32_t>(codigo) & 0xFFFF0000u) == static_cast<std::uint32_t>(error_de_arranque);
}
// What a child reads as its problem file: at most this many bytes.
inline constexpr int ARGUMENTO_MAXIMO = 80;

// Starts programa with its arguments (each arrives whole, blanks included)
// in the program folder, and returns its exit code once it has ended. The
// exit code is read every 100 ms, and the window events are handled between
// readings. An 8-bit status of 255 reads as -1; a child ended by a signal
// reads as 128 + the signal. The child's standard output and standard error
// go to the console window (VentanaConsola), shown in the window style (6,
// minimised without focus, for any value outside 0 to 6) under the caption
// titulo_consola, and to this program's own output as well.
// A program that is quitting does not wait: a child that runs is ended
// (asked to stop, then stopped hard when it does not within a short grace)
// and the wait returns; one that quits before the start starts nothing
// (error_de_arranque + ECANCELED). saliendo() then tells. The temporary
// files of the child's outputs (salidas: the bare names of the files it
// writes in the program folder, as "<name>.tmp<digits>") that appeared while
// it ran are removed once a child so ended has gone.
// A start that fails is said in the console window.
// Only the child of the last wait started runs: a wait started while others
// still go on (a wait within a wait, as the window events go on) first ends
// their children as a quit does, removing the temporary files they left and
// keeping the earlier files whole, so that no two children write into the
// program folder at once and its files belong to the last child started.
// Each wait so overtaken returns as soon as it resumes; relevado() then tells.
std::int32_t ejecutar_y_esperar(const QString& programa, const QStringList& argumentos, int estilo = 6,
                                const QString& titulo_consola = QString(), const QStringList& salidas = {});

// True when the last wait found the application quitting.
bool saliendo();

// True when the last wait was overtaken by a wait started during it: its
// outcome no longer stands for the files of the program folder.
bool relevado();

// The argument that makes a child started in the program folder read exactly
// the file at ruta: its bare name when it lies in the program folder, else
// its absolute or its relative path, whichever is short enough. False when
// none is: no name (an untitled problem), a name longer than
// ARGUMENTO_MAXIMO bytes, or one that ends in a blank (the engines drop
// trailing blanks).
bool argumento_de_fichero(const QString& ruta, QString& argumento);

// Test seam: counts the sleeps of every wait.
long long& vueltas_de_espera();

}  // namespace plataforma
