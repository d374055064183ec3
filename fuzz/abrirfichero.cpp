// The windowed program's problem-file reader on any bytes, without windows.
// A file read completely gives 1 to 10 zones of types 0 to 3 whose numbers
// are all finite, polygons with at least one vertex, and every header value;
// a file that cannot be read stops at a line inside it (or just past its
// last line), keeping at most 10 zones and only the numbers it read.
#include <QByteArray>
#include <cmath>

#include "comun.hpp"
#include "frame/problema_texto.hpp"
#include "platform/ficheros.hpp"

namespace {

void comprobar_zona(const problema_texto::Zona& leida, bool completa) {
    const global::tzona& z = leida.zona;
    for (double v : leida.valores) COMPROBAR(std::isfinite(v));
    COMPROBAR(std::isfinite(z.xini) && std::isfinite(z.xfin) && std::isfinite(z.x0));
    for (int i = -6; i <= 6; ++i) COMPROBAR(std::isfinite(z.coeficientes(i)));
    COMPROBAR(z.nvertices >= 0 && z.vertices.ubound() >= z.nvertices);
    for (int j = 1; j <= z.nvertices; ++j) COMPROBAR(std::isfinite(z.vertices(j).x) && std::isfinite(z.vertices(j).y));
    if (!completa) return;
    COMPROBAR(z.tipo >= 0 && z.tipo <= 3);
    if (z.tipo <= 1) COMPROBAR(z.nvertices >= 1);
    // Type, two limits, then 1, 1 + 2 per vertex, 5 or 13 parameters.
    const std::size_t parametros[] = {1, 1 + 2 * static_cast<std::size_t>(z.nvertices), 5, 13};
    COMPROBAR(leida.valores.size() == 3 + parametros[z.tipo]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    const QByteArray bytes(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(n));
    const problema_texto::Problema p = problema_texto::leer(bytes);
    COMPROBAR(p.zonas.size() <= global::zonas.size());
    COMPROBAR(p.cabecera.size() <= 5);
    if (p.leido) {
        COMPROBAR(p.cabecera.size() == 5 && !p.zonas.empty());
        COMPROBAR(p.linea_fallo == 0);
    } else {
        COMPROBAR(p.linea_fallo >= 1 && p.linea_fallo <= plataforma::lineas(bytes).size() + 1);
        if (!p.zonas.empty()) COMPROBAR(p.cabecera.size() == 5);
    }
    for (std::size_t k = 0; k < p.zonas.size(); ++k) comprobar_zona(p.zonas[k], p.leido || k + 1 < p.zonas.size());
    return 0;
}
