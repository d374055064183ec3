#include "ini/mensajes.hpp"

#include "ini/ini.hpp"
#include "io/registro.hpp"

namespace ini {

void Mensajes::leer_seccion() { seccion_ = LEERVALOR(fichero_, "Idioma", "Idioma").substr(0, 10); }

std::string Mensajes::texto(int clave) const {
    return io::sin_blancos_finales(LEERVALOR(fichero_, seccion_, std::to_string(clave)));
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
