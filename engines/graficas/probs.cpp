#include <cmath>

#include "graficas/programas.hpp"

namespace probs {

using namespace graficas;

void dibujar(const Datos& d, ini::Mensajes& m) {
    const int nivel = d.dib.niveles[0];
    comprobar_nivel(d, m, nivel);
    comprobar_puntos(d, m);
    const double r = std::sqrt(2.0 / d.p.LONGITUD);
    const double E = d.ENER[static_cast<size_t>(nivel - 1)];
    dibujar_estado(d, m, "prob", claves::comentario_probs, claves::leyenda_densidad, nivel, numero_de_nivel(nivel),
                   [&](double x) {
                       const double psi = serie(d, nivel, x) * r;
                       return psi * psi * d.dib.ESCALA + E;
                   });
}

int ejecutar(const std::vector<std::string>& argumentos, std::istream& entrada, std::ostream& consola,
             std::ostream& errores) {
    return graficas::ejecutar("probs", 1, argumentos, entrada, consola, errores, dibujar);
}

} // namespace probs
