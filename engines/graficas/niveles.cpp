#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "graficas/programas.hpp"

namespace niveles {

using namespace graficas;

namespace {

// Legends whose tops stand a legend's height and this apart stay apart once
// their places are rounded to the 7 decimals of the file.
constexpr double holgura = 1e-7;
constexpr int max_columnas = 3;

struct Reparto {
    std::vector<double> columnas;  // the left edges of the columns
    double h, s;                   // a legend's height; the least distance of two tops in a column
};

Reparto repartir(const std::vector<std::string>& leyendas, const Vista& v) {
    size_t mas_larga = 0;
    for (const std::string& t : leyendas) mas_larga = std::max(mas_larga, t.size());
    // Side by side from 0.01 to 0.99 of the width, as many as hold the
    // longest legend, up to three.
    int n = max_columnas;
    while (n > 1 && n * static_cast<double>(mas_larga) * ancho_caracter > 0.98) --n;
    Reparto r{{}, alto_leyenda * v.alto(), alto_leyenda * v.alto() + holgura};
    for (int k = 0; k < n; ++k) r.columnas.push_back(v.xmin + (0.01 + k * 0.98 / n) * v.ancho());
    return r;
}

// The top a legend wants: on its line, lifted where it would fall below the view.
double deseada(double E, const Vista& v, double h) { return std::min(std::max(E, v.ymin + h), v.ymax); }

// Each legend in turn takes the place nearest the one it wants, among the
// places inside the view that cover no legend placed before (nor `ocupadas`):
// where it wants to be, at the bottom or the top of the view, or right above
// or right under a legend placed before, in the first column that offers the
// nearest. None when some legend finds no place.
std::optional<std::vector<Punto>> libres(const std::vector<double>& energias, const std::vector<std::string>& leyendas,
                                         const Vista& v, std::vector<Caja> puestas, const Reparto& r) {
    std::vector<Punto> lugares;
    for (size_t i = 0; i < energias.size(); ++i) {
        const double quiere = deseada(energias[i], v, r.h);
        std::vector<double> alturas{quiere, v.ymin + r.h, v.ymax};
        for (const Caja& b : puestas) {
            alturas.push_back(b.arriba + r.s);
            alturas.push_back(b.arriba - r.s);
        }
        std::optional<Punto> mejor;
        double distancia = std::numeric_limits<double>::infinity();
        for (const double x : r.columnas)
            for (const double y : alturas) {
                if (y < v.ymin + r.h || y > v.ymax || std::fabs(y - quiere) >= distancia) continue;
                const Caja c = caja_de_leyenda({x, y}, leyendas[i], v);
                if (std::any_of(puestas.begin(), puestas.end(), [&](const Caja& b) { return se_cubren(c, b); }))
                    continue;
                mejor = Punto{x, y};
                distancia = std::fabs(y - quiere);
            }
        if (!mejor) return std::nullopt;
        lugares.push_back(*mejor);
        puestas.push_back(caja_de_leyenda(*mejor, leyendas[i], v));
    }
    return lugares;
}

// Rows a legend's height apart in every column, each legend in the free slot
// nearest the place it wants: a slot for every legend whenever the view holds
// 19 rows, as it does for any extent above 1e-5.
std::vector<Punto> en_filas(const std::vector<double>& energias, const Vista& v, const Reparto& r) {
    std::vector<double> filas;
    for (int k = 0; v.ymin + r.h + k * r.s <= v.ymax; ++k) filas.push_back(v.ymin + r.h + k * r.s);
    if (filas.empty()) filas.push_back(v.ymax);
    std::vector<std::vector<bool>> usada(r.columnas.size(), std::vector<bool>(filas.size(), false));
    std::vector<Punto> lugares;
    for (const double E : energias) {
        const double quiere = deseada(E, v, r.h);
        // The nearest free slot; the nearest of all once none is free.
        std::pair<size_t, size_t> mejor{0, 0};
        double distancia = std::numeric_limits<double>::infinity();
        for (const bool libre : {true, false}) {
            for (size_t c = 0; c < r.columnas.size(); ++c)
                for (size_t f = 0; f < filas.size(); ++f)
                    if (usada[c][f] != libre && std::fabs(filas[f] - quiere) < distancia) {
                        mejor = {c, f};
                        distancia = std::fabs(filas[f] - quiere);
                    }
            if (distancia < std::numeric_limits<double>::infinity()) break;
        }
        usada[mejor.first][mejor.second] = true;
        lugares.push_back({r.columnas[mejor.first], filas[mejor.second]});
    }
    return lugares;
}

} // namespace

std::vector<Punto> lugares_de_leyendas(const std::vector<double>& energias, const std::vector<std::string>& leyendas,
                                       const Vista& v, const std::vector<Caja>& ocupadas) {
    const Reparto r = repartir(leyendas, v);
    if (auto l = libres(energias, leyendas, v, ocupadas, r)) return *l;
    return en_filas(energias, v, r);
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
    const std::vector<double> E(d.ENER.begin() + (primero - 1), d.ENER.begin() + ultimo);
    std::vector<std::string> leyendas;
    std::vector<Punto> lineas;
    for (size_t i = 0; i < E.size(); ++i) {
        leyendas.push_back(leyenda_de_nivel(m, numero_de_nivel(primero + static_cast<int>(i)), E[i]));
        lineas.push_back({s.X.front(), E[i]});
        lineas.push_back({s.X.back(), E[i]});
    }
    // The view is the bounds of the drawn points: the potential and the levels.
    const std::vector<Punto> potencial = s.potencial();
    const Vista v = vista_de({&potencial, &lineas});
    const Caja del_potencial = caja_de_leyenda(lugar_leyenda_potencial(d.p), m.texto(claves::leyenda_potencial), v);
    const std::vector<Punto> lugares = lugares_de_leyendas(E, leyendas, v, {del_potencial});
    for (size_t i = 0; i < E.size(); ++i) g.registros(linea_de_nivel(leyendas[i], E[i], s, lugares[i], formato_punto));
    terminar(g, m);
}

int ejecutar(const std::vector<std::string>& argumentos, std::istream& entrada, std::ostream& consola,
             std::ostream& errores) {
    return graficas::ejecutar("niveles", 2, argumentos, entrada, consola, errores, dibujar);
}

} // namespace niveles
