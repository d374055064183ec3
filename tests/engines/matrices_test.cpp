// The matrices of the sine basis: the same bits as the element-by-element
// build, and the values the basis implies.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "calculos/matrices.hpp"
#include "engines/literal.hpp"
#include "engines/motor.hpp"
#include "io/errores.hpp"
#include "problema/bloques.hpp"

using namespace problema;
using prueba::ProblemaPrueba;
using prueba::ZonaPrueba;

namespace {

class Matrices : public ::testing::Test {
protected:
    prueba::Motor motor;

    static ProblemaPrueba problema(std::vector<ZonaPrueba> zonas, int nbase, int npuntos, const char* masa = "1.000") {
        ProblemaPrueba p;
        p.masa = masa;
        p.nbase = std::to_string(nbase);
        p.npuntos = std::to_string(npuntos);
        p.zonas = std::move(zonas);
        return p;
    }
};

ZonaPrueba poligonal(double a, double b, std::vector<double> xv) {
    std::vector<double> par = {static_cast<double>(xv.size() / 2)};
    par.insert(par.end(), xv.begin(), xv.end());
    return {2, a, b, par};
}

TEST_F(Matrices, TheBuildGivesTheBitsOfOneVmatCallPerElement) {
    std::vector<ZonaPrueba> diez;
    for (int z = 0; z < 10; ++z) {
        const double a = -2.0 + 0.7 * z, b = a + 0.7;
        switch (z % 4) {
        case 0: diez.push_back({1, a, b, {z * 0.3 - 1}}); break;
        case 1: diez.push_back(poligonal(a, b, {a, 1, a + 0.2, -2, b, 0.5})); break;
        case 2: diez.push_back({3, a, b, {a + 0.3, -0.5, 2, 0.3, -0.1}}); break;
        case 3: diez.push_back({4, a, b, {0.1, 1, -0.5, 0.2, 0, 0, 0, 0.01, 0, 0, 0, 0, 0}}); break;
        }
    }
    diez.back().xfin = 5.0;
    struct Caso {
        const char* que;
        ProblemaPrueba p;
    } casos[] = {
        {"empty box", problema({{1, 0, 10, {0}}}, 7, 101)},
        {"one function, five points", problema({{1, 2, 12, {-3}}}, 1, 5)},
        {"three points a zone", problema({{1, -1, 0, {1}}, {1, 0, 1, {-1}}}, 6, 3)},
        {"step and polygon", problema({{1, -3, -1, {2.5}}, poligonal(-1, 2, {-1, 0, 0, -4, 0, 1, 1.7, 3})}, 12, 65)},
        {"anharmonic", problema({{3, -5, 5, {0.3, -0.1, 1.2, 0.05, 0.01}}}, 25, 33, "4.000")},
        {"power series", problema({{4, 0.5, 3, {1, 0, 2, 0, 0, 0, 0, 0.5, 0, 0, 0, 0, 0.25}}}, 5, 201)},
        {"ten zones", problema(diez, 20, 35)},
    };
    for (const auto& c : casos) {
        const Problema p = motor.leer(c.p);
        const calculos::Trabajo t = motor.construir(p);
        const literal::Matrices l = literal::construir_matrices(p, t.XMALLA, t.VMALLA);
        EXPECT_TRUE(prueba::mismos_bits(t.TCIN, l.TCIN)) << c.que;
        EXPECT_TRUE(prueba::mismos_bits(t.VPOT, l.VPOT)) << c.que;
        EXPECT_TRUE(prueba::mismos_bits(t.XMAT, l.XMAT)) << c.que;
        EXPECT_TRUE(prueba::mismos_bits(t.HAM, l.HAM)) << c.que;
    }
    EXPECT_EQ(motor.consola.str(), "");
}

TEST_F(Matrices, KineticAndPositionElementsOfTheBox) {
    // A box from 2 to 12: L = 10.
    const Problema p = motor.leer(problema({{1, 2, 12, {0}}}, 4, 3));
    const calculos::Trabajo t = motor.construir(p);
    EXPECT_NEAR(t.TCIN(1, 1), 0.0493480220, 1e-10);
    EXPECT_EQ(t.TCIN(1, 2), 0.0);
    const long double pi = 3.141592653589793238462643383279503L;
    EXPECT_DOUBLE_EQ(t.XMAT(1, 2), static_cast<double>(-16 * 10 / (9 * pi * pi)));
    EXPECT_EQ(t.XMAT(2, 1), t.XMAT(1, 2));
    EXPECT_EQ(t.XMAT(1, 3), 0.0);
    EXPECT_EQ(t.XMAT(1, 1), 7.0);
    EXPECT_EQ(t.XMAT(4, 4), 7.0);

    // Beyond i = 215 the square (i² − j²)² no longer fits 32 bits.
    const Problema q = motor.leer(problema({{1, 0, 1, {0}}}, 300, 3));
    const calculos::Trabajo u = motor.construir(q);
    for (int j : {1, 3, 99}) {
        const long double i = 300, jj = j, esperado = -8 * i * jj / (pi * pi * (i * i - jj * jj) * (i * i - jj * jj));
        EXPECT_DOUBLE_EQ(u.XMAT(j, 300), static_cast<double>(esperado)) << j;
    }
    EXPECT_EQ(u.XMAT(2, 300), 0.0);
}

TEST_F(Matrices, PotentialElementsIntegrateEachZoneOnItsOwn) {
    // A constant 2.5 over the whole box: 2.5 on the diagonal, ~0 elsewhere.
    Problema p = motor.leer(problema({{1, 0, 3, {2.5}}}, 6, 1001));
    calculos::Trabajo t = motor.construir(p);
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) EXPECT_NEAR(t.VPOT(i, j), i == j ? 2.5 : 0.0, 1e-11) << i << "," << j;

    // A step of 1 at the boundary x = 1 of [0, 2]: each zone integrates the
    // boundary with its own value, so VPOT(1, 1) = ∫ sin²(πx/2) over [1, 2] = 1/2
    // to Simpson's accuracy (one value for both would miss it by about h/3).
    p = motor.leer(problema({{1, 0, 1, {0}}, {1, 1, 2, {1}}}, 1, 1001));
    t = motor.construir(p);
    EXPECT_NEAR(t.VPOT(1, 1), 0.5, 1e-12);
    EXPECT_EQ(t.HAM(1, 1), t.TCIN(1, 1) + t.VPOT(1, 1));
}

TEST_F(Matrices, AnEvenPointCountStopsTheBuild) {
    const Problema p = motor.leer(problema({{1, 0, 1, {0}}}, 3, 5));
    calculos::Trabajo t(p);
    try {
        calculos::VMAT(p, t.XMALLA, t.VMALLA, 4, t.VPOT, motor.m);
        FAIL() << "no stop";
    } catch (const io::Parada& s) {
        EXPECT_EQ(s.estado, -1);
    }
    EXPECT_EQ(motor.consola.str(), " M1100\n");
}

// The builders walk a zone's samples in blocks of 32 (VMAT) and 4 (the zone
// probabilities). Up to 2147483647 samples a zone, the blocks cover every
// index once, in order, and the step past the last block does not overflow.
TEST(PorBloques, TheBlocksCoverEverySampleUpToTheLargestCount) {
    struct Caso {
        int total, bloque;
        long long bloques;
    } casos[] = {
        {0, 4, 0},           {1, 32, 1}, {7, 4, 2}, {8, 4, 2}, {1001, 32, 32},
        {INT_MAX, 32, 67108864}, {INT_MAX, 1 << 30, 2}, {INT_MAX - 3, 1 << 30, 2}, {INT_MAX, INT_MAX, 1},
    };
    for (const Caso& c : casos) {
        long long siguiente = 0, bloques = 0;
        // A block out of its place ends the walk, which a counter that
        // wrapped around would never end.
        struct FueraDeSitio {};
        try {
            problema::por_bloques(c.total, c.bloque, [&](int inicio, int cuantos) {
                if (inicio != siguiente || cuantos < 1 || cuantos > c.bloque) throw FueraDeSitio{};
                siguiente = static_cast<long long>(inicio) + cuantos;
                ++bloques;
            });
        } catch (FueraDeSitio) {
            ADD_FAILURE() << c.total << " by " << c.bloque << ": a block out of place after " << siguiente;
            continue;
        }
        EXPECT_EQ(siguiente, c.total) << c.total << " by " << c.bloque;
        EXPECT_EQ(bloques, c.bloques) << c.total << " by " << c.bloque;
    }
}

} // namespace
