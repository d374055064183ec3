#include "frame/global.hpp"

#include "platform/mensajes.hpp"

namespace global {

void preguntar() {
  respuesta = static_cast<std::int16_t>(plataforma::MsgBox(mensaje, estilo, titulo_mensaje));
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
