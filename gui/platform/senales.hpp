#pragma once
// The end of the program asked for from outside: SIGTERM (a logout, a
// shutdown, a kill), SIGHUP (the terminal or session gone) and SIGINT
// (Ctrl+C), turned into the program's own quit.
#include <QString>
#include <functional>

namespace plataforma {

// From now on SIGTERM, SIGHUP and SIGINT end the program as a quit does,
// without any question that would hold up a logout: once the event loop gets
// to it, antes(signal) runs (the caller keeps what would be lost), every
// message box from then on answers at once as if it were closed (its text
// goes to standard error), the windows are closed and every event loop
// returns, so that a wait in progress ends its child as a quit does.
// The application's exit status is then 128 + the signal. A signal that
// comes while the end is under way adds nothing. Called once, after the
// application object exists.
void terminar_con_senales(std::function<void(int senal)> antes);

// The signal that is ending the program; 0 while none has come.
int senal_recibida();

// A name for a copy of the problem file at ruta (or of an untitled problem,
// ruta ""), in the folder given (its own folder when ruta has one and
// carpeta is ""): its base name in capitals ("SIN_TITULO" untitled) +
// "-RECUPERADO" (+ "-2", "-3"...) + ".DAT", the first that no file of that
// folder takes in any case.
QString nombre_de_copia(const QString& ruta, const QString& carpeta = QString());

}  // namespace plataforma
