// Timings of the numerical steps of calculos, single-threaded as the engine
// runs: the Jacobi diagonalisation against the plain search of the whole
// triangle, the matrix build against one VMAT call per element, and build
// plus diagonalisation. About 45 seconds, most of it the plain versions.
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <sstream>

#include "calculos/ejecucion.hpp"
#include "calculos/jacobi.hpp"
#include "calculos/matrices.hpp"
#include "engines/literal.hpp"
#include "problema/gendat.hpp"

using problema::Matriz;
using problema::Problema;

namespace {

using Reloj = std::chrono::steady_clock;

// The shortest of several runs, repeated until about `minimo` seconds have gone.
double segundos(const std::function<void()>& f, double minimo = 1.0) {
    double mejor = 1e300, total = 0;
    int veces = 0;
    do {
        const auto t0 = Reloj::now();
        f();
        const double t = std::chrono::duration<double>(Reloj::now() - t0).count();
        mejor = std::min(mejor, t);
        total += t;
        ++veces;
    } while (total < minimo && veces < 50);
    return mejor;
}

Matriz aleatoria(int N, std::mt19937_64& g) {
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    Matriz A(N);
    for (int j = 1; j <= N; ++j)
        for (int i = j; i <= N; ++i) A(i, j) = A(j, i) = u(g);
    return A;
}

// A harmonic well on [-10, 10], in one zone or in ten zones of the four types.
Problema pozo(int nbase, int npuntos, int zonas) {
    Problema p;
    p.MASA = 1.0;
    p.NBASE = nbase;
    p.NZONAS = zonas;
    p.NPUNTOS = npuntos;
    const double ancho = 20.0 / zonas;
    for (int i = 1; i <= zonas; ++i) {
        const double a = -10.0 + (i - 1) * ancho, b = i == zonas ? 10.0 : a + ancho;
        p.ZONA(i, problema::XINI) = a;
        p.ZONA(i, problema::XFIN) = b;
        p.ITIPO(i) = zonas == 1 ? problema::vibracion : 1 + (i - 1) % 4;
        switch (p.ITIPO(i)) {
        case problema::constante: p.ZONA(i, 3) = 0.5 * a * a; break;
        case problema::poligonal:
            p.NPOL(i) = 3;
            for (int k = 1; k <= 3; ++k) {
                const double x = a + (k - 1) * (b - a) / 2;
                p.POLI(i, k, 1) = x;
                p.POLI(i, k, 2) = 0.5 * x * x;
            }
            break;
        case problema::vibracion: p.ZONA(i, 5) = 1.0; break;
        case problema::potencias: p.ZONA(i, 5) = 0.5; break;
        }
    }
    // A power-series zone must not reach the origin: with ten zones of width
    // 2, zones 4 and 8 lie on [-4, -2] and [4, 6].
    p.calcular_caja();
    return p;
}

struct Salida {
    std::ostringstream texto;
    io::Consola consola{texto};
    ini::Mensajes mensajes{consola, "/nonexistent/idioma.lng"};
};

void construir(const Problema& p, calculos::Trabajo& t, Salida& s) {
    problema::SegmentoRecordado r;
    problema::GENDAT(p, t.XMALLA, t.VMALLA, p.NPUNTOS, s.mensajes, -1, r);
    calculos::construir_matrices(p, t, s.mensajes);
}

} // namespace

int main() {
    Salida s;
    std::mt19937_64 g(12345);

    std::printf("Jacobi on a random symmetric matrix (TOL 1e-7, ascending)\n");
    std::printf("%6s %10s %14s %14s %10s\n", "N", "rotations", "literal (s)", "ours (s)", "ratio");
    for (int N : {50, 100, 200, 400}) {
        const Matriz A = aleatoria(N, g);
        Matriz V(N);
        std::vector<double> E(static_cast<size_t>(N));
        std::vector<calculos::Pivote> pivotes;
        calculos::JACOBI(N, A, V, E, 1e-7, -1, s.consola, {calculos::LIMITE_ROTACIONES, &pivotes});
        const double nuestro = segundos([&] { calculos::JACOBI(N, A, V, E, 1e-7, -1, s.consola); });
        const double literal =
            segundos([&] { literal::JACOBI(N, A, 1e-7, -1, calculos::LIMITE_ROTACIONES, false); }, 0.0);
        std::printf("%6d %10zu %14.4f %14.5f %9.1fx\n", N, pivotes.size(), literal, nuestro, literal / nuestro);
    }

    std::printf("\nMatrix build (sampling, TCIN, VPOT, XMAT, HAM) at 1001 points a zone\n");
    std::printf("%6s %6s %14s %14s %10s\n", "NBASE", "zones", "literal (s)", "ours (s)", "ratio");
    for (int nbase : {100, 300}) {
        for (int zonas : {1, 10}) {
            const Problema p = pozo(nbase, 1001, zonas);
            calculos::Trabajo t(p);
            const double nuestro = segundos([&] { construir(p, t, s); });
            const double literal = segundos([&] { literal::construir_matrices(p, t.XMALLA, t.VMALLA); }, 0.0);
            std::printf("%6d %6d %14.4f %14.5f %9.1fx\n", nbase, zonas, literal, nuestro, literal / nuestro);
        }
    }

    std::printf("\nBuild and diagonalisation of the Hamiltonian, NBASE 300, 1001 points a zone\n");
    std::printf("%6s %10s %14s\n", "zones", "rotations", "total (s)");
    for (int zonas : {1, 10}) {
        const Problema p = pozo(300, 1001, zonas);
        calculos::Trabajo t(p);
        std::vector<calculos::Pivote> pivotes;
        const double total = segundos(
            [&] {
                pivotes.clear();
                construir(p, t, s);
                calculos::JACOBI(p.NBASE, t.HAM, t.VECT, t.ENER, 1e-7, -1, s.consola,
                                 {calculos::LIMITE_ROTACIONES, &pivotes});
            },
            0.0);
        std::printf("%6d %10zu %14.4f\n", zonas, pivotes.size(), total);
    }
    if (!s.texto.str().empty()) std::printf("\nconsole:\n%s", s.texto.str().c_str());
    return 0;
}
