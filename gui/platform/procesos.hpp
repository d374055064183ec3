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
// A program that is quitting does not wait: a child that runs is ended and
// the wait returns at once; one that quits before the start starts nothing
// (error_de_arranque + ECANCELED). saliendo() then tells.
std::int32_t ejecutar_y_esperar(const QString& programa, const QStringList& argumentos, int estilo = 6,
                                const QString& titulo_consola = QString());

// True when the last wait found the application quitting.
bool saliendo();

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
