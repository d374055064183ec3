// The road of a graph: calculos solves a problem, then funciones, niveles
// and probs draw from its eigen data, as the graph-data dialog runs them.
#include <gtest/gtest.h>

#include <cmath>

#include "engines/lector_grafica.hpp"
#include "fixtures/carpeta.hpp"
#include "fixtures/problemas.hpp"

using prueba::ProblemaPrueba;

namespace {

constexpr double pi = 3.141592653589793;

class Cadena : public ::testing::Test {
protected:
    prueba::CarpetaTemporal dir;
    void SetUp() override { dir.escribir("idioma.lng", prueba::idioma_graficas()); }

    void resolver(const ProblemaPrueba& p) {
        dir.escribir("p.dat", prueba::texto_problema(p));
        const auto r = prueba::ejecutar(CALCULOS_EXE, dir.ruta(), {"p.dat"});
        ASSERT_EQ(r.estado, 0) << r.salida << r.errores;
        ASSERT_TRUE(dir.existe("DatosDIB"));
    }
    prueba::GraficaLeida dibujar(const char* programa, const char* fichero, const std::string& puntos,
                                 const std::string& escala, const std::vector<std::string>& niveles) {
        dir.escribir("dib", prueba::texto_dib(puntos, escala, niveles));
        const auto r = prueba::ejecutar(programa, dir.ruta(), {"p.dat"});
        EXPECT_EQ(r.estado, 0) << r.errores;
        EXPECT_EQ(r.salida, "");
        return prueba::leer_grafica(dir.leer(fichero));
    }
};

// A particle of mass 1 in a box of 10 bohr.
ProblemaPrueba caja() {
    ProblemaPrueba p;
    p.nbase = "10";
    p.zonas = {{1, 0, 10, {0.0}}};
    return p;
}

TEST_F(Cadena, TheGroundStateOfABoxIsPositiveInsideAndZeroAtTheWalls) {
    resolver(caja());
    const auto g = dibujar(FUNCIONES_EXE, "FUNCION", "201", "2.500", {"1"});
    ASSERT_EQ(g.curvas.size(), 3u);
    const double E = pi * pi / 200;  // n²π²/(2mL²)
    const double Ef = g.curvas[2].puntos[0].y;
    EXPECT_NEAR(Ef, E, 1e-7);
    const auto& onda = g.curvas[1].puntos;
    ASSERT_EQ(onda.size(), 201u);
    EXPECT_NEAR(onda.front().y, Ef, 1e-7);
    EXPECT_NEAR(onda.back().y, Ef, 1e-7);
    for (size_t k = 1; k + 1 < onda.size(); ++k) EXPECT_GT(onda[k].y, Ef) << onda[k].x;
    EXPECT_NEAR(onda[100].y - Ef, std::sqrt(2.0 / 10) * 2.5, 1e-6);
}

TEST_F(Cadena, NivelesDrawsTheLevelsOfTheBox) {
    resolver(caja());
    const auto g = dibujar(NIVELES_EXE, "nivel", "50", "2.500", {"2", "5"});
    ASSERT_EQ(g.curvas.size(), 5u);
    for (int n = 2; n <= 5; ++n) {
        const auto& c = g.curvas[static_cast<size_t>(n - 1)];
        EXPECT_NEAR(c.puntos[0].y, n * n * pi * pi / 200, 1e-7) << n;
        EXPECT_EQ(c.puntos[0].x, 0.0);
        EXPECT_EQ(c.puntos[1].x, 10.0);
    }
}

TEST_F(Cadena, TheDensityOfAnOscillatorLevelIntegratesToOne) {
    ProblemaPrueba p;
    p.nbase = "40";
    p.zonas = {{3, -10, 10, {0.0, 0.0, 1.0, 0.0, 0.0}}};  // x0, V0, K2, K3, K4: V = x²/2
    resolver(p);
    const auto g = dibujar(PROBS_EXE, "prob", "300", "4.000", {"3"});
    ASSERT_EQ(g.curvas.size(), 3u);
    const double E = g.curvas[2].puntos[0].y;
    EXPECT_NEAR(E, 2.5, 1e-6);  // (n + 1/2) for the third level
    const auto& d = g.curvas[1].puntos;
    double integral = 0;
    for (size_t k = 1; k < d.size(); ++k)
        integral += 0.5 * ((d[k].y - E) + (d[k - 1].y - E)) * (d[k].x - d[k - 1].x);
    EXPECT_NEAR(integral / 4.0, 1.0, 1e-3);
}

} // namespace
