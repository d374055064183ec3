// The graph window's plot-file reader on any bytes. The reader is a member of
// the graph window and creates a legend label per curve, so it runs through
// the real window, hidden, on the offscreen platform: every input loads the
// window (reader, bounds, drawing) and the window goes again. A file read to
// its end keeps what the drawing relies on; a file that cannot be read
// closes the window after a message; the program never ends.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <cmath>
#include <cstdlib>

#include "comun.hpp"
#include "frame/idiomas.hpp"
#include "platform/app.hpp"
#include "platform/mensajes.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/graficos.hpp"

namespace {

bool terminado = false;

void comprobar_datos() {
    using namespace graficos;
    COMPROBAR(num_curvas >= 0 && num_curvas <= tabla_curvas::maximo);
    for (int i = 1; i <= num_curvas; ++i) {
        const tcurva& c = curvas(i);
        COMPROBAR(c.activa);
        COMPROBAR(c.npuntos >= 1 && c.npuntos <= 100 && c.puntos.ubound() >= c.npuntos);
        COMPROBAR(std::isfinite(c.leyenda_x) && std::isfinite(c.leyenda_y));
        for (int j = 1; j <= c.npuntos; ++j) COMPROBAR(std::isfinite(c.puntos(j).x) && std::isfinite(c.puntos(j).y));
    }
    if (num_curvas > 0) COMPROBAR(minimo_datos.x <= maximo_datos.x && minimo_datos.y <= maximo_datos.y);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    new QApplication(*argc, *argv);
    const QString carpeta = QString::fromStdString(sondeo::carpeta().string());
    plataforma::App::fijar_Path(carpeta);
    plataforma::App::fijar_End([] { terminado = true; });
    plataforma::fijar_guion_msgbox([](const QString&, int, const QString&) { return plataforma::vbOK; });
    idiomas::fichero_idioma = QString::fromStdString(sondeo::escribir(
        "idioma.lng", "[Idioma]\r\nidioma=English\r\n[English]\r\n120=Graph\r\n121=Graph\r\n123=en123\r\n"));
    idiomas::idioma_actual = "English";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    sondeo::escribir("funcion", sondeo::texto(datos, n));
    graficos::num_curvas = 0;
    graficos::fichero_grafico = "funcion";
    frmgraficos::instancia();
    if (frmgraficos::cargado()) comprobar_datos();
    frmgraficos::destruir();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    COMPROBAR(!terminado);
    return 0;
}
