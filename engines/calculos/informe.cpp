#include "calculos/informe.hpp"

#include <chrono>
#include <cmath>
#include <ctime>
#include <optional>

#include "calculos/calprob.hpp"
#include "calculos/matout.hpp"
#include "io/errores.hpp"
#include "io/registro.hpp"

namespace calculos {

using io::A;
using io::blancos;
using io::E;
using io::F;
using io::I;
using io::linea;
using problema::Matriz;
using problema::Problema;
using problema::XFIN;
using problema::XINI;

void CARACTER(int a, int n, Canal& destino, char c) {
    destino.escribir(linea(blancos(1), blancos(a), io::repetir(n, c)));
}

void SEPARADOR(Canal& destino) {
    destino.escribir("");
    destino.escribir("... / ...");
}

Fecha fecha_de_hoy() {
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&t, &local);
    return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

bool fuera_de_malla(double x, double h) {
    const double q = x / h;
    const double resto = std::fabs(q - std::trunc(q));
    // A quotient just below a whole number (0.7 / 0.1 = 6.999999999999999)
    // lies on the grid as much as one just above it.
    return resto > 1e-8 && 1.0 - resto > 1e-8;
}

namespace {

constexpr double HARTREE_CM = 219474.6307;
constexpr double HARTREE_KCAL = 627.515;

// The five rules of the report.
void estrellas(Canal& d) { CARACTER(7, 70, d, '*'); }
void guiones(Canal& d) { CARACTER(6, 71, d, '-'); }
void raya_nivel(Canal& d) { CARACTER(18, 48, d, '-'); }
void raya_estado(Canal& d) { CARACTER(4, 75, d, '-'); }
void raya_final(Canal& d) { CARACTER(5, 65, d, '*'); }

// A state or level number as wide as it needs, up to four digits.
io::Campo numero(int k) { return I(k < 10 ? 1 : k < 100 ? 2 : k < 1000 ? 3 : 4, k); }

class Informe {
public:
    Informe(const Problema& p, Trabajo& t, const Textos& texto, Canal& d) : p_(p), t_(t), texto_(texto), d_(d) {}

    void problema();
    void matrices();
    void niveles();
    void estados();
    void cierre(const Transcurrido& tiempo, const Fecha& fecha);

private:
    void zona(int i);
    void matriz(int clave, Matriz& M, bool en_la_base_propia);
    void w(const std::string& r) { d_.escribir(r); }
    std::string tx(int clave) const { return texto_(clave); }

    const Problema& p_;
    Trabajo& t_;
    const Textos& texto_;
    Canal& d_;
};

void Informe::problema() {
    w("");
    estrellas(d_);
    w("");
    w(linea(blancos(7), "***", blancos(2), tx(1005), blancos(10), tx(183), blancos(4), "***"));
    w("");
    estrellas(d_);
    w("");
    w(linea(blancos(14), tx(1006)));
    w("");
    w(linea(blancos(9), tx(1007)));
    w("");
    w(linea(blancos(8), tx(1008)));
    guiones(d_);
    for (int i = 1; i <= p_.NZONAS; ++i) zona(i);
    w("");
    w(linea(blancos(22), tx(1021)));
    w("");
    w("");
    guiones(d_);
    w("");
    w("");
    w(linea(blancos(32), tx(1022), blancos(1), ":", E(14, 7, p_.LONGITUD)));
    w("");
    w("");
    if (p_.NPUNTOS < 1000)
        w(linea(blancos(33), tx(1023), blancos(1), ":", I(3, p_.NPUNTOS)));
    else
        w(linea(blancos(31), tx(1023), blancos(1), ":", I(7, p_.NPUNTOS)));
    w("");
    SEPARADOR(d_);
}

void Informe::zona(int i) {
    w("");
    w(linea(blancos(41), tx(1009), blancos(1), I(2, i), " :"));
    w("");
    w(linea(blancos(32), F(7, 3, p_.ZONA(i, XINI)), "   <  x  < ", F(7, 3, p_.ZONA(i, XFIN))));
    switch (p_.ITIPO(i)) {
    case problema::potencias: {
        w("");
        w(linea(blancos(32), tx(1010)));
        w("");
        w(linea(blancos(19), "  V(x) = ...+ ym2/X**2 + ym1/X + y0 + y1*X +..."));
        w("");
        w(linea(blancos(30), tx(1011), blancos(3), "y0=", F(7, 3, p_.ZONA(i, 3))));
        w("");
        w(linea(blancos(28), tx(1012), ":"));
        std::string positivas = linea(blancos(16));
        for (int c = 4; c <= 9; ++c) positivas += linea(blancos(2), F(7, 3, p_.ZONA(i, c)));
        w(positivas);
        w("");
        w(linea(blancos(28), tx(1013), ":"));
        std::string negativas = linea(blancos(16));
        for (int c = 10; c <= 15; ++c) negativas += linea(blancos(2), F(7, 3, p_.ZONA(i, c)));
        w(negativas);
        w("");
        guiones(d_);
        break;
    }
    case problema::vibracion:
        w("");
        w(linea(blancos(32), tx(1014)));
        w("");
        w(linea(blancos(16), "  V(x) = (1/2)*k2*(x-x0)**2 + (1/6)*k3*(x-x0)**3 + \xB7\xB7\xB7"));
        break;
    case problema::poligonal: {
        w("");
        w(linea(blancos(32), tx(1015)));
        w("");
        w("");
        w(linea(blancos(30), A(8, tx(1016)), blancos(1), "(=", blancos(7), I(2, p_.NPOL(i)), ")"));
        w("");
        const double h = (p_.ZONA(i, XFIN) - p_.ZONA(i, XINI)) / static_cast<double>(p_.NPUNTOS - 1);
        bool fuera = false;
        for (int k = 1; k <= p_.NPOL(i); ++k) {
            w(linea(blancos(33), F(8, 3, p_.POLI(i, k, 1)), blancos(2), F(8, 3, p_.POLI(i, k, 2))));
            fuera = fuera || fuera_de_malla(p_.POLI(i, k, 1), h);
        }
        if (fuera) {
            w("");
            w(linea(blancos(14), tx(1017)));
            w("");
            w("");
            w(linea(blancos(10), tx(1018)));
            w("");
            w("");
            w(linea(blancos(9), tx(1019)));
            w("");
        }
        break;
    }
    case problema::constante:
        w("");
        w(linea(blancos(35), tx(1020)));
        w("");
        break;
    default:
        break;
    }
    w("");
    guiones(d_);
}

void Informe::matriz(int clave, Matriz& M, bool en_la_base_propia) {
    io::exigir_finitos(M.elementos(), clave);
    const int n = p_.NBASE;
    if (n <= 99) {
        w("");
        w("");
        w(linea(blancos(2), tx(clave), blancos(1), "(", tx(1025), blancos(1), "=", I(3, n), " ):"));
    } else {
        w("");
        w(linea(blancos(1), tx(clave), blancos(1), "(", tx(1025), blancos(1), "=", I(5, n), " ):"));
    }
    MATOUT(n, M, 7, d_);
    if (!en_la_base_propia) TAT(n, M, t_.VECT);
    SEPARADOR(d_);
}

void Informe::matrices() {
    matriz(1024, t_.VPOT, false);
    matriz(1026, t_.VPOT, true);
    matriz(1027, t_.TCIN, false);
    matriz(1028, t_.TCIN, true);
    matriz(1029, t_.HAM, false);
    matriz(1030, t_.HAM, true);
    matriz(1031, t_.XMAT, false);
    matriz(1032, t_.XMAT, true);
}

void Informe::niveles() {
    w("");
    w("");
    w("");
    // The energies, in every unit the report gives them, and the
    // eigenvectors, which the eigen data repeat.
    for (double e : t_.ENER) {
        io::exigir_finito(e * HARTREE_CM, claves::energias);
        io::exigir_finito(e * HARTREE_KCAL, claves::energias);
    }
    io::exigir_finitos(t_.VECT.elementos(), claves::vectores);
    w(linea(blancos(9), tx(1033), blancos(2), "( u.a. y cm-1 ):"));
    for (int k = 1; k <= p_.NBASE; ++k) {
        const double e = t_.ENER[static_cast<size_t>(k - 1)];
        w("");
        raya_nivel(d_);
        w(linea(blancos(19), tx(1034), blancos(1), "(", numero(k), ") = ", F(12, 6, e), blancos(3),
                F(12, 1, e * HARTREE_CM)));
        raya_nivel(d_);
    }
    SEPARADOR(d_);
}

void Informe::estados() {
    // The zone probabilities of all states are computed in one pass over the
    // grid, after the transforms have released their work matrices.
    std::optional<ProbabilidadesZonas> zonas;
    if (p_.NZONAS > 1) zonas.emplace(p_, t_.VECT, t_.XMALLA);
    for (int i = 1; i <= p_.NBASE; ++i) {
        const double e = t_.ENER[static_cast<size_t>(i - 1)];
        w("");
        w(linea(blancos(2), tx(1035), I(3, i)));
        w("");
        if (i < 100) raya_estado(d_);
        w(linea(blancos(5), tx(1036), "(", numero(i), ") = ", F(12, 6, e), " (Hartree)", F(12, 1, e * HARTREE_CM),
                " (cm-1)", F(12, 2, e * HARTREE_KCAL), " (Kcal/mol)"));
        raya_estado(d_);
        w("");
        w("");
        w(linea(blancos(2), tx(1037), ":"));
        w("");
        VECTOUT(p_.NBASE, t_.VECT, i, 7, d_);
        CALPROB(p_, i, t_.VECT, t_.XMAT, t_.ENER, t_.XMALLA, d_, zonas ? &*zonas : nullptr);
        SEPARADOR(d_);
    }
}

void Informe::cierre(const Transcurrido& tiempo, const Fecha& fecha) {
    w("");
    w("");
    w("");
    w(linea(blancos(5), "**", blancos(1), tx(1038), blancos(1), io::repetir(56, '*')));
    w(linea(blancos(17), tx(1039), ":", I(3, tiempo.horas), blancos(1), tx(1040), I(3, tiempo.minutos), "\xB4",
            F(5, 1, tiempo.segundos), "\xB4\xB4"));
    raya_final(d_);
    w("");
    w("");
    w("");
    w("");
    w("");
    std::string titulo = p_.TITULO.substr(0, 50);
    titulo.resize(50, ' ');
    w(linea(blancos(5), titulo, blancos(5), I(2, fecha.dia), "/", I(2, fecha.mes), "/",
            I(4, fecha.anio)));
}

} // namespace

void escribir_informe(const Problema& p, Trabajo& t, const Transcurrido& tiempo, const Fecha& fecha,
                      const Textos& texto, Canal& destino) {
    Informe r(p, t, texto, destino);
    r.problema();
    r.matrices();
    r.niveles();
    r.estados();
    r.cierre(tiempo, fecha);
}

} // namespace calculos
