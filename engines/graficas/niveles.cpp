#include <algorithm>
#include <cmath>
#include <limits>

#include "graficas/programas.hpp"

namespace niveles {

using namespace graficas;

std::vector<Punto> lugares_de_leyendas(const std::vector<double>& energias, double xizq, double L, double ymin,
                                       double ymax) {
    const double h = alto_leyenda * (ymax - ymin);
    constexpr size_t ncolumnas = std::size(columnas_leyenda);
    std::vector<Punto> lugares;
    std::vector<size_t> columna_de;
    for (const double E : energias) {
        const double y = std::min(std::max(E, ymin + h), ymax);
        // The distance to the nearest legend already placed in each column.
        double cercania[ncolumnas];
        std::fill(std::begin(cercania), std::end(cercania), std::numeric_limits<double>::infinity());
        for (size_t j = 0; j < lugares.size(); ++j) {
            double& c = cercania[columna_de[j]];
            c = std::min(c, std::fabs(y - lugares[j].y));
        }
        size_t elegida = 0;
        while (elegida < ncolumnas && cercania[elegida] < h) ++elegida;
        if (elegida == ncolumnas)
            elegida = static_cast<size_t>(std::max_element(std::begin(cercania), std::end(cercania)) - cercania);
        lugares.push_back({xizq + columnas_leyenda[elegida] * L, y});
        columna_de.push_back(elegida);
    }
    return lugares;
}

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
    // The view is the bounds of the drawn points: the potential and the levels.
    const std::vector<double> E(d.ENER.begin() + (primero - 1), d.ENER.begin() + ultimo);
    const auto [vmin, vmax] = std::minmax_element(s.V.begin(), s.V.end());
    const auto [emin, emax] = std::minmax_element(E.begin(), E.end());
    const std::vector<Punto> lugares = lugares_de_leyendas(E, d.p.XIZQ, d.p.LONGITUD, std::min(*vmin, *emin),
                                                           std::max(*vmax, *emax));
    for (int k = primero; k <= ultimo; ++k) {
        const size_t i = static_cast<size_t>(k - primero);
        linea_de_nivel(g, leyenda_de_nivel(m, numero_de_nivel(k), E[i]), E[i], s, lugares[i]);
    }
    terminar(g, m);
}

int ejecutar(const std::vector<std::string>& argumentos, std::istream& entrada, std::ostream& consola,
             std::ostream& errores) {
    return graficas::ejecutar("niveles", 2, argumentos, entrada, consola, errores, dibujar);
}

} // namespace niveles
