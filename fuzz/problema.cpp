// The engines' problem reader on any bytes, with the rules of calculos and of
// funciones. A problem it accepts keeps every promise the later steps rely
// on, and is then sampled as the engines sample it.
#include <cmath>
#include <sstream>

#include "comun.hpp"
#include "diagnostico.hpp"
#include "ini/mensajes.hpp"
#include "io/errores.hpp"
#include "problema/gendat.hpp"
#include "problema/memoria.hpp"
#include "problema/problema.hpp"

using namespace problema;

namespace {

std::string idioma;

void comprobar(const Problema& p, const Reglas& r) {
    COMPROBAR(p.NZONAS >= 1 && p.NZONAS <= MAX_ZONAS);
    COMPROBAR(p.NBASE >= 1);
    // Only an engine that samples with the point count needs three of them.
    if (r.muestrea_npuntos) COMPROBAR(p.NPUNTOS >= 3);
    COMPROBAR(std::isfinite(p.MASA));
    for (int i = 1; i <= p.NZONAS; ++i) {
        COMPROBAR(p.ITIPO(i) >= constante && p.ITIPO(i) <= potencias);
        for (int c = 1; c <= COLUMNAS_ZONA; ++c) COMPROBAR(std::isfinite(p.ZONA(i, c)));
        COMPROBAR(p.ZONA(i, XFIN) > p.ZONA(i, XINI));
        if (i < p.NZONAS) COMPROBAR(std::fabs(p.ZONA(i, XFIN) - p.ZONA(i + 1, XINI)) <= 1e-6);
        if (p.ITIPO(i) == poligonal) {
            COMPROBAR(p.NPOL(i) >= 2 && p.NPOL(i) <= MAX_VERTICES);
            for (int k = 1; k <= p.NPOL(i); ++k)
                COMPROBAR(std::isfinite(p.POLI(i, k, 1)) && std::isfinite(p.POLI(i, k, 2)));
            for (int k = 1; k < p.NPOL(i); ++k) COMPROBAR(p.POLI(i, k + 1, 1) >= p.POLI(i, k, 1));
        }
    }
    COMPROBAR(std::isfinite(p.LONGITUD) && p.LONGITUD > 0.0);
    COMPROBAR(p.XIZQ == p.ZONA(1, XINI));
}

// A few points per zone: the sampler's branches do not depend on the count.
void muestrear(const Problema& p, ini::Mensajes& m, int estado) {
    constexpr int n = 33;
    std::vector<double> X = reservar(n, p.NZONAS), V = reservar(n, p.NZONAS);
    SegmentoRecordado s;
    try {
        GENDAT(p, X, V, n, m, estado, s);
    } catch (const io::Parada& parada) {
        COMPROBAR(parada.estado == estado);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    idioma = sondeo::escribir("idioma.lng", "[Idioma]\r\nIdioma=Prueba\r\n[Prueba]\r\n1002=M1002\r\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    const std::string texto(sondeo::texto(datos, n));
    for (const Reglas& r : {reglas_calculos(), reglas_funciones()}) {
        std::istringstream is(texto);
        io::Fuente f = io::Fuente::flujo(is, "p.dat");
        std::ostringstream consola;
        ini::Mensajes m{io::Consola(consola), idioma};
        m.leer_seccion();
        try {
            const Problema p = leer_problema(f, m, r);
            comprobar(p, r);
            muestrear(p, m, r.estado_parada);
        } catch (const io::Parada& parada) {
            COMPROBAR(parada.estado == r.estado_parada);
        } catch (const io::ErrorFichero& e) {
            sondeo::comprobar_diagnostico(e.what(), "p.dat");
        }
    }
    return 0;
}
