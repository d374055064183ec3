// The reader of the plot parameters "DIB" on any bytes, for one level
// (funciones, probs) and for two (niveles).
#include <cmath>

#include "comun.hpp"
#include "diagnostico.hpp"
#include "graficas/grafica.hpp"
#include "io/errores.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    const std::string f = sondeo::escribir("DIB", sondeo::texto(datos, n));
    for (int niveles = 1; niveles <= 2; ++niveles) {
        try {
            const graficas::Dib d = graficas::leer_dib(f, niveles);
            COMPROBAR(std::isfinite(d.ESCALA));
            COMPROBAR(static_cast<int>(d.niveles.size()) == niveles);
        } catch (const io::ErrorFichero& e) {
            sondeo::comprobar_diagnostico(e.what(), f);
        }
    }
    return 0;
}
