#include "funciones/ejecucion.hpp"

#include <cmath>
#include <string>

namespace funciones {

using namespace graficas;

void dibujar(const Datos& d, ini::Mensajes& m) {
    const int NIVEL = d.dib.niveles[0];
    comprobar_nivel(d, m, NIVEL);
    comprobar_puntos(d, m);
    const double f = std::sqrt(2.0 / d.p.LONGITUD) * d.dib.ESCALA;
    const double E = d.ENER[static_cast<size_t>(NIVEL - 1)];
    // The level as I2, or in full once it has more than two digits.
    const io::Campo numero = NIVEL < 100 ? io::I(2, NIVEL) : io::Campo(std::to_string(NIVEL));
    dibujar_estado(d, m, "FUNCION", claves::comentario_funcion, claves::leyenda_onda, NIVEL, numero,
                   [&](double x) { return serie(d, NIVEL, x) * f + E; });
}

int ejecutar(const std::vector<std::string>& argumentos, std::istream& entrada, std::ostream& consola,
             std::ostream& errores) {
    return graficas::ejecutar("funciones", 1, argumentos, entrada, consola, errores, dibujar);
}

} // namespace funciones
