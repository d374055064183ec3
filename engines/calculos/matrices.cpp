#include "calculos/matrices.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "io/errores.hpp"
#include "problema/bloques.hpp"

namespace calculos {

using problema::Matriz;
using problema::Problema;

namespace {

constexpr int estado_parada = -1;

// The upper triangle (j ≤ i) of an order-n matrix packed by rows, so that
// the elements (j, j..n) of one row stand side by side.
class Triangulo {
public:
    explicit Triangulo(int n) : n_(n), a_(problema::reservar(static_cast<long long>(n) * (n + 1LL) / 2)) {}
    double* fila(int j) { return a_.data() + inicio(j); }  // element (j, i) is fila(j)[i - j]
    void anular() { std::fill(a_.begin(), a_.end(), 0.0); }

private:
    size_t inicio(int j) const {
        const size_t r = static_cast<size_t>(j - 1);
        return r * (static_cast<size_t>(n_) + 1) - r * (r + 1) / 2;
    }
    int n_;
    std::vector<double> a_;
};

// The sines of a run of consecutive samples of one zone, and the products
// V · sine, one row of NBASE values per sample. Every sine is formed once, by
// the same expression (π·n)·(x − XIZQ)/L, whatever pair it serves.
class Senos {
public:
    Senos(int nbase, int filas)
        : nbase_(nbase), s_(problema::reservar(filas, nbase)), vs_(problema::reservar(filas, nbase)) {}

    void calcular(int fila, double x, double v, double XIZQ, double L) {
        double* s = seno(fila);
        double* vs = v_por_seno(fila);
        for (int n = 1; n <= nbase_; ++n) {
            s[n - 1] = std::sin(PI * n * (x - XIZQ) / L);
            vs[n - 1] = v * s[n - 1];
        }
    }
    double* seno(int fila) { return s_.data() + static_cast<size_t>(fila) * nbase_; }
    double* v_por_seno(int fila) { return vs_.data() + static_cast<size_t>(fila) * nbase_; }

private:
    int nbase_;
    std::vector<double> s_, vs_;
};

// acumulado[i] += a · s[i], for i from 0 to cuantos − 1, each term in turn.
void sumar_producto(double* acumulado, double a, const double* s, int cuantos) {
    for (int i = 0; i < cuantos; ++i) acumulado[i] = acumulado[i] + a * s[i];
}

} // namespace

void VMAT(const Problema& p, std::span<const double> XMALLA, std::span<const double> VMALLA, int NPUNTOS, Matriz& VPOT,
          ini::Mensajes& m) {
    if (NPUNTOS % 2 == 0) {
        m.escribir(claves::puntos_pares);
        throw io::Parada{estado_parada};
    }
    const int N = p.NBASE;
    const double L = p.LONGITUD, XIZQ = p.XIZQ;
    const int P = NPUNTOS;

    // Per pair (j, i): the sums of F over the odd and the even inner samples
    // of the zone, added in increasing sample order; F(k) = (V·sin_j)·sin_i.
    Triangulo impares(N), pares(N);
    constexpr int bloque = 32;  // samples whose sines are held at once
    Senos senos(N, bloque), extremos(N, 2);

    for (int j = 1; j <= N; ++j)
        for (int i = j; i <= N; ++i) VPOT(j, i) = 0.0;

    for (int z = 1; z <= p.NZONAS; ++z) {
        const double H = (p.ZONA(z, problema::XFIN) - p.ZONA(z, problema::XINI)) / static_cast<double>(P - 1);
        const size_t base = static_cast<size_t>(z - 1) * static_cast<size_t>(P);
        impares.anular();
        pares.anular();
        problema::por_bloques(P, bloque, [&](int k0, int filas) {
            for (int b = 0; b < filas; ++b) senos.calcular(b, XMALLA[base + k0 + b], VMALLA[base + k0 + b], XIZQ, L);
            for (int j = 1; j <= N; ++j) {
                double* imp = impares.fila(j);
                double* par = pares.fila(j);
                for (int b = 0; b < filas; ++b) {
                    const int k = k0 + b;
                    if (k == 0 || k == P - 1) continue;
                    sumar_producto(k % 2 == 1 ? imp : par, senos.v_por_seno(b)[j - 1], senos.seno(b) + (j - 1),
                                   N - j + 1);
                }
            }
        });
        // The first and the last sample carry weight 1.
        extremos.calcular(0, XMALLA[base], VMALLA[base], XIZQ, L);
        extremos.calcular(1, XMALLA[base + P - 1], VMALLA[base + P - 1], XIZQ, L);
        const double* s0 = extremos.seno(0);
        const double* vs0 = extremos.v_por_seno(0);
        const double* s1 = extremos.seno(1);
        const double* vs1 = extremos.v_por_seno(1);
        for (int j = 1; j <= N; ++j) {
            const double* imp = impares.fila(j);
            const double* par = pares.fila(j);
            for (int i = j; i <= N; ++i) {
                const double F0 = vs0[j - 1] * s0[i - 1];
                const double Fn = vs1[j - 1] * s1[i - 1];
                const double S = H / 3.0 * (F0 + 4.0 * imp[i - j] + 2.0 * par[i - j] + Fn);
                VPOT(j, i) = VPOT(j, i) + S;
            }
        }
    }
    for (int j = 1; j <= N; ++j)
        for (int i = j; i <= N; ++i) VPOT(j, i) = 2.0 / L * VPOT(j, i);
}

void construir_matrices(const Problema& p, Trabajo& t, ini::Mensajes& m) {
    const int N = p.NBASE;
    const double L = p.LONGITUD;
    VMAT(p, t.XMALLA, t.VMALLA, p.NPUNTOS, t.VPOT, m);
    for (int i = 1; i <= N; ++i) {
        const double k = i * PI / L;
        t.TCIN(i, i) = k * k * 0.5 / p.MASA;
        t.XMAT(i, i) = L * 0.5 + p.XIZQ;
        t.HAM(i, i) = t.TCIN(i, i) + t.VPOT(i, i);
    }
    const double c = L * 8.0 / PI2;
    for (int i = 2; i <= N; ++i) {
        for (int j = 1; j <= i - 1; ++j) {
            t.TCIN(j, i) = 0.0;
            if ((i + j) % 2 == 0) {
                t.XMAT(j, i) = 0.0;
            } else {
                const double di = i, dj = j;
                const double dif = dj * dj - di * di;
                t.XMAT(j, i) = -(di * dj * c) / (dif * dif);
            }
            t.HAM(j, i) = t.TCIN(j, i) + t.VPOT(j, i);
            t.TCIN(i, j) = t.TCIN(j, i);
            t.VPOT(i, j) = t.VPOT(j, i);
            t.XMAT(i, j) = t.XMAT(j, i);
            t.HAM(i, j) = t.HAM(j, i);
        }
    }
}

} // namespace calculos
