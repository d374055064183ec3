#include "calculos/jacobi.hpp"

#include <algorithm>
#include <cmath>
#include <new>
#include <numeric>
#include <utility>

#include "io/errores.hpp"
#include "io/registro.hpp"

namespace calculos {

using problema::Matriz;

namespace {

// The first of rows 0..n−1 with the largest value, by a tournament: each
// node holds the winner of its two halves, the lower half winning ties, so
// that changing one row's value costs a walk up the tree.
class Torneo {
public:
    explicit Torneo(int n) {
        while (hojas_ < n) hojas_ *= 2;
        valor_.assign(2 * static_cast<size_t>(hojas_), 0.0);
        fila_.assign(2 * static_cast<size_t>(hojas_), 0);
        for (int r = 0; r < hojas_; ++r) fila_[hojas_ + r] = r;
        for (int i = hojas_ - 1; i >= 1; --i) fila_[i] = fila_[2 * i];
    }
    void poner(int fila, double v) {
        int i = hojas_ + fila;
        valor_[i] = v;
        for (i /= 2; i >= 1; i /= 2)
            if (!jugar(i)) break;  // the winners above stay as they are
    }
    double valor() const { return valor_[1]; }
    int fila() const { return fila_[1]; }

private:
    int hojas_ = 1;
    std::vector<double> valor_;
    std::vector<int> fila_;
    // The winner of node i from its two children; false when it is unchanged.
    bool jugar(int i) {
        const int g = valor_[2 * i + 1] > valor_[2 * i] ? 2 * i + 1 : 2 * i;
        if (valor_[i] == valor_[g] && fila_[i] == fila_[g]) return false;
        valor_[i] = valor_[g];
        fila_[i] = fila_[g];
        return true;
    }
};

// The work matrix W: its lower triangle with the diagonal, packed by rows,
// row k holding W(k, 1..k). Each row also keeps its largest off-diagonal
// magnitude and the first column that reaches it, as the search of the whole
// triangle in the order q = 2..N, p = 1..q−1 finds it; the pivot is then the
// first row whose largest magnitude is the largest of all. A rotation on
// (p, q) changes rows p and q, which are searched again, and one or two
// elements of every later row, which are compared with its largest as they
// change; so a rotation costs O(N) on average, not N²/2.
class MatrizDeTrabajo {
public:
    MatrizDeTrabajo(int n, const Matriz& A)
        : n_(n), a_(problema::reservar(static_cast<long long>(n) * (n + 1LL) / 2)),
          max_(static_cast<size_t>(n) + 1, 0.0), umbral_(static_cast<size_t>(n) + 1, MINIMO),
          arg_(static_cast<size_t>(n) + 1, 0), torneo_(n + 1) {
        for (int k = 1; k <= n; ++k)
            for (int j = 1; j <= k; ++j) fila(k)[j - 1] = A(k, j);
        for (int q = 2; q <= n; ++q) revisar(q);
    }

    double diagonal(int k) { return fila(k)[k - 1]; }

    // The largest magnitude of the lower triangle and its element (q, p);
    // p = 0 when every element is 0 (or not a number).
    double buscar(int& p, int& q) const {
        const double max = torneo_.valor();
        q = max > 0.0 ? torneo_.fila() : 0;
        p = q > 0 ? arg_[q] : 0;
        return max;
    }

    // The rotation that annihilates W(q, p), p < q; c and s as in V.
    [[gnu::noinline]] void rotar(int p, int q, double& c, double& s) {
        double* Rp = fila(p);
        double* Rq = fila(q);
        const double a_pp = Rp[p - 1], a_qq = Rq[q - 1], a_pq = Rq[p - 1];
        const double m = (a_qq + a_pp) * 0.5;
        const double d = (a_qq - a_pp) * 0.5;
        const double r = std::sqrt(a_pq * a_pq + d * d);
        const double t1 = std::fabs(d) / r;
        double t2 = a_pq / r;
        if (!(a_pp > a_qq)) t2 = -t2;
        c = std::sqrt((1.0 + t1) * 0.5);
        s = t2 * 0.5 / c;

        // Every k but p and q, whose elements are set at the end: W(k, q)
        // and W(k, p) become c·w_q − s·w_p and s·w_q + c·w_p.
        for (int k = 1; k < p; ++k) {
            const double w_q = Rq[k - 1], w_p = Rp[k - 1];
            Rq[k - 1] = c * w_q - s * w_p;
            Rp[k - 1] = s * w_q + c * w_p;
        }
        // Later rows change in one or two columns; their largest needs a
        // closer look only when its own column changed or a changed element
        // reaches it, which is rare.
        const double* umbral = umbral_.data();
        const int* arg = arg_.data();
        double* Rk = fila(p + 1);
        for (int k = p + 1; k < q; Rk += k, ++k) {
            const double w_q = Rq[k - 1], w_p = Rk[p - 1];
            const double np = s * w_q + c * w_p;
            Rq[k - 1] = c * w_q - s * w_p;
            Rk[p - 1] = np;
            const double vp = std::fabs(np);
            if ((arg[k] == p) | (vp >= umbral[k])) cambia_uno(k, p, vp);
        }
        Rk = fila(q + 1);
        for (int k = q + 1; k <= n_; Rk += k, ++k) {
            const double w_q = Rk[q - 1], w_p = Rk[p - 1];
            const double nq = c * w_q - s * w_p;
            const double np = s * w_q + c * w_p;
            Rk[q - 1] = nq;
            Rk[p - 1] = np;
            const double vp = std::fabs(np), vq = std::fabs(nq);
            const double v = vp > vq ? vp : vq;
            if ((arg[k] == p) | (arg[k] == q) | (v >= umbral[k])) cambian_dos(k, p, vp, q, vq);
        }
        Rq[q - 1] = (m + d * t1) - a_pq * t2;
        Rp[p - 1] = (m - d * t1) + a_pq * t2;
        Rq[p - 1] = 0.0;
        revisar(p);
        revisar(q);
    }

private:
    // What a changed magnitude must reach to matter in a row whose largest
    // is 0: anything above 0.
    static constexpr double MINIMO = 4.9406564584124654e-324;

    int n_;
    std::vector<double> a_;
    std::vector<double> max_;     // max_[k], arg_[k]: row k's largest magnitude and its first column
    std::vector<double> umbral_;  // max_[k], or MINIMO while it is 0
    std::vector<int> arg_;
    Torneo torneo_;               // over max_

    double* fila(int k) {
        const size_t r = static_cast<size_t>(k - 1);
        return a_.data() + r * (r + 1) / 2;
    }
    void fijar(int k, int c, double v) {
        if (v != max_[k]) torneo_.poner(k, v);
        max_[k] = v;
        umbral_[k] = v > 0.0 ? v : MINIMO;
        arg_[k] = c;
    }
    // Row q searched afresh: the first column with the largest magnitude
    // (none while every magnitude is 0 or not a number). The largest is found
    // over four interleaved runs, then the first column that holds it.
    void revisar(int q) {
        const double* c = fila(q);
        const int n = q - 1;
        double m[4] = {0.0, 0.0, 0.0, 0.0};
        int r = 0;
        for (; r + 4 <= n; r += 4)
            for (int l = 0; l < 4; ++l) {
                const double v = std::fabs(c[r + l]);
                m[l] = v > m[l] ? v : m[l];
            }
        for (; r < n; ++r) {
            const double v = std::fabs(c[r]);
            m[0] = v > m[0] ? v : m[0];
        }
        const double a = m[0] > m[1] ? m[0] : m[1], b = m[2] > m[3] ? m[2] : m[3];
        const double max = a > b ? a : b;
        int arg = 0;
        if (max > 0.0)
            while (std::fabs(c[arg]) != max) ++arg;
        fijar(q, max > 0.0 ? arg + 1 : 0, max);
    }

    // Element (k, c) has changed to magnitude v while the row's largest lies
    // in another column: v takes its place when larger, or equal and earlier.
    void candidato(int k, int c, double v) {
        if (v > max_[k] || (v == max_[k] && max_[k] > 0.0 && c < arg_[k])) fijar(k, c, v);
    }
    // Element (k, p) has changed to magnitude vp.
    [[gnu::noinline]] void cambia_uno(int k, int p, double vp) {
        if (arg_[k] != p) candidato(k, p, vp);
        else if (vp >= max_[k]) fijar(k, p, vp);  // still the first of the largest
        else revisar(k);
    }
    // Elements (k, p) and (k, q), p < q, have changed to magnitudes vp and vq.
    [[gnu::noinline]] void cambian_dos(int k, int p, double vp, int q, double vq) {
        const int a = arg_[k];
        if (a != p && a != q) {
            candidato(k, p, vp);
            candidato(k, q, vq);
        } else if (vp > max_[k] && !(vq > vp)) {
            fijar(k, p, vp);  // above every unchanged element, and first
        } else if (vq > max_[k] && !(vp >= vq)) {
            fijar(k, q, vq);
        } else {
            revisar(k);  // the largest fell, or an unchanged element may tie it
        }
    }
};

void informar_sin_convergencia(io::Consola& informe, long limite, double TOL, double max) {
    informe.escribir(io::linea(io::blancos(1), "TRAS ", io::I(7, limite),
                               " ITERACIONES NO SE HA LOGRADO LA PRECISION REQUERIDA (", io::E(12, 6, TOL), ")"));
    informe.escribir("");
    informe.escribir(
        io::linea(io::blancos(1), "EL VALOR MAXIMO DE LOS ELEMENTOS NO DIAGONALES ES TODAVIA:", io::E(12, 6, max)));
}

// Column j of V becomes the old column origen[j] (0-based), cycle by cycle
// through one column of room.
void permutar_columnas(Matriz& V, std::vector<int>& origen) {
    const int N = V.orden();
    std::vector<double> guardada(static_cast<size_t>(N));
    auto col = [&](int j) { return V.datos() + static_cast<size_t>(j) * N; };
    for (int inicio = 0; inicio < N; ++inicio) {
        if (origen[inicio] == inicio || origen[inicio] < 0) continue;
        std::copy(col(inicio), col(inicio) + N, guardada.begin());
        int j = inicio;
        while (origen[j] != inicio) {
            const int de = origen[j];
            std::copy(col(de), col(de) + N, col(j));
            origen[j] = -1;
            j = de;
        }
        std::copy(guardada.begin(), guardada.end(), col(j));
        origen[j] = -1;
    }
}

bool diagonalizar(int N, const Matriz& A, Matriz& V, std::vector<double>& E, double TOL, int IORD,
                  io::Consola& informe, const OpcionesJacobi& opciones) {
    MatrizDeTrabajo W(N, A);
    for (int j = 1; j <= N; ++j)
        for (int i = 1; i <= N; ++i) V(i, j) = i == j ? 1.0 : 0.0;

    bool convergido = false;
    double max = 0.0;
    for (long rotacion = 1; rotacion <= opciones.limite; ++rotacion) {
        int p, q;
        max = W.buscar(p, q);
        // With no element above 0 there is nothing left to rotate, whatever TOL is.
        if (max < TOL || p == 0) {
            convergido = true;
            break;
        }
        if (opciones.pivotes) opciones.pivotes->push_back({p, q, max});
        double c, s;
        W.rotar(p, q, c, s);
        double* Vq = &V(1, q);
        double* Vp = &V(1, p);
        for (int k = 0; k < N; ++k) {
            const double v_q = Vq[k], v_p = Vp[k];
            Vq[k] = c * v_q - s * v_p;
            Vp[k] = s * v_q + c * v_p;
        }
    }
    if (!convergido) informar_sin_convergencia(informe, opciones.limite, TOL, max);

    // Exchange sort of the diagonal; equal values are exchanged too, and a
    // comparison with a value that is not a number never exchanges. The
    // columns of V follow as a permutation, applied at the end.
    std::vector<double> diagonal(static_cast<size_t>(N));
    for (int k = 1; k <= N; ++k) diagonal[k - 1] = W.diagonal(k);
    std::vector<int> origen(static_cast<size_t>(N));  // column j comes from column origen[j]
    std::iota(origen.begin(), origen.end(), 0);
    for (int i = 0; i < N - 1; ++i) {
        for (int j = i + 1; j < N; ++j) {
            if ((IORD < 0 && diagonal[i] >= diagonal[j]) || (IORD > 0 && diagonal[i] <= diagonal[j])) {
                std::swap(diagonal[i], diagonal[j]);
                std::swap(origen[i], origen[j]);
            }
        }
    }
    permutar_columnas(V, origen);
    for (int k = 1; k <= N; ++k) E[k - 1] = diagonal[k - 1];
    return convergido;
}

} // namespace

double umbral_relativo(int N, const Matriz& A, double TOL) {
    double S = 0.0;
    for (int j = 1; j <= N; ++j)
        for (int i = j; i <= N; ++i) S = std::max(S, std::fabs(A(i, j)));
    return S > 0.0 && S < 1.0 ? TOL * S * 1e-3 : TOL;
}

bool JACOBI(int N, const Matriz& A, Matriz& V, std::vector<double>& E, double TOL, int IORD, io::Consola& informe,
            const OpcionesJacobi& opciones) {
    if (N < 1) return true;
    try {
        return diagonalizar(N, A, V, E, TOL, IORD, informe, opciones);
    } catch (const std::bad_alloc&) {
        throw io::SinMemoria{};  // the row tables and the sort's room, besides W
    }
}

} // namespace calculos
