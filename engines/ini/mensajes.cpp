#include "ini/mensajes.hpp"

#include <vector>

#include "ini/ini.hpp"
#include "io/registro.hpp"

namespace ini {

void Mensajes::leer_seccion() {
    seccion_ = LEERVALOR(fichero_, "Idioma", "Idioma").substr(0, 10);
    // COMPARACADENA changes both of its arguments: it is given copies.
    auto mismo = [](std::string a, std::string b) { return COMPARACADENA(a, b); };
    std::vector<std::string> lenguas;
    for (const std::string& s : SECCIONES(fichero_))
        if (!mismo(s, "Idioma")) lenguas.push_back(s);
    for (const std::string& s : lenguas)
        if (mismo(s, seccion_)) return;
    if (!lenguas.empty()) seccion_ = lenguas.front();
}

std::string Mensajes::texto(int clave) const {
    return io::sin_blancos_finales(LEERVALOR(fichero_, seccion_, std::to_string(clave)));
}

void Mensajes::escribir_no_finito(int que) {
    escribir(clave_no_finito, Disposicion::un_blanco);
    escribir(que, Disposicion::ocho_blancos);
}

void Mensajes::escribir(int clave, Disposicion d) {
    const std::string t = texto(clave);
    switch (d) {
    case Disposicion::un_blanco: consola_.escribir(io::linea(io::blancos(1), t)); break;
    case Disposicion::ocho_blancos: consola_.escribir(io::linea(io::blancos(8), t)); break;
    case Disposicion::linea_y_siete:
        consola_.escribir("");
        consola_.escribir(io::linea(io::blancos(7), t));
        break;
    }
}

} // namespace ini
