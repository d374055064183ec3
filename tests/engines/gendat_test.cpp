// The potential sampler: its grid, the four zone types, the remembered
// polygonal segment and the stop of a negative power at the origin.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "engines/motor.hpp"
#include "io/errores.hpp"
#include "problema/gendat.hpp"

using namespace problema;
using prueba::ProblemaPrueba;
using prueba::ZonaPrueba;

namespace {

class Gendat : public ::testing::Test {
protected:
    prueba::Motor motor;
    std::ostringstream& consola = motor.consola;
    SegmentoRecordado s;  // fresh: all four zero, as when the engine starts
    std::vector<double> x, v;

    Problema leer(const std::vector<ZonaPrueba>& zonas, const Reglas& r = reglas_calculos()) {
        ProblemaPrueba pp;
        pp.npuntos = "3";
        pp.zonas = zonas;
        return motor.leer(pp, r);
    }
    // Samples n points per zone; unset samples read 999.
    void muestrear(const std::vector<ZonaPrueba>& zonas, int n, int estado = -1) {
        const Problema p = leer(zonas);
        x.assign(static_cast<size_t>(n) * zonas.size(), 999.0);
        v = x;
        GENDAT(p, x, v, n, motor.m, estado, s);
    }
};

// A polygonal zone from its vertices (x, V), ...
ZonaPrueba poligonal(double a, double b, std::vector<double> xv) {
    std::vector<double> par = {static_cast<double>(xv.size() / 2)};
    par.insert(par.end(), xv.begin(), xv.end());
    return {2, a, b, par};
}
// A power-series zone: Y0, Y1..Y6, YM1..YM6.
ZonaPrueba potencias(double a, double b, std::vector<double> y) {
    y.resize(13, 0.0);
    return {4, a, b, y};
}

TEST_F(Gendat, TheGridAddsTheSpacingAndRepeatsEveryInnerBoundary) {
    muestrear({{1, 0, 1, {0}}, {1, 1, 2, {0}}}, 3);
    EXPECT_EQ(x, (std::vector<double>{0, 0.5, 1, 1, 1.5, 2}));

    // Repeated addition of 0.1: the ninth point is 0.7999999999999999, not
    // 8 · 0.1 = 0.8, and the last stops short of the right limit.
    muestrear({{1, 0, 1, {0}}}, 11);
    EXPECT_EQ(x[8], 0.7999999999999999);
    EXPECT_EQ(x[10], 0.9999999999999999);

    muestrear({{1, 0, 1, {0}}, {1, 1, 3, {0}}}, 1);
    EXPECT_EQ(x, (std::vector<double>{0, 1}));
}

TEST_F(Gendat, ConstantAndVibrationZones) {
    muestrear({{1, -1, 0, {2.5}}, {3, 0, 2, {0, 0, 2, 0, 0}}}, 5);
    EXPECT_EQ(v, (std::vector<double>{2.5, 2.5, 2.5, 2.5, 2.5, 0, 0.25, 1, 2.25, 4}));  // V = x² for K2 = 2

    // V0 + K2/2 d² + K3/6 d³ + K4/24 d⁴ about X0, with the two constants
    // multiplied: K3 = K4 = 5 at d = 1 give 1.0416666666666665 (5/6 + 5/24
    // divided out would give ...667).
    muestrear({{3, 0.5, 1.5, {0.5, 0, 0, 5, 5}}}, 2);
    EXPECT_EQ(v[1], 1.0416666666666665);
    muestrear({{3, 0, 2, {0, 0.25, 3, 5, 5}}}, 2);
    EXPECT_EQ(v[1], 16.25);
}

TEST_F(Gendat, PolygonalZonesFollowTheirSegments) {
    struct Caso {
        const char* que;
        ZonaPrueba zona;
        int n;
        std::vector<double> v;
    } casos[] = {
        {"inner vertex", poligonal(0, 2, {0, 0, 1, 1, 2, 0}), 5, {0, 0.5, 1, 0.5, 0}},
        {"last vertex left of the right limit: its line goes on", poligonal(0, 2, {0, 0, 1, 2}), 5, {0, 1, 2, 3, 4}},
        {"first vertex right of the left limit: the first line", poligonal(0, 2, {1, 1, 2, 2}), 5, {0, 0.5, 1, 1.5, 2}},
        {"a zero-width segment is a step; the later value holds at it",
         poligonal(0, 2, {0, 0, 1, 0, 1, 5, 2, 5}), 5, {0, 0, 5, 5, 5}},
        {"a step at the start", poligonal(-1, 1, {0, 3, 0, 1, 1, 1}), 3, {3, 1, 1}},
        {"a step at the end", poligonal(0, 2, {0, 0, 1, 1, 1, 4}), 3, {0, 4, 4}},
        {"every vertex at one abscissa", poligonal(0, 2, {1, 2, 1, 7}), 3, {2, 7, 7}},
    };
    for (const auto& c : casos) {
        muestrear({c.zona}, c.n);
        EXPECT_EQ(v, c.v) << c.que;
    }
}

TEST_F(Gendat, APointBeyondTheLastVertexKeepsTheSegmentOfThePreviousPoint) {
    // The last segment lies between the points 5 and 6, so no point falls on
    // it: the points beyond it go on with the first segment, that of x = 5.
    muestrear({poligonal(0, 10, {0, 0, 5.2, 0, 5.3, 100})}, 11);
    for (int k = 6; k <= 10; ++k) EXPECT_EQ(v[k], 0.0) << k;
}

TEST_F(Gendat, AZoneWithoutCoveredPointsUsesItsEndSegmentsNeverAnEmptyState) {
    // Fresh state, the vertices between the grid points 0 and 0.5: without
    // our choice the first point would divide 0 by 0.
    muestrear({poligonal(0, 1, {0.3, 0, 0.4, 10})}, 3);
    EXPECT_DOUBLE_EQ(v[0], -30.0);
    EXPECT_DOUBLE_EQ(v[1], 20.0);
    EXPECT_DOUBLE_EQ(v[2], 70.0);

    // After a power-series zone the storage of the segment's potentials holds
    // its sums; the next polygonal zone, uncovered at its first point, still
    // takes its own first segment.
    muestrear({poligonal(0, 1, {0, 0, 1, 1}), potencias(1, 2, {1, 1, 0, 0, 0, 0, 0, 1}),
               poligonal(2, 3, {2.5, 0, 3, 1})},
              3);
    EXPECT_EQ(v[6], -1.0);
    for (double w : v) EXPECT_TRUE(std::isfinite(w));
}

TEST_F(Gendat, TheRememberedSegmentOutlivesTheCallAndSharesItsStorageWithTheSums) {
    // At x = 1 both segments cover the point; the later one is remembered.
    muestrear({poligonal(0, 1, {0, 0, 1, 1, 2, 0})}, 3);
    EXPECT_EQ(v[2], 1.0);
    EXPECT_EQ((std::vector<double>{s.XA, s.XB, s.VA, s.VB}), (std::vector<double>{1, 2, 1, 0}));

    muestrear({{1, 0, 1, {3}}}, 3);
    EXPECT_EQ((std::vector<double>{s.XA, s.XB, s.VA, s.VB}), (std::vector<double>{1, 2, 1, 0}));

    // The last point, x = 2: P = 2 · (1 + 2 · 1) = 6 and N = 1/2 + 1/4 = 0.75.
    muestrear({potencias(1, 2, {0, 1, 1, 0, 0, 0, 0, 1, 1})}, 3);
    EXPECT_EQ(v[2], 6.75);
    EXPECT_EQ((std::vector<double>{s.XA, s.XB, s.VA, s.VB}), (std::vector<double>{1, 2, 6, 0.75}));
}

TEST_F(Gendat, PowerSeriesSumBothWaysAndANegativePowerStopsAtTheOrigin) {
    // Y0 = 1, Y1 = 2, YM6 = 64: 63 at x = -1 and 67 at x = 1. A zone with a
    // negative power may not hold 0, so a constant zone lies between.
    const std::vector<double> y = {1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 64};
    muestrear({potencias(-1, -0.5, y), {1, -0.5, 1, {0}}, potencias(1, 2, y)}, 4);
    EXPECT_EQ(v[0], 63.0);
    EXPECT_EQ(v[8], 67.0);
    for (double w : v) EXPECT_TRUE(std::isfinite(w));

    // Without a negative power the series is a polynomial: a point on 0, as
    // an odd count puts one there, takes the constant term, and so does a
    // point within 1e-8 of it.
    muestrear({potencias(-1, 1, {3, 0, 1})}, 5);
    EXPECT_EQ(x[2], 0.0);
    EXPECT_EQ(v, (std::vector<double>{4, 3.25, 3, 3.25, 4}));
    EXPECT_EQ(consola.str(), "");
    muestrear({potencias(-0.5e-8, 1, {3, 0, 1, 0, 0, 0, 0})}, 2);
    EXPECT_EQ(v[0], 3.0);

    // A negative power stops at a point within 1e-8 of 0 (the zone itself
    // may not hold 0); its abscissa is stored, its sample is not.
    std::vector<double> inversa(13, 0.0);
    inversa[7] = 1.0;  // YM1
    for (int estado : {-1, 0}) {
        consola.str("");
        try {
            muestrear({potencias(-1, -0.5e-8, inversa)}, 2, estado);
            ADD_FAILURE() << "no stop";
        } catch (const io::Parada& p) {
            EXPECT_EQ(p.estado, estado);
        }
        EXPECT_EQ(consola.str(), " M1109\n");
        EXPECT_NEAR(x[1], -0.5e-8, 1e-15);
        EXPECT_EQ(v[0], -1.0);
        EXPECT_EQ(v[1], 999.0);
    }
    // At 1e-8 it does not stop.
    EXPECT_THROW(muestrear({potencias(0.99999999e-8, 1, inversa)}, 2), io::Parada);
    EXPECT_NO_THROW(muestrear({potencias(1e-8, 1, inversa)}, 2));
    EXPECT_DOUBLE_EQ(v[0], 1e8);
}

TEST_F(Gendat, VerticesWhoseAbscissaeDecreaseAreRefused) {
    for (const Reglas& r : {reglas_calculos(), reglas_funciones()}) {
        consola.str("");
        try {
            leer({poligonal(0, 2, {0, 0, 1.5, 1, 1, 1, 2, 0})}, r);
            ADD_FAILURE() << "accepted";
        } catch (const io::Parada& p) {
            EXPECT_EQ(p.estado, r.estado_parada);
        }
        EXPECT_EQ(consola.str(), " M1046\n");
    }
    EXPECT_NO_THROW(leer({poligonal(0, 2, {0, 0, 1, 1, 1, 3, 2, 0})}));
}

// A negative power has no finite integral over a zone that holds 0, whether
// a sample falls on 0 or not: both engines refuse it as they read it.
TEST_F(Gendat, ANegativePowerOverTheOriginIsRefusedWhenRead) {
    const std::vector<double> inversa = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1e-9};  // YM5
    for (const Reglas& r : {reglas_calculos(), reglas_funciones()}) {
        for (const auto& [a, b] : {std::pair{-4.9, 5.0}, {0.0, 5.0}, {-5.0, 0.0}}) {
            consola.str("");
            try {
                leer({potencias(a, b, inversa)}, r);
                ADD_FAILURE() << "accepted [" << a << ", " << b << "]";
            } catch (const io::Parada& p) {
                EXPECT_EQ(p.estado, r.estado_parada);
            }
            EXPECT_EQ(consola.str(), " M1060\n") << a << ", " << b;
        }
        EXPECT_NO_THROW(leer({potencias(1e-3, 5, inversa)}, r));
        EXPECT_NO_THROW(leer({potencias(-5, 5, {0, 1, 2, 3, 4, 5, 6})}, r));
    }
}

} // namespace
