// The graph window's plot-file reader on any bytes, without the window. A
// file read to its end gives at most 20 active curves, each with 1 to 32767
// points (at most 100 for the kinds that are thinned) held in its list, and
// finite legend places and points, which the bounds and the drawing need; a
// file that cannot be read stops at a place inside it.
#include <QByteArray>
#include <cmath>

#include "comun.hpp"
#include "viewer/grafica_texto.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    const QByteArray bytes(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(n));
    const grafica_texto::Lectura l = grafica_texto::leer(bytes);
    if (!l.leida) {
        COMPROBAR(l.fallo >= 0 && l.fallo <= bytes.size());
        return 0;
    }
    COMPROBAR(l.fallo == -1);
    const auto& curvas = l.grafica.curvas;
    COMPROBAR(curvas.size() <= static_cast<std::size_t>(graficos::tabla_curvas::maximo));
    for (const graficos::tcurva& c : curvas) {
        COMPROBAR(c.activa);
        COMPROBAR(c.npuntos >= 1 && c.puntos.ubound() == c.npuntos);
        if (c.tipo > 1) COMPROBAR(c.npuntos <= grafica_texto::puntos_aclarado);
        COMPROBAR(std::isfinite(c.leyenda_x) && std::isfinite(c.leyenda_y));
        for (int j = 1; j <= c.npuntos; ++j) COMPROBAR(std::isfinite(c.puntos(j).x) && std::isfinite(c.puntos(j).y));
    }
    return 0;
}
