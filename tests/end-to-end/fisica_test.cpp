// Physics the level solver cannot be tuned to: the particle in a box and the
// harmonic oscillator, sampled, built and diagonalised as calculos does; and
// runs of calculos itself through the numerical steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "calculos/calprob.hpp"
#include "calculos/matout.hpp"
#include "engines/motor.hpp"
#include "fixtures/carpeta.hpp"
#include "fixtures/problemas.hpp"

using prueba::ProblemaPrueba;
using prueba::ZonaPrueba;

namespace {

const long double PI_L = 3.141592653589793238462643383279503L;

ProblemaPrueba problema(std::vector<ZonaPrueba> zonas, int nbase, int npuntos, const std::string& masa) {
    ProblemaPrueba p;
    p.masa = masa;
    p.nbase = std::to_string(nbase);
    p.npuntos = std::to_string(npuntos);
    p.zonas = std::move(zonas);
    return p;
}

TEST(Fisica, AZeroPotentialGivesTheLevelsOfTheBoxExactly) {
    const std::vector<double> ceros(13, 0.0);
    struct Caso {
        const char* que;
        std::vector<ZonaPrueba> zonas;
        double L;
        std::string masa;
    } casos[] = {
        {"one constant zone", {{1, 0, 10, {0}}}, 10, "1.000"},
        {"box from 2 to 12, heavy particle", {{1, 2, 12, {0}}}, 10, "1836.15"},
        {"every zone type at zero",
         {{1, -1, 0.5, {0}}, {2, 0.5, 1, {2, 0.5, 0, 1, 0}}, {3, 1, 2, {1.5, 0, 0, 0, 0}}, {4, 2, 3, ceros}},
         4,
         "0.500"},
    };
    for (const auto& c : casos) {
        prueba::Motor motor;
        const auto p = motor.leer(problema(c.zonas, 20, 101, c.masa));
        const calculos::Trabajo t = motor.calcular(p);
        const double m = std::stod(c.masa);
        problema::Matriz identidad(20);
        for (int n = 1; n <= 20; ++n) {
            identidad(n, n) = 1.0;
            // The kinetic element as the basis defines it, nothing added by
            // the potential or a rotation...
            const double k = n * 3.141592653589793 / c.L;
            EXPECT_EQ(t.ENER[n - 1], k * k * 0.5 / m) << c.que << " n=" << n;
            // ...which is n²π²/(2mL²) to the rounding of π and of its
            // operations: at most 7 half-units of the last place.
            const long double exacto = n * n * PI_L * PI_L / (2 * m * c.L * c.L);
            EXPECT_NEAR(t.ENER[n - 1] / exacto, 1.0L, 7 * std::numeric_limits<double>::epsilon() / 2)
                << c.que << " n=" << n;
        }
        EXPECT_TRUE(prueba::mismos_bits(t.VECT, identidad)) << c.que;
        EXPECT_EQ(motor.consola.str(), "") << c.que;
    }
}

TEST(Fisica, AHarmonicOscillatorGivesNPlusOneHalfTimesOmega) {
    // V = K2/2 x², as a vibration zone and as the power series 0.5·x², whose
    // grid point at x = 0 takes the constant term: ω = sqrt(K2/m). A mass of
    // 1e7 with K2 = 1e-7 has the levels of mass 1 and K2 = 1 divided by 1e7,
    // all its Hamiltonian below 1e-5 hartree.
    struct Caso {
        const char* masa;
        ZonaPrueba zona;
        double omega;
    } casos[] = {
        {"1.000", {3, -10, 10, {0, 0, 1, 0, 0}}, 1.0},
        {"4.000", {3, -10, 10, {0, 0, 1, 0, 0}}, 0.5},
        {"1.000", {4, -10, 10, {0, 0, 0.5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}, 1.0},
        {"1E7", {3, -10, 10, {0, 0, 1e-7, 0, 0}}, 1e-7},
    };
    for (const Caso& c : casos) {
        prueba::Motor motor;
        const auto p = motor.leer(problema({c.zona}, 60, 2001, c.masa));
        const calculos::Trabajo t = motor.calcular(p);
        for (int n = 0; n <= 9; ++n)
            EXPECT_NEAR(t.ENER[n], (n + 0.5) * c.omega, 1e-6 * std::min(1.0, c.omega))
                << "mass " << c.masa << ", type " << c.zona.tipo << ", n=" << n;
        EXPECT_EQ(motor.consola.str(), "");
    }
}

// A problem of mass m·λ whose potential constants are divided by λ has the
// Hamiltonian of mass m divided by λ: the energies divided by λ, the same
// eigenvectors and transition moments, the Einstein coefficients divided by
// λ³. At λ = 1 the Hamiltonian reaches 900 hartree; the scaled ones lie
// below 1, where the tolerance of the rotations follows them, so that they
// are diagonalised as far: even the weak overtones (6 → 1 is 1e-5 of 2 → 1)
// keep five digits.
TEST(Fisica, AHamiltonianScaledDownGivesTheScaledLevelsAndTheSameMoments) {
    struct Resultado {
        std::vector<double> E;   // times λ
        problema::Matriz X;      // <i|x|k> in the eigenbasis
        std::vector<double> A;   // Einstein coefficients times λ³, i > k
    };
    auto resolver = [](double lambda) {
        prueba::Motor motor;
        char masa[32];
        std::snprintf(masa, sizeof masa, "%.10g", lambda);
        // An anharmonic well with every transition allowed.
        const double K = 100.0 / lambda;
        const auto p = motor.leer(problema({{3, -1.5, 1.5, {0.1, 0, K, K, K}}}, 40, 1001, masa));
        calculos::Trabajo t = motor.calcular(p);
        EXPECT_EQ(motor.consola.str(), "") << "lambda " << lambda;
        calculos::TAT(p.NBASE, t.XMAT, t.VECT);
        Resultado r{{}, t.XMAT, {}};
        for (int i = 1; i <= 6; ++i) {
            r.E.push_back(t.ENER[i - 1] * lambda);
            for (int k = 1; k < i; ++k) {
                const double dE = (t.ENER[i - 1] - t.ENER[k - 1]) * lambda;
                r.A.push_back(dE * dE * dE * calculos::FACTOR_EINSTEIN * t.XMAT(k, i) * t.XMAT(k, i));
            }
        }
        return r;
    };
    const Resultado base = resolver(1.0);
    // A mass near a proton's, then heavier: every Hamiltonian below 1 hartree.
    for (const double lambda : {2000.0, 1e4, 1e6}) {
        const Resultado r = resolver(lambda);
        size_t a = 0;
        for (int i = 1; i <= 6; ++i) {
            EXPECT_NEAR(r.E[i - 1] / base.E[i - 1], 1.0, 1e-10) << "lambda " << lambda << ", E(" << i << ")";
            for (int k = 1; k < i; ++k, ++a) {
                EXPECT_NEAR(r.X(k, i) / base.X(k, i), 1.0, 1e-5) << "lambda " << lambda << ", <" << i << "|x|" << k << ">";
                EXPECT_NEAR(r.A[a] / base.A[a], 1.0, 2e-5) << "lambda " << lambda << ", A(" << i << "->" << k << ")";
            }
        }
    }
}

TEST(Fisica, ADiagonalisationThatDoesNotConvergeSaysSoAndGoesOn) {
    prueba::Motor motor;
    const auto p = motor.leer(problema({{3, -10, 10, {0, 0, 1, 0, 0}}}, 30, 501, "1.000"));
    const calculos::Trabajo t = motor.calcular(p, 5);
    const auto lineas = prueba::lineas(motor.consola.str());
    ASSERT_EQ(lineas.size(), 3u);
    EXPECT_EQ(lineas[0], " TRAS       5 ITERACIONES NO SE HA LOGRADO LA PRECISION REQUERIDA (0.100000E-06)");
    EXPECT_EQ(lineas[1], "");
    const std::string prefijo = " EL VALOR MAXIMO DE LOS ELEMENTOS NO DIAGONALES ES TODAVIA:";
    EXPECT_EQ(lineas[2].substr(0, prefijo.size()), prefijo);
    EXPECT_EQ(lineas[2].size(), prefijo.size() + 12);  // the magnitude as E12.6
    for (int n = 1; n < 30; ++n) EXPECT_LE(t.ENER[n - 1], t.ENER[n]);
}

class Ejecucion : public ::testing::Test {
protected:
    prueba::CarpetaTemporal dir;
    void SetUp() override { dir.escribir("idioma.lng", prueba::idioma_de_prueba()); }
    prueba::Resultado correr(const ProblemaPrueba& p) {
        dir.escribir("p.dat", prueba::texto_problema(p));
        return prueba::ejecutar(CALCULOS_EXE, dir.ruta(), {"p.dat"});
    }
};

TEST_F(Ejecucion, CalculosComputesTheLevelsAndStopsOnANegativePowerAtTheOrigin) {
    auto r = correr(problema({{3, -10, 10, {0, 0, 1, 0, 0}}}, 60, 2001, "1.000"));
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "\n       M1004\n");

    // x² over a box symmetric about 0: the grid point at 0 is no stop, with
    // an odd count or an even one raised to odd.
    std::vector<double> serie(13, 0.0);
    serie[2] = 1.0;
    r = correr(problema({{4, -1, 1, serie}}, 10, 101, "1.000"));
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "\n       M1004\n");
    r = correr(problema({{4, -1, 1, serie}}, 10, 100, "1.000"));
    EXPECT_EQ(r.estado, 0) << "raised to 101 points";
    // 1/x up to 5e-9: its last grid point lies within 1e-8 of 0.
    serie[7] = 1.0;
    r = correr(problema({{4, -1, -0.5e-8, serie}}, 10, 101, "1.000"));
    EXPECT_EQ(r.estado, 255);
    EXPECT_EQ(r.salida, "\n       M1004\n M1109\n");

    r = correr(problema({{2, 0, 2, {3, 0, 0, 1.5, 1, 1, 0}}}, 10, 101, "1.000"));
    EXPECT_EQ(r.estado, 255);
    EXPECT_EQ(r.salida, " M1046\n");
}

} // namespace
