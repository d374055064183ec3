#include "graficas/programas.hpp"

namespace niveles {

using namespace graficas;

void dibujar(const Datos& d, ini::Mensajes& m) {
    const int primero = d.dib.niveles[0], ultimo = d.dib.niveles[1];
    if (ultimo < primero) parar(m, claves::niveles_invertidos);
    comprobar_nivel(d, m, primero);
    comprobar_nivel(d, m, ultimo);
    // One curve for the potential, one for each level.
    if (static_cast<long long>(ultimo) - primero + 1 > MAX_CURVAS - 1) parar(m, claves::demasiados_niveles);
    comprobar_puntos(d, m);

    Grafica g("nivel");
    const Muestras s = cabecera_y_potencial(g, d, m, claves::comentario_niveles);
    for (int k = primero; k <= ultimo; ++k) {
        const double E = d.ENER[static_cast<size_t>(k - 1)];
        linea_de_nivel(g, leyenda_de_nivel(m, numero_de_nivel(k), E), E, s, d.p.LONGITUD);
    }
    terminar(g, m);
}

int ejecutar(const std::vector<std::string>& argumentos, std::istream& entrada, std::ostream& consola,
             std::ostream& errores) {
    return graficas::ejecutar("niveles", 2, argumentos, entrada, consola, errores, dibujar);
}

} // namespace niveles
