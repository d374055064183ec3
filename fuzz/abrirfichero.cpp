// The windowed program's problem-file reader on any bytes, without windows.
// A file read completely gives 1 to 10 zones of types 0 to 3 whose numbers
// are all finite, polygons with at least one vertex, and every header value;
// a file that cannot be read stops at a line inside it (or just past its
// last line), keeping at most 10 zones and only the numbers it read. The
// numbers of a zone, given again to the zone reader as the window gives
// them, rebuild the zone the reader returned; a zone cut short is made
// whole.
#include <QByteArray>
#include <cmath>

#include "comun.hpp"
#include "frame/problema_texto.hpp"

namespace {

// The lines of the input: each CR LF, CR or LF ends one, and a last line
// without an end counts too.
qsizetype cuenta_lineas(const QByteArray& bytes) {
    qsizetype lineas = 0;
    bool abierta = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.constData()[i];
        if (c == '\r' || c == '\n') {
            ++lineas;
            abierta = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes.constData()[i + 1] == '\n') ++i;
        } else {
            abierta = true;
        }
    }
    return lineas + (abierta ? 1 : 0);
}

bool iguales(const global::tzona& a, const global::tzona& b) {
    if (a.tipo != b.tipo || a.xini != b.xini || a.xfin != b.xfin || a.x0 != b.x0 || a.nvertices != b.nvertices ||
        a.vertices.ubound() != b.vertices.ubound())
        return false;
    for (int i = -6; i <= 6; ++i)
        if (a.coeficientes(i) != b.coeficientes(i)) return false;
    for (int j = 1; j <= a.vertices.ubound(); ++j)
        if (a.vertices(j).x != b.vertices(j).x || a.vertices(j).y != b.vertices(j).y) return false;
    return true;
}

void comprobar_zona(const problema_texto::Zona& leida, bool completa) {
    const global::tzona& z = leida.zona;
    for (double v : leida.valores) COMPROBAR(std::isfinite(v));
    COMPROBAR(std::isfinite(z.xini) && std::isfinite(z.xfin) && std::isfinite(z.x0));
    for (int i = -6; i <= 6; ++i) COMPROBAR(std::isfinite(z.coeficientes(i)));
    // The vertices reached, at most the count.
    COMPROBAR(z.nvertices >= 0 && z.vertices.ubound() <= z.nvertices);
    for (int j = 1; j <= z.vertices.ubound(); ++j)
        COMPROBAR(std::isfinite(z.vertices(j).x) && std::isfinite(z.vertices(j).y));
    if (!completa) {
        // Given to a new zone as the window gives it and made whole, the zone
        // has a type the window shows and a polygon at least two vertices.
        global::tzona cortada;
        std::size_t siguiente = 0;
        try {
            problema_texto::leer_zona(
                cortada,
                [&](problema_texto::Campo, int) {
                    if (siguiente >= leida.valores.size()) throw problema_texto::Fallo{};
                    return leida.valores[siguiente++];
                },
                [](int) {});
        } catch (const problema_texto::Fallo&) {
        }
        problema_texto::completar_zona(cortada, siguiente, 0);
        COMPROBAR(cortada.tipo >= 0 && cortada.tipo <= 3);
        if (cortada.tipo <= 1) COMPROBAR(cortada.nvertices >= 2 && cortada.vertices.ubound() == cortada.nvertices);
        return;
    }
    COMPROBAR(z.tipo >= 0 && z.tipo <= 3);
    COMPROBAR(z.vertices.ubound() == z.nvertices);
    if (z.tipo <= 1) COMPROBAR(z.nvertices >= 1);
    // Type, two limits, then 1, 1 + 2 per vertex, 5 or 13 parameters.
    const std::size_t parametros[] = {1, 1 + 2 * static_cast<std::size_t>(z.nvertices), 5, 13};
    COMPROBAR(leida.valores.size() == 3 + parametros[z.tipo]);
    global::tzona otra;
    std::size_t siguiente = 0;
    problema_texto::leer_zona(
        otra,
        [&](problema_texto::Campo, int) {
            return siguiente < leida.valores.size() ? leida.valores[siguiente++] : NAN;
        },
        [](int) {});
    COMPROBAR(siguiente == leida.valores.size() && iguales(otra, z));
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
        COMPROBAR(p.linea_fallo >= 1 && p.linea_fallo <= cuenta_lineas(bytes) + 1);
        if (!p.zonas.empty()) COMPROBAR(p.cabecera.size() == 5);
    }
    for (std::size_t k = 0; k < p.zonas.size(); ++k) comprobar_zona(p.zonas[k], p.leido || k + 1 < p.zonas.size());
    return 0;
}
