#include "engines/literal.hpp"

#include <array>
#include <cmath>

#include "calculos/matrices.hpp"

namespace literal {

using problema::Matriz;
using problema::Problema;
using calculos::PI;
using calculos::PI2;

double VMAT(int n, int m, const Problema& p, const std::vector<double>& XMALLA, const std::vector<double>& VMALLA,
            int NPUNTOS) {
    std::array<double, 10> S{};
    for (int z = 1; z <= p.NZONAS; ++z) {
        const double H = (p.ZONA(z, problema::XFIN) - p.ZONA(z, problema::XINI)) / static_cast<double>(NPUNTOS - 1);
        const size_t base = static_cast<size_t>(z - 1) * NPUNTOS;
        auto F = [&](int k) {
            const double x = XMALLA[base + k], v = VMALLA[base + k];
            return v * std::sin(PI * n * (x - p.XIZQ) / p.LONGITUD) * std::sin(PI * m * (x - p.XIZQ) / p.LONGITUD);
        };
        double impares = 0.0, pares = 0.0;
        for (int k = 1; k <= NPUNTOS - 2; k += 2) impares = impares + F(k);
        for (int k = 2; k <= NPUNTOS - 3; k += 2) pares = pares + F(k);
        S[z - 1] = H / 3.0 * (F(0) + 4.0 * impares + 2.0 * pares + F(NPUNTOS - 1));
    }
    double suma = 0.0;
    for (int z = 1; z <= p.NZONAS; ++z) suma = suma + S[z - 1];
    return 2.0 / p.LONGITUD * suma;
}

Matrices construir_matrices(const Problema& p, const std::vector<double>& XMALLA, const std::vector<double>& VMALLA) {
    const int N = p.NBASE;
    const double L = p.LONGITUD;
    Matrices r{Matriz(N), Matriz(N), Matriz(N), Matriz(N)};
    for (int i = 1; i <= N; ++i) {
        const double k = i * PI / L;
        r.TCIN(i, i) = k * k * 0.5 / p.MASA;
        r.VPOT(i, i) = VMAT(i, i, p, XMALLA, VMALLA, p.NPUNTOS);
        r.XMAT(i, i) = L * 0.5 + p.XIZQ;
        r.HAM(i, i) = r.TCIN(i, i) + r.VPOT(i, i);
    }
    for (int i = 2; i <= N; ++i) {
        for (int j = 1; j <= i - 1; ++j) {
            r.TCIN(j, i) = 0.0;
            r.VPOT(j, i) = VMAT(j, i, p, XMALLA, VMALLA, p.NPUNTOS);
            if ((i + j) % 2 == 0) {
                r.XMAT(j, i) = 0.0;
            } else {
                const double c = L * 8.0 / PI2;
                const double ij = static_cast<double>(static_cast<long long>(i) * j);
                const long long dif = static_cast<long long>(j) * j - static_cast<long long>(i) * i;
                r.XMAT(j, i) = -(ij * c) / static_cast<double>(dif * dif);
            }
            r.HAM(j, i) = r.TCIN(j, i) + r.VPOT(j, i);
            r.TCIN(i, j) = r.TCIN(j, i);
            r.VPOT(i, j) = r.VPOT(j, i);
            r.XMAT(i, j) = r.XMAT(j, i);
            r.HAM(i, j) = r.HAM(j, i);
        }
    }
    return r;
}

Jacobi JACOBI(int N, const Matriz& A, double TOL, int IORD, long limite, bool anotar_pivotes) {
    Jacobi r{Matriz(N), std::vector<double>(static_cast<size_t>(N)), {}, false, 0.0};
    Matriz W(N);
    Matriz& V = r.V;
    for (int j = 1; j <= N; ++j) {
        W(j, j) = A(j, j);
        for (int i = 1; i < j; ++i) W(i, j) = W(j, i) = A(j, i);
    }
    for (int i = 1; i <= N; ++i) V(i, i) = 1.0;

    for (long iter = 1; iter <= limite; ++iter) {
        double max = 0.0;
        int p = 0, q = 0;
        for (int qq = 2; qq <= N; ++qq)
            for (int pp = 1; pp <= qq - 1; ++pp)
                if (std::fabs(W(qq, pp)) > max) {
                    max = std::fabs(W(qq, pp));
                    p = pp;
                    q = qq;
                }
        r.max = max;
        if (max < TOL || p == 0) {
            r.convergido = true;
            break;
        }
        if (anotar_pivotes) r.pivotes.push_back({p, q, max});
        const double a_pp = W(p, p), a_qq = W(q, q), a_pq = W(q, p);
        const double m = (a_qq + a_pp) * 0.5;
        const double d = (a_qq - a_pp) * 0.5;
        const double rr = std::sqrt(a_pq * a_pq + d * d);
        const double t1 = std::fabs(d) / rr;
        double t2 = a_pq / rr;
        if (a_pp > a_qq) {
        } else {
            t2 = -t2;
        }
        const double c = std::sqrt((1.0 + t1) * 0.5);
        const double s = t2 * 0.5 / c;
        for (int k = 1; k <= N; ++k) {
            const double w_q = W(k, q), w_p = W(k, p);
            W(k, q) = c * w_q - s * w_p;
            W(q, k) = W(k, q);
            W(k, p) = s * w_q + c * w_p;
            W(p, k) = W(k, p);
        }
        W(q, q) = (m + d * t1) - a_pq * t2;
        W(p, p) = (m - d * t1) + a_pq * t2;
        W(p, q) = W(q, p) = 0.0;
        for (int k = 1; k <= N; ++k) {
            const double v_q = V(k, q), v_p = V(k, p);
            V(k, q) = c * v_q - s * v_p;
            V(k, p) = s * v_q + c * v_p;
        }
    }
    for (int i = 1; i <= N - 1; ++i)
        for (int j = i + 1; j <= N; ++j)
            if ((IORD < 0 && W(i, i) >= W(j, j)) || (IORD > 0 && W(i, i) <= W(j, j))) {
                std::swap(W(i, i), W(j, j));
                for (int k = 1; k <= N; ++k) std::swap(V(k, i), V(k, j));
            }
    for (int k = 1; k <= N; ++k) r.E[k - 1] = W(k, k);
    return r;
}

} // namespace literal
