// The token reader of plot files on any bytes: every call moves the read
// position forward, no token holds a blank or a line end, and reading past
// the end is the read error the plot-file reader handles.
#include <QByteArray>

#include "comun.hpp"
#include "frame/global.hpp"
#include "platform/ficheros.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    plataforma::FicheroLectura f(QByteArray(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(n)));
    for (;;) {
        const qsizetype antes = f.posicion();
        QString palabra;
        try {
            palabra = global::leepalabra(f);
        } catch (const plataforma::ErrorLectura&) {
            break;
        }
        COMPROBAR(f.posicion() > antes);
        COMPROBAR(!palabra.contains(' ') && !palabra.contains('\r') && !palabra.contains('\n'));
    }
    return 0;
}
