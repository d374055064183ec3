// The windowed program's problem-file reader on any bytes. The reader is a
// member of the main window and puts what it reads into the problem-data
// window, so it runs through the real windows, hidden, on the offscreen
// platform: every input is opened as the Open command opens a file (New,
// then the reader, with the Open dialog answered by the scratch file). A
// file read completely leaves a problem the editor can hold, all its numbers
// finite; a file that cannot be read leaves what was read before the
// failure, unmodified; the program never ends.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <cmath>
#include <cstdlib>

#include "comun.hpp"
#include "editor/frmdatos.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "platform/ajustes.hpp"
#include "platform/app.hpp"
#include "platform/dialogos.hpp"
#include "platform/mensajes.hpp"

namespace {

bool terminado = false;
QString problema;

void comprobar_zonas(bool leido) {
    using global::nzonas;
    COMPROBAR(nzonas >= 0 && nzonas <= 10);
    if (leido) COMPROBAR(nzonas >= 1);
    for (int k = 0; k < nzonas; ++k) {
        const global::tzona& z = global::zonas[static_cast<std::size_t>(k)];
        if (!leido) continue;
        COMPROBAR(z.tipo >= 0 && z.tipo <= 3);
        COMPROBAR(std::isfinite(z.xini) && std::isfinite(z.xfin) && std::isfinite(z.x0));
        for (int i = -6; i <= 6; ++i) COMPROBAR(std::isfinite(z.coeficientes(i)));
        if (z.tipo > 1) continue;
        COMPROBAR(z.nvertices >= 1 && z.vertices.ubound() >= z.nvertices);
        for (int j = 1; j <= z.nvertices; ++j) COMPROBAR(std::isfinite(z.vertices(j).x) && std::isfinite(z.vertices(j).y));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    new QApplication(*argc, *argv);
    const QString carpeta = QString::fromStdString(sondeo::carpeta().string());
    plataforma::App::fijar_Path(carpeta);
    plataforma::App::fijar_End([] { terminado = true; });
    plataforma::fijar_carpeta_ajustes(carpeta + "/ajustes");
    plataforma::fijar_guion_msgbox([](const QString&, int, const QString&) { return plataforma::vbNo; });
    plataforma::fijar_guion_dialogos(
        [](plataforma::DialogoComun::Tipo, const plataforma::DialogoComun&) { return problema; });
    std::string idioma = "[Idioma]\r\nidioma=English\r\n[English]\r\n";
    for (int k = 1; k <= 200; ++k) idioma += std::to_string(k) + "=en" + std::to_string(k) + "\r\n";
    idiomas::fichero_idioma = QString::fromStdString(sondeo::escribir("idioma.lng", idioma));
    idiomas::carga_idiomas();
    problema = QString::fromStdString((sondeo::carpeta() / "p.dat").string());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    sondeo::escribir("p.dat", sondeo::texto(datos, n));
    frmMain& f = frmMain::instancia();
    global::modificado = false;
    f.mnuFileNew_Click();
    const bool leido = f.abrirfichero();
    COMPROBAR(frmdatos::cargado());
    COMPROBAR(!global::modificado);
    COMPROBAR(global::archivo == problema);
    comprobar_zonas(leido);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    COMPROBAR(!terminado);
    return 0;
}
