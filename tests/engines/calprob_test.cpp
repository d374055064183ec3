// The per-state sections of the report: transitions, lifetime and zone
// probabilities; and the routines of the module that nothing calls.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "calculos/calprob.hpp"
#include "fixtures/canal.hpp"

using namespace calculos;
using problema::Matriz;
using problema::Problema;
using prueba::b;
using prueba::CanalMemoria;

namespace {

const std::string rayas(85, '-');

// A problem of constant zones with the given limits.
Problema caja(int nbase, int npuntos, const std::vector<double>& limites) {
    Problema p;
    p.NBASE = nbase;
    p.NPUNTOS = npuntos;
    p.NZONAS = static_cast<int>(limites.size()) - 1;
    for (int z = 1; z <= p.NZONAS; ++z) {
        p.ITIPO(z) = problema::constante;
        p.ZONA(z, problema::XINI) = limites[static_cast<size_t>(z - 1)];
        p.ZONA(z, problema::XFIN) = limites[static_cast<size_t>(z)];
    }
    p.calcular_caja();
    return p;
}

// The grid of the sampler: each zone from its left limit by repeated addition.
std::vector<double> malla(const Problema& p) {
    std::vector<double> x;
    for (int z = 1; z <= p.NZONAS; ++z) {
        const double h = (p.ZONA(z, problema::XFIN) - p.ZONA(z, problema::XINI)) / (p.NPUNTOS - 1.0);
        double v = p.ZONA(z, problema::XINI);
        for (int k = 0; k < p.NPUNTOS; ++k, v += h) x.push_back(v);
    }
    return x;
}

Matriz identidad(int n) {
    Matriz m(n);
    for (int i = 1; i <= n; ++i) m(i, i) = 1.0;
    return m;
}

TEST(Invimpar, IsTheInverseOfOddNumbersOnly) {
    EXPECT_EQ(INVIMPAR(1), 1.0);
    EXPECT_EQ(INVIMPAR(3), 1.0 / 3.0);
    EXPECT_EQ(INVIMPAR(-3), -1.0 / 3.0);
    EXPECT_EQ(INVIMPAR(0), 0.0);
    EXPECT_EQ(INVIMPAR(4), 0.0);
    EXPECT_EQ(INVIMPAR(-2), 0.0);
}

TEST(Corchete, AddsAndSubtractsTheFourTermsInOrder) {
    EXPECT_EQ(CORCHETE(2, 1, 1), 0.0);  // every argument even
    EXPECT_EQ(CORCHETE(1, 1, 1), ((1.0 + 1.0) - (-1.0)) - 1.0 / 3.0);
    EXPECT_EQ(CORCHETE(3, 1, 1), ((1.0 / 3.0 + 1.0 / 3.0) - 1.0) - 1.0 / 5.0);
    EXPECT_EQ(CORCHETE(1, 2, 4), ((1.0 / 3.0 + (-1.0)) - (-1.0 / 5.0)) - 1.0 / 7.0);
}

TEST(Sersen, SumsTheSineSeriesOfTheBox) {
    SerieSenos s{2, {0.0, 1.0}, 2.0};
    EXPECT_DOUBLE_EQ(SERSEN(s, 0.5), 1.0);  // sin(2π · 0.5 / 2)
    s.C = {2.0, 1.0};
    EXPECT_DOUBLE_EQ(SERSEN(s, 0.5), 2.0 * std::sqrt(0.5) + 1.0);
    EXPECT_EQ(SERSEN(SerieSenos{0, {}, 2.0}, 0.5), 0.0);
}

TEST(Calprob, TheGroundStateOfOneZoneHasOnlyTheRule) {
    const Problema p = caja(3, 5, {0, 1});
    CanalMemoria c;
    CALPROB(p, 1, identidad(3), Matriz(3), {0.1, 0.2, 0.3}, malla(p), c);
    EXPECT_EQ(c.lineas, (std::vector<std::string>{"", rayas}));
}

TEST(Calprob, WritesTheTransitionTableAndTheLifetime) {
    const Problema p = caja(2, 5, {0, 1});
    Matriz x(2);
    x(1, 2) = -0.25;
    CanalMemoria c;
    CALPROB(p, 2, identidad(2), x, {0.5, 1.0}, malla(p), c);
    // A = 0.5³ · 21420012000 · 0.25² = 167343843.75; the lifetime is 1/A.
    const std::vector<std::string> esperado = {
        "",
        rayas,
        "",
        "",
        b(6) + "Probabilidades de transicion espontanea :",
        "",
        "",
        b(5) + "Transicion:    <i|x|k>       E(i)-E(k)    coef. de Einstein",
        "",
        b(5) + "  2 -> 1" + b(4) + " -0.250000E+00" + b(1) + "  0.500000E+00" + b(1) + "  0.167344E+09",
        "",
        "",
        b(4) + "La vida media de este estado son  0.597572E-08 segundos",
        "",
        rayas,
    };
    EXPECT_EQ(c.lineas, esperado);
}

TEST(Calprob, TheLowerStateColumnWidensFromState10) {
    struct Caso {
        int I;
        std::string inicio;  // the row of k = 3
    } casos[] = {{5, b(5) + "  5 -> 3" + b(4)}, {9, b(5) + "  9 -> 3" + b(4)}, {10, b(5) + " 10 ->  3" + b(3)},
                 {12, b(5) + " 12 ->  3" + b(3)}};
    for (const auto& k : casos) {
        const Problema p = caja(k.I, 3, {0, 1});
        Matriz x(k.I);
        for (int i = 1; i < k.I; ++i) x(i, k.I) = 0.1;
        std::vector<double> e(static_cast<size_t>(k.I));
        for (int i = 0; i < k.I; ++i) e[static_cast<size_t>(i)] = i;
        CanalMemoria c;
        CALPROB(p, k.I, identidad(k.I), x, e, malla(p), c);
        const std::string& fila = c.lineas[9 + 2];  // k = 3
        EXPECT_EQ(fila.substr(0, k.inicio.size()), k.inicio) << k.I;
        EXPECT_EQ(fila.size(), k.inicio.size() + 44) << k.I;
    }
}

TEST(Calprob, TheLifetimeSumsTheRatesToEveryLowerState) {
    const Problema p = caja(5, 3, {0, 1});
    Matriz x(5);
    for (int k = 1; k <= 4; ++k) x(k, 5) = 0.1 * k;
    CanalMemoria c;
    CALPROB(p, 5, identidad(5), x, {0.0, 0.5, 1.0, 1.5, 2.0}, malla(p), c);
    // Rates 0.08, 0.135, 0.09 and 0.02 times the Einstein factor.
    EXPECT_EQ(c.lineas[11], b(5) + "  5 -> 3" + b(4) + "  0.300000E+00   0.100000E+01   0.192780E+10");
    EXPECT_EQ(c.lineas[15], b(4) + "La vida media de este estado son  0.143647E-09 segundos");
}

TEST(Calprob, AStateWithoutDipoleCouplingHasAnInfiniteLifetime) {
    const Problema p = caja(3, 3, {0, 1});
    CanalMemoria c;
    CALPROB(p, 3, identidad(3), Matriz(3), {0.0, 1.0, 2.0}, malla(p), c);
    EXPECT_EQ(c.lineas[9], b(5) + "  3 -> 1" + b(4) + "  0.000000E+00   0.200000E+01   0.000000E+00");
    EXPECT_EQ(c.lineas[13], b(4) + "La vida media de este estado son     infinitos segundos");
    EXPECT_EQ(c.lineas[13].size(), 4u + 32u + 14u + 9u);
}

TEST(Calprob, WithSeveralZonesWritesTheProbabilityOfEach) {
    // Box [0, 2] in two zones of 3 points: ψ² of state 1 is 0, 1/2, 1 on the
    // first zone, so P = (0 + 4 · 1/2 + 1) · (2/2) · 0.5 / 3.
    const Problema p = caja(2, 3, {0, 1, 2});
    CanalMemoria c;
    CALPROB(p, 1, identidad(2), Matriz(2), {1.0, 2.0}, malla(p), c);
    const std::vector<std::string> esperado = {
        "",
        rayas,
        "",
        "",
        b(5) + "Con esta funcion de onda, La probabilidad de encontrar la particula:",
        "",
        b(5) + "en la zona 1 vale: 0.5000",
        "",
        b(5) + "en la zona 2 vale: 0.5000",
        "",
        rayas,
    };
    EXPECT_EQ(c.lineas, esperado);
}

TEST(Calprob, ZoneProbabilitiesFollowSimpsonsWeights) {
    // State 2 on [0, 2] is sin(πx): with 3 points per zone ψ² is 0, 1, 0, so
    // each zone gives 4 · 1 · 0.5 / 3; with 5 points the weights 1 4 2 4 1
    // give (4 · (1/2 + 1/2) + 2 · 1) · 0.25 / 3.
    struct Caso {
        int npuntos;
        double P;
    } casos[] = {{3, 4.0 * 0.5 / 3.0}, {5, 6.0 * 0.25 / 3.0}};
    for (const auto& k : casos) {
        const Problema p = caja(2, k.npuntos, {0, 1, 2});
        SerieSenos s;
        const auto P = probabilidades_estado(p, 2, identidad(2), malla(p), s);
        ASSERT_EQ(P.size(), 2u);
        EXPECT_NEAR(P[0], k.P, 1e-15) << k.npuntos;
        EXPECT_NEAR(P[1], k.P, 1e-15) << k.npuntos;
        EXPECT_EQ(s.NB, 2);  // the store keeps the last state loaded
        EXPECT_EQ(s.C, (std::vector<double>{0.0, 1.0}));
    }
}

TEST(Calprob, MirrorZonesOfASymmetricStateAreEqualAndSumToOne) {
    const Problema p = caja(6, 201, {-3, 0, 3});
    SerieSenos s;
    for (int I = 1; I <= 6; ++I) {
        const auto P = probabilidades_estado(p, I, identidad(6), malla(p), s);
        EXPECT_NEAR(P[0], P[1], 1e-12) << I;
        EXPECT_NEAR(P[0] + P[1], 1.0, 1e-9) << I;
    }
}

TEST(Calprob, TheTableOfAllStatesHasTheBitsOfTheSeriesOfEachState) {
    struct Caso {
        int nbase, npuntos;
        std::vector<double> limites;
    } casos[] = {{1, 3, {0, 1, 2}}, {9, 7, {-1, 0.5, 0.75, 4}}, {12, 21, {2, 3, 5, 5.5, 12}}};
    std::mt19937_64 g(17);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (const auto& k : casos) {
        const Problema p = caja(k.nbase, k.npuntos, k.limites);
        Matriz v(k.nbase);
        for (int j = 1; j <= k.nbase; ++j)
            for (int i = 1; i <= k.nbase; ++i) v(i, j) = u(g);
        const auto x = malla(p);
        const ProbabilidadesZonas tabla(p, v, x);
        SerieSenos s;
        for (int I = 1; I <= k.nbase; ++I) {
            const auto P = probabilidades_estado(p, I, v, x, s);
            for (int z = 1; z <= p.NZONAS; ++z) {
                const double t = tabla(z, I);
                EXPECT_EQ(std::memcmp(&t, &P[static_cast<size_t>(z - 1)], sizeof t), 0)
                    << k.nbase << " state " << I << " zone " << z;
            }
            CanalMemoria con, sin;
            CALPROB(p, I, v, Matriz(k.nbase), std::vector<double>(static_cast<size_t>(k.nbase)), x, con, &tabla);
            CALPROB(p, I, v, Matriz(k.nbase), std::vector<double>(static_cast<size_t>(k.nbase)), x, sin);
            EXPECT_EQ(con.lineas, sin.lineas);
        }
    }
}

} // namespace
