#include "calculos/calprob.hpp"

#include <algorithm>
#include <cmath>

#include "io/errores.hpp"
#include "io/registro.hpp"
#include "problema/bloques.hpp"

namespace calculos {

using io::A;
using io::blancos;
using io::E;
using io::F;
using io::linea;
using problema::Matriz;
using problema::Problema;

namespace {

constexpr double PI = 3.141592653589793;

void raya(Canal& destino) {
    destino.escribir("");
    destino.escribir(std::string(85, '-'));
}

// Simpson's rule over one zone of the walk: f0 is the first point, O the
// odd points, G the even ones, fN the last.
double simpson(double f0, double O, double G, double fN, double F, double h) {
    return ((((4.0 * O + f0) + 2.0 * G) + fN) * (F * F)) * h / 3.0;
}

// The walk takes m pairs after the first point, then one odd point and the
// last: 2m + 3 points, which is NPUNTOS for an odd count.
int pares(const Problema& p) { return (p.NPUNTOS - 3) / 2; }

double paso(const Problema& p, int z) {
    return (p.ZONA(z, problema::XFIN) - p.ZONA(z, problema::XINI)) / static_cast<double>(p.NPUNTOS - 1);
}

void transiciones(int I, const Matriz& XMAT, const std::vector<double>& ENER, Canal& destino) {
    raya(destino);
    destino.escribir("");
    destino.escribir("");
    destino.escribir(linea(blancos(6), "Probabilidades de transicion espontanea :"));
    destino.escribir("");
    destino.escribir("");
    destino.escribir(linea(blancos(5), "Transicion:    <i|x|k>       E(i)-E(k)    coef. de Einstein"));
    destino.escribir("");
    double S = 0.0;
    for (int k = 1; k < I; ++k) {
        const double x = XMAT(k, I);
        const double dE = ENER[static_cast<size_t>(I - 1)] - ENER[static_cast<size_t>(k - 1)];
        const double a = dE * dE * dE * FACTOR_EINSTEIN * (x * x);
        S = S + a;
        // A term that is not finite leaves the sum not finite for good, so
        // checking the sum checks every term.
        io::exigir_finito(dE, claves::transiciones);
        io::exigir_finito(S, claves::transiciones);
        const std::string abajo = I < 10 ? linea(io::I(2, k), blancos(4)) : linea(io::I(3, k), blancos(3));
        destino.escribir(linea(blancos(5), io::I(3, I), " ->", abajo, E(14, 6, x), blancos(1), E(14, 6, dE), blancos(1),
                               E(14, 6, a)));
    }
    destino.escribir("");
    destino.escribir("");
    // A state coupled to no lower state never decays: its lifetime is
    // written as a word rather than as 1/0.
    const double vida = S != 0.0 ? 1.0 / S : HUGE_VAL;
    const io::Campo campo = std::isinf(vida) ? A(14, "infinitos") : E(14, 6, vida);
    destino.escribir(linea(blancos(4), "La vida media de este estado son", campo, " segundos"));
}

} // namespace

double SERSEN(const SerieSenos& s, double x) {
    double suma = 0.0;
    double k = 1.0;
    for (int i = 0; i < s.NB; ++i) {
        suma = suma + s.C[static_cast<size_t>(i)] * std::sin(k * PI * x / s.L);
        k = k + 1.0;
    }
    return suma;
}

double INVIMPAR(int n) { return n % 2 != 0 ? 1.0 / n : 0.0; }

double CORCHETE(int i, int j, int k) {
    return INVIMPAR(i - j + k) + INVIMPAR(i + j - k) - INVIMPAR(i - j - k) - INVIMPAR(i + j + k);
}

std::vector<double> probabilidades_estado(const Problema& p, int I, const Matriz& VECT,
                                          const std::vector<double>& XMALLA, SerieSenos& s) {
    s.NB = p.NBASE;
    s.C = problema::reservar(p.NBASE);
    for (int k = 1; k <= p.NBASE; ++k) s.C[static_cast<size_t>(k - 1)] = VECT(k, I);
    s.L = p.LONGITUD;
    const double F = std::sqrt(2.0 / p.LONGITUD);
    std::vector<double> P(static_cast<size_t>(p.NZONAS));
    size_t pos = 0;
    auto psi2 = [&] {
        const double psi = SERSEN(s, XMALLA[pos++] - p.XIZQ);
        return psi * psi;
    };
    for (int z = 1; z <= p.NZONAS; ++z) {
        const double h = paso(p, z);
        const double f0 = psi2();
        double O = 0.0, G = 0.0;
        for (int r = 0; r < pares(p); ++r) {
            O += psi2();
            G += psi2();
        }
        O += psi2();
        const double fN = psi2();
        P[static_cast<size_t>(z - 1)] = simpson(f0, O, G, fN, F, h);
    }
    return P;
}

ProbabilidadesZonas::ProbabilidadesZonas(const Problema& p, const Matriz& VECT, const std::vector<double>& XMALLA)
    : nzonas_(static_cast<size_t>(p.NZONAS)), P_(problema::reservar(p.NBASE, p.NZONAS)) {
    const int n = p.NBASE;
    const size_t un = static_cast<size_t>(n);
    // Row k of VECT, contiguous: the coefficient of sine k in every state.
    std::vector<double> filas = problema::reservar(n, n);
    for (int I = 1; I <= n; ++I)
        for (int k = 1; k <= n; ++k) filas[static_cast<size_t>(k - 1) * un + (I - 1)] = VECT(k, I);
    // The points are taken in groups: their sines, and ψ of every state at each.
    constexpr size_t GRUPO = 4;
    std::vector<double> senos = problema::reservar(GRUPO, n);
    std::vector<double> psi = problema::reservar(GRUPO, n);
    std::vector<double> f0 = problema::reservar(n), O = problema::reservar(n), G = problema::reservar(n);
    const double F = std::sqrt(2.0 / p.LONGITUD);
    const int m = pares(p);
    const int puntos = 2 * m + 3;
    size_t pos = 0;
    for (int z = 1; z <= p.NZONAS; ++z) {
        const double h = paso(p, z);
        std::fill(O.begin(), O.end(), 0.0);
        std::fill(G.begin(), G.end(), 0.0);
        problema::por_bloques(puntos, static_cast<int>(GRUPO), [&](int j0, int cuantos) {
            const size_t en_grupo = static_cast<size_t>(cuantos);
            for (size_t g = 0; g < GRUPO; ++g) {
                // A short last group repeats its last point; its results are not used.
                const double x = XMALLA[pos + std::min(g, en_grupo - 1)] - p.XIZQ;
                double kd = 1.0;
                for (size_t k = 0; k < un; ++k) {
                    senos[g * un + k] = std::sin(kd * PI * x / p.LONGITUD);
                    kd = kd + 1.0;
                }
            }
            pos += en_grupo;
            // Each ψ is summed over k in order from 0, as SERSEN sums it, four
            // states at a time so that the sums stay in registers.
            size_t I0 = 0;
            for (; I0 + 4 <= un; I0 += 4) {
                double a[GRUPO][4] = {};
                for (size_t k = 0; k < un; ++k) {
                    const double* c = &filas[k * un + I0];
                    for (size_t g = 0; g < GRUPO; ++g) {
                        const double sk = senos[g * un + k];
                        for (size_t i = 0; i < 4; ++i) a[g][i] = a[g][i] + c[i] * sk;
                    }
                }
                for (size_t g = 0; g < GRUPO; ++g)
                    for (size_t i = 0; i < 4; ++i) psi[g * un + I0 + i] = a[g][i];
            }
            for (; I0 < un; ++I0)
                for (size_t g = 0; g < GRUPO; ++g) {
                    double y = 0.0;
                    for (size_t k = 0; k < un; ++k) y = y + filas[k * un + I0] * senos[g * un + k];
                    psi[g * un + I0] = y;
                }
            for (size_t g = 0; g < en_grupo; ++g) {
                const int j = j0 + static_cast<int>(g);
                const double* y = &psi[g * un];
                if (j == 0) {
                    for (size_t I = 0; I < un; ++I) f0[I] = y[I] * y[I];
                } else if (j == puntos - 1) {
                    for (size_t I = 0; I < un; ++I)
                        P_[I * nzonas_ + (z - 1)] = simpson(f0[I], O[I], G[I], y[I] * y[I], F, h);
                } else if (j % 2 == 1) {
                    for (size_t I = 0; I < un; ++I) O[I] += y[I] * y[I];
                } else {
                    for (size_t I = 0; I < un; ++I) G[I] += y[I] * y[I];
                }
            }
        });
    }
}

void CALPROB(const Problema& p, int I, const Matriz& VECT, const Matriz& XMAT, const std::vector<double>& ENER,
             const std::vector<double>& XMALLA, Canal& destino, const ProbabilidadesZonas* zonas) {
    if (I > 1) transiciones(I, XMAT, ENER, destino);
    raya(destino);
    if (p.NZONAS <= 1) return;

    std::vector<double> propias;
    if (!zonas) {
        SerieSenos s;
        propias = probabilidades_estado(p, I, VECT, XMALLA, s);
    }
    destino.escribir("");
    destino.escribir("");
    destino.escribir(linea(blancos(5), "Con esta funcion de onda, La probabilidad de encontrar la particula:"));
    for (int z = 1; z <= p.NZONAS; ++z) {
        const double P = zonas ? (*zonas)(z, I) : propias[static_cast<size_t>(z - 1)];
        io::exigir_finito(P, claves::probabilidades_zonas);
        destino.escribir("");
        destino.escribir(linea(blancos(5), "en la zona", io::I(2, z), " vale:", F(7, 4, P)));
    }
    raya(destino);
}

} // namespace calculos
