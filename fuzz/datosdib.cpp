// The reader of the eigen data "DatosDIB" on any bytes. The input's first
// line is the basis size N of the problem (1 to 16), the rest the file.
#include <charconv>
#include <cmath>

#include "comun.hpp"
#include "diagnostico.hpp"
#include "graficas/grafica.hpp"
#include "io/errores.hpp"
#include "problema/memoria.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    std::string_view resto = sondeo::texto(datos, n);
    const std::string_view primera = sondeo::primera_linea(resto);
    int N = 0;
    const auto r = std::from_chars(primera.data(), primera.data() + primera.size(), N);
    if (r.ec != std::errc() || N < 1 || N > 16) return -1;  // not an input of this target

    const std::string f = sondeo::escribir("DatosDIB", resto);
    std::vector<double> ENER = problema::reservar(N);
    problema::Matriz VECT(N);
    try {
        if (!graficas::leer_datosdib(f, ENER, VECT)) return 0;  // eigen data of another basis
        for (int j = 1; j <= N; ++j) {
            COMPROBAR(std::isfinite(ENER[static_cast<size_t>(j - 1)]));
            for (int i = 1; i <= N; ++i) COMPROBAR(std::isfinite(VECT(i, j)));
        }
    } catch (const io::ErrorFichero& e) {
        sondeo::comprobar_diagnostico(e.what(), f);
    }
    return 0;
}
