// The windowed program's language module on any language file, on a scratch
// copy: the lookups, the list of languages, the check of the file, and a
// rewrite by guardavalor, after which the key reads back as written and the
// sections stay as they were.
#include <QString>
#include <QStringList>

#include "comun.hpp"
#include "frame/idiomas.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    const QString f = QString::fromStdString(sondeo::escribir("idioma.lng", sondeo::texto(datos, n)));
    const QString actual = idiomas::leervalor(f, "idioma", "idioma");
    idiomas::leervalor(f, actual, "1");
    QStringList antes;
    const int cuenta = idiomas::leersecciones(f, antes);
    COMPROBAR(cuenta >= -1 && antes.size() == std::max(cuenta, 0));
    const bool habia = idiomas::existeseccion(f, "idioma");
    idiomas::problema_fichero(f);

    if (!idiomas::guardavalor(f, "idioma", "idioma", "Zz")) return 0;
    COMPROBAR(idiomas::leervalor(f, "idioma", "idioma") == "Zz");
    QStringList despues;
    const int cuenta_despues = idiomas::leersecciones(f, despues);
    if (habia) {
        COMPROBAR(cuenta_despues == cuenta && despues == antes);
    } else {
        COMPROBAR(idiomas::existeseccion(f, "idioma"));
    }
    return 0;
}
