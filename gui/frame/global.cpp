#include "frame/global.hpp"

#include "platform/ficheros.hpp"
#include "platform/mensajes.hpp"

namespace global {

void preguntar() {
  respuesta = static_cast<std::int16_t>(plataforma::MsgBox(mensaje, estilo, titulo_mensaje));
}

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

void extremos(int n, const lista_vertices& puntos, tvertice& minimo, tvertice& maximo) {
  minimo = puntos(1);
  maximo = puntos(1);
  for (int i = 1; i <= n; ++i) {
    const tvertice& p = puntos(i);
    if (p.x < minimo.x) minimo.x = p.x;
    if (p.y < minimo.y) minimo.y = p.y;
    if (p.x > maximo.x) maximo.x = p.x;
    if (p.y > maximo.y) maximo.y = p.y;
  }
}

}  // namespace global
