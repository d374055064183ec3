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

// The oscillator of mass 2 (V = x²/2 on [-10, 10], ω = 1/√2): its six lowest
// levels crowd the bottom of a view that the walls at 50 set, and every
// legend still has a place of its own; so do the curve's and the level's
// legends of its wave functions and densities.
TEST_F(Cadena, TheLegendsOfTheOscillatorsLowestLevelsStandApart) {
    ProblemaPrueba p;
    p.masa = "2.000";
    p.nbase = "40";
    p.zonas = {{3, -10, 10, {0.0, 0.0, 1.0, 0.0, 0.0}}};
    resolver(p);
    auto g = dibujar(NIVELES_EXE, "nivel", "300", "2.500", {"1", "6"});
    ASSERT_EQ(g.curvas.size(), 7u);
    for (int n = 1; n <= 6; ++n) EXPECT_NEAR(g.curvas[static_cast<size_t>(n)].puntos[0].y, (n - 0.5) / std::sqrt(2.0), 1e-5);
    EXPECT_EQ(prueba::leyendas_mal_puestas(g, prueba::curvas_desde(g, 0), prueba::curvas_desde(g, 1)), "");
    for (const char* nivel : {"1", "2", "6"}) {
        g = dibujar(FUNCIONES_EXE, "FUNCION", "300", "2.500", {nivel});
        ASSERT_EQ(g.curvas.size(), 3u);
        EXPECT_EQ(prueba::leyendas_mal_puestas(g, {1, 2}, {1, 2}), "") << nivel;
        g = dibujar(PROBS_EXE, "prob", "300", "2.500", {nivel});
        ASSERT_EQ(g.curvas.size(), 3u);
        EXPECT_EQ(prueba::leyendas_mal_puestas(g, {1, 2}, {1, 2}), "") << nivel;
    }
}

// The eigen data of the problem as it was run, read after its basis changed
// in the file: refused by every plotting program, which writes no plot file.
TEST_F(Cadena, EigenDataOfAnotherBasisAreRefused) {
    for (const char* nueva : {"8", "12"}) {
        resolver(caja());
        ProblemaPrueba p = caja();
        p.nbase = nueva;
        dir.escribir("p.dat", prueba::texto_problema(p));
        const std::pair<const char*, const char*> programas[] = {
            {FUNCIONES_EXE, "FUNCION"}, {NIVELES_EXE, "nivel"}, {PROBS_EXE, "prob"}};
        for (const auto& [programa, fichero] : programas) {
            dir.escribir("dib", prueba::texto_dib("50", "2.500",
                                                  std::string(fichero) == "nivel" ? std::vector<std::string>{"1", "2"}
                                                                                  : std::vector<std::string>{"1"}));
            const auto r = prueba::ejecutar(programa, dir.ruta(), {"p.dat"});
            EXPECT_EQ(r.estado, 255) << nueva << " " << fichero;
            EXPECT_EQ(r.salida, " M1064\n") << nueva << " " << fichero;
            EXPECT_FALSE(dir.existe(fichero)) << nueva << " " << fichero;
        }
    }
}

} // namespace
