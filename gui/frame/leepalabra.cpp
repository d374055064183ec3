// The token reader of plot files, apart from the rest of the module global
// so that the readers without windows can use it.
#include "frame/global.hpp"
#include "platform/ficheros.hpp"
#include "platform/texto1252.hpp"

namespace global {

QString leepalabra(plataforma::FicheroLectura& fichero) { return plataforma::desde_1252(fichero.palabra()); }

}  // namespace global
