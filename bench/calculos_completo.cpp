// Timings of calculos from end to end: the wall time and peak memory of the
// real program, and the share of each stage measured in this process.
// Not a test: run build/bench/calculos_completo by hand.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "calculos/ejecucion.hpp"
#include "calculos/informe.hpp"
#include "calculos/jacobi.hpp"
#include "calculos/matout.hpp"
#include "calculos/matrices.hpp"
#include "ini/mensajes.hpp"
#include "problema/gendat.hpp"

namespace fs = std::filesystem;
using reloj = std::chrono::steady_clock;

namespace {

double segundos(reloj::time_point a, reloj::time_point b) { return std::chrono::duration<double>(b - a).count(); }

// A harmonic well on [-10, 10], in one vibration zone or in ten.
std::string texto_problema(int nbase, int zonas) {
    std::ostringstream s;
    s << "****** DATOS:\r\nT = Oscilador\r\nM = 1.000\r\nN = " << nbase << "\r\nZ = " << zonas
      << "\r\nP = 1001\r\n****** ZONAS:\r\n";
    for (int i = 0; i < zonas; ++i) {
        const double a = -10.0 + 20.0 * i / zonas, b = -10.0 + 20.0 * (i + 1) / zonas;
        s << "t = 3\r\nxi = " << a << "\r\nxf = " << b << "\r\nx0 = 0\r\nv0 = 0\r\nk2 = 1\r\nk3 = 0\r\nk4 = 0\r\n"
          << std::string(29, '-') << "\r\n";
    }
    return s.str();
}

class CanalNulo : public calculos::Canal {
public:
    void escribir(std::string_view) override {}
};

} // namespace

int main() {
    const fs::path dir = fs::temp_directory_path() / ("tarvo-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::copy_file(fs::path(DATA_DIR) / "idioma.lng", dir / "idioma.lng", fs::copy_options::overwrite_existing);

    std::printf("| NBASE | zones | wall (s) | peak RSS (MB) | sample+build | diagonalise | transform | report+DatosDIB |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (int zonas : {1, 10}) {
        for (int nbase : {50, 100, 200, 400}) {
            std::ofstream(dir / "p.dat", std::ios::binary) << texto_problema(nbase, zonas);

            // The real program.
            const auto t0 = reloj::now();
            std::fflush(stdout);  // the child must not write this process's buffered lines again
            const pid_t pid = fork();
            if (pid == 0) {
                if (chdir(dir.c_str()) != 0) _exit(127);
                if (!freopen("/dev/null", "w", stdout)) _exit(127);
                execl(CALCULOS_EXE, "calculos", "p.dat", static_cast<char*>(nullptr));
                _exit(127);
            }
            int estado = 0;
            rusage uso{};
            wait4(pid, &estado, 0, &uso);
            const double pared = segundos(t0, reloj::now());

            // The stages, in this process.
            std::ostringstream nada;
            ini::Mensajes m{io::Consola(nada), (dir / "idioma.lng").string()};
            m.leer_seccion();
            std::ifstream f(dir / "p.dat", std::ios::binary);
            io::Fuente fuente = io::Fuente::flujo(f, "p.dat");
            const auto p = problema::leer_problema(fuente, m, problema::reglas_calculos());
            calculos::Trabajo t(p);
            problema::SegmentoRecordado s;
            const auto a = reloj::now();
            problema::GENDAT(p, t.XMALLA, t.VMALLA, p.NPUNTOS, m, -1, s);
            calculos::construir_matrices(p, t, m);
            const auto b = reloj::now();
            calculos::JACOBI(p.NBASE, t.HAM, t.VECT, t.ENER, 1e-7, -1, m.consola());
            const auto c = reloj::now();
            for (int k = 0; k < 4; ++k) {
                problema::Matriz copia = t.VPOT;
                calculos::TAT(p.NBASE, copia, t.VECT);
            }
            const auto d = reloj::now();
            CanalNulo nulo;
            calculos::escribir_informe(p, t, {0, 0, 0.0}, calculos::fecha_de_hoy(),
                                       [&m](int clave) { return m.texto(clave); }, nulo);
            calculos::escribir_datosdib(p.NBASE, t.ENER, t.VECT, nulo);
            const auto e = reloj::now();
            std::printf("| %d | %d | %.3f | %.1f | %.3f | %.3f | %.3f | %.3f |\n", nbase, zonas, pared,
                        uso.ru_maxrss / 1024.0, segundos(a, b), segundos(b, c), segundos(c, d),
                        segundos(d, e) - segundos(c, d));
            if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) std::printf("  calculos ended with %d\n", estado);
        }
    }
    std::printf("\nreport+DatosDIB excludes the four transforms it performs (the transform column).\n");
    fs::remove_all(dir);
}
