// The engines' INI routines on any language file: the lookups the engines
// make, the conversions, and a rewrite by GUARDAVALOR on the scratch copy,
// after which the key reads back as written. A damaged file (a NUL byte, a
// line of megabytes) is an input-layer error, and GUARDAVALOR leaves it as
// it was.
#include <fstream>
#include <iterator>

#include "comun.hpp"
#include "diagnostico.hpp"
#include "ini/ini.hpp"
#include "io/errores.hpp"

namespace {

std::string leer(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    const std::string_view texto = sondeo::texto(datos, n);
    const std::string f = sondeo::escribir("idioma.lng", texto);
    try {
        const std::string seccion = ini::LEERVALOR(f, "Idioma", "Idioma");
        COMPROBAR(seccion.size() == ini::LONGITUD_CAMPO);
        for (const char* clave : {"1000", "1106", "Idioma"})
            COMPROBAR(ini::LEERVALOR(f, seccion.substr(0, 10), clave).size() == ini::LONGITUD_CAMPO);
        ini::LEERVALOR_INT(f, "Idioma", "Idioma");
    } catch (const io::ErrorFichero& e) {
        sondeo::comprobar_diagnostico(e.what(), f);
    }
    try {
        ini::LEERVALOR_REAL(f, "Idioma", "1000");
    } catch (const io::ErrorFichero& e) {
        sondeo::comprobar_diagnostico(e.what(), f);
    }

    try {
        ini::GUARDAVALOR(f, "Idioma", "Idioma", "Zz");
    } catch (const io::ErrorFichero& e) {
        sondeo::comprobar_diagnostico(e.what(), f);
        COMPROBAR(leer(f) == texto);
        return 0;
    }
    std::string esperado = "Zz";
    esperado.resize(ini::LONGITUD_CAMPO, ' ');
    COMPROBAR(ini::LEERVALOR(f, "Idioma", "Idioma") == esperado);
    return 0;
}
