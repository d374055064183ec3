// The token reader of plot files, apart from the rest of the module global
// so that the readers without windows can use it.
#include "frame/global.hpp"
#include "platform/ficheros.hpp"

namespace global {

QString leepalabra(plataforma::FicheroLectura& fichero) {
  QChar c = fichero.leer();
  if (c == ' ') {
    do {
      c = fichero.leer();
    } while (c == ' ');
    fichero.retroceder();
  }
  QString palabra;
  for (;;) {
    c = fichero.leer();
    if (c == '\r') {
      fichero.avanzar();  // the LF that follows
      break;
    }
    if (c == '\n' || c == ' ') break;
    palabra.append(c);
  }
  return palabra;
}

}  // namespace global
