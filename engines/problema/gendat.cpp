#include "problema/gendat.hpp"

#include <cmath>

#include "io/errores.hpp"

namespace problema {

SegmentoRecordado& segmento_recordado() {
    static SegmentoRecordado s;
    return s;
}

namespace {

// The doubles nearest 1/6 and 1/24: the vibration constants are multiplied.
constexpr double C6 = 0.16666666666666666;
constexpr double C24 = 0.041666666666666664;

// The line of a segment at x. A segment of zero width is a vertical step:
// its left value left of it, its right value from its abscissa on.
double sobre_segmento(const SegmentoRecordado& s, double x) {
    if (s.XB == s.XA) return x < s.XA ? s.VA : s.VB;
    return ((s.VB - s.VA) * (x - s.XA)) / (s.XB - s.XA) + s.VA;
}

class Muestreo {
public:
    Muestreo(const Problema& p, ini::Mensajes& m, int estado_parada, SegmentoRecordado& s)
        : p_(p), m_(m), estado_parada_(estado_parada), s_(s) {}

    void empezar_zona() { zona_cubierta_ = false; }

    // The potential at x of zone i. The sample is not touched for a type
    // outside 1 to 4, which the reader refuses.
    void muestra(int i, double x, double& v) {
        switch (p_.ITIPO(i)) {
        case constante: v = p_.ZONA(i, 3); break;
        case poligonal: v = en_poligonal(i, x); break;
        case vibracion: v = en_vibracion(i, x); break;
        case potencias: v = en_potencias(i, x); break;
        }
    }

private:
    const Problema& p_;
    ini::Mensajes& m_;
    int estado_parada_;
    SegmentoRecordado& s_;
    bool zona_cubierta_ = false;  // an earlier point of this zone lay on a segment

    void recordar(int i, int j) { s_ = {p_.POLI(i, j, 1), p_.POLI(i, j + 1, 1), p_.POLI(i, j, 2), p_.POLI(i, j + 1, 2)}; }

    double en_poligonal(int i, double x) {
        const int np = p_.NPOL(i);
        bool cubierto = false;
        // The last segment that covers x wins: at an inner vertex, the later one.
        for (int j = 1; j <= np - 1; ++j) {
            if (p_.POLI(i, j, 1) <= x && x <= p_.POLI(i, j + 1, 1)) {
                recordar(i, j);
                cubierto = true;
            }
        }
        if (cubierto) {
            zona_cubierta_ = true;
        } else if (x < p_.POLI(i, 1, 1)) {
            recordar(i, 1);  // left of the first vertex: the first segment's line
        } else if (!zona_cubierta_) {
            recordar(i, np - 1);  // right of the last vertex with nothing covered yet: the last segment's line
        }
        // Otherwise, right of the last vertex, the segment of the previous point goes on.
        return sobre_segmento(s_, x);
    }

    double en_vibracion(int i, double x) const {
        const double d = x - p_.ZONA(i, 4);
        const double t = p_.ZONA(i, 6) * C6 * d + p_.ZONA(i, 5) * 0.5;
        const double u = p_.ZONA(i, 7) * C24;
        return d * d * (u * (d * d) + t) + p_.ZONA(i, 3);
    }

    double en_potencias(int i, double x) {
        // The two running sums live in the storage of the remembered segment's potentials.
        double& P = s_.VA;
        double& N = s_.VB;
        const auto Y = [&](int k) { return p_.ZONA(i, 3 + k); };   // coefficient of x^k, k = 0..6
        const auto YM = [&](int k) { return p_.ZONA(i, 9 + k); };  // coefficient of x^-k, k = 1..6
        P = x * (Y(1) + x * (Y(2) + x * (Y(3) + x * (Y(4) + x * (Y(5) + x * (Y(6) + 0.0))))));
        N = 0.0;
        // Near 0 the sum of the negative powers would divide by x. Without
        // them the series is a polynomial, whose value at 0 is its constant
        // term; with one of them, the point stops the run.
        if (std::fabs(x) < 1e-8) {
            for (int k = 1; k <= 6; ++k)
                if (YM(k) != 0.0) {
                    m_.escribir(claves::origen_en_potencias);
                    throw io::Parada{estado_parada_};
                }
            return (P + Y(0)) + N;
        }
        for (int k = 6; k >= 1; --k) N = (N + YM(k)) / x;
        return (P + Y(0)) + N;
    }
};

} // namespace

void GENDAT(const Problema& p, std::span<double> XMALLA, std::span<double> VMALLA, int n, ini::Mensajes& m,
            int estado_parada, SegmentoRecordado& s) {
    Muestreo muestreo(p, m, estado_parada, s);
    for (int i = 1; i <= p.NZONAS; ++i) {
        muestreo.empezar_zona();
        const double h = (p.ZONA(i, XFIN) - p.ZONA(i, XINI)) / (static_cast<double>(n) - 1.0);
        const size_t base = static_cast<size_t>(i - 1) * static_cast<size_t>(n > 0 ? n : 0);
        double x = p.ZONA(i, XINI);
        for (int k = 0; k < n; ++k) {
            XMALLA[base + k] = x;
            muestreo.muestra(i, x, VMALLA[base + k]);
            x = x + h;
        }
    }
}

} // namespace problema
