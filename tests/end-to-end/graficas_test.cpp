// Runs of the built niveles and probs: the plot files "nivel" and "prob",
// their refusals, and what the graph window reads back from them.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "engines/lector_grafica.hpp"
#include "fixtures/carpeta.hpp"
#include "fixtures/problemas.hpp"

using prueba::dos_zonas;
using prueba::grafica_dos_zonas;
using prueba::identidad;
using prueba::ProblemaPrueba;
using prueba::punto;

namespace {

std::vector<double> energias(int n) {
    std::vector<double> e;
    for (int k = 1; k <= n; ++k) e.push_back(0.5 * k * k);
    return e;
}

class Graficas : public ::testing::Test {
protected:
    prueba::CarpetaTemporal dir;
    void SetUp() override { dir.escribir("idioma.lng", prueba::idioma_graficas()); }

    void preparar(const ProblemaPrueba& p, const std::string& puntos, const std::string& escala,
                  const std::vector<std::string>& niveles, const std::vector<double>& ener,
                  const std::vector<std::vector<double>>& vect) {
        prueba::preparar(dir, p, puntos, escala, niveles, ener, vect);
    }
    prueba::Resultado correr(const char* programa) { return prueba::ejecutar(programa, dir.ruta(), {"p.dat"}); }
};

TEST_F(Graficas, NivelesDrawsThePotentialAndOneLinePerLevel) {
    preparar(dos_zonas(3), "3", "2.500", {"1", "2"}, energias(3), identidad(3));
    const auto r = correr(NIVELES_EXE);
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "");
    EXPECT_EQ(dir.leer("nivel"), prueba::con_crlf(grafica_dos_zonas("  M1051", {
                                                               "  M1105 1:             0.5000000",
                                                               punto("0.0200000", "0.5000000"),
                                                               "  2  0  1  1  0  0",
                                                               punto("0.0000000", "0.5000000"),
                                                               punto("2.0000000", "0.5000000"),
                                                               "  M1105 2:             2.0000000",
                                                               punto("0.0200000", "2.0000000"),
                                                               "  2  0  1  1  0  0",
                                                               punto("0.0000000", "2.0000000"),
                                                               punto("2.0000000", "2.0000000"),
                                                               "  Fin",
                                                           })));
}

TEST_F(Graficas, NivelesFillsTheGraphWindowWithNineteenLevels) {
    preparar(dos_zonas(25), "3", "2.500", {"3", "21"}, energias(25), identidad(25));
    ASSERT_EQ(correr(NIVELES_EXE).estado, 0);
    const auto g = prueba::leer_grafica(dir.leer("nivel"));
    EXPECT_EQ(g.comentario, "M1051");
    ASSERT_EQ(g.curvas.size(), 20u);
    EXPECT_EQ(g.curvas[0].leyenda, "M1103");
    EXPECT_EQ(g.curvas[0].npuntos, 6);
    for (int k = 3; k <= 21; ++k) {
        const auto& c = g.curvas[static_cast<size_t>(k - 2)];
        const double E = 0.5 * k * k;
        char leyenda[64];
        std::snprintf(leyenda, sizeof leyenda, "M1105 %d:  %20.7f", k, E);
        EXPECT_EQ(c.leyenda, leyenda);
        EXPECT_EQ(c.npuntos, 2);
        EXPECT_EQ(c.grosor, 1);
        EXPECT_EQ(c.color, 0);
        ASSERT_EQ(c.puntos.size(), 2u);
        EXPECT_EQ(c.puntos[0].x, 0.0);
        EXPECT_EQ(c.puntos[1].x, 2.0);
        EXPECT_EQ(c.puntos[0].y, E);
        EXPECT_EQ(c.puntos[1].y, E);
    }
    EXPECT_EQ(prueba::leyendas_mal_puestas(g, prueba::curvas_desde(g, 0), prueba::curvas_desde(g, 1)), "");
}

// Nineteen levels crowded at the bottom of a view that a high wall sets: the
// step [0, 1] with V = 0 and [1, 2] with V = 1000, levels 0.01 apart.
TEST_F(Graficas, NineteenCrowdedLevelsEachGetAPlaceOfTheirOwn) {
    ProblemaPrueba p = dos_zonas(19);
    p.zonas[1].parametros = {1000.0};
    std::vector<double> e;
    for (int k = 0; k < 19; ++k) e.push_back(0.5 + 0.01 * k);
    preparar(p, "3", "2.500", {"1", "19"}, e, identidad(19));
    ASSERT_EQ(correr(NIVELES_EXE).estado, 0);
    const auto g = prueba::leer_grafica(dir.leer("nivel"));
    ASSERT_EQ(g.curvas.size(), 20u);
    EXPECT_EQ(prueba::leyendas_mal_puestas(g, prueba::curvas_desde(g, 0), prueba::curvas_desde(g, 1)), "");
}

TEST_F(Graficas, RefusalsLeaveAnEarlierPlotFileAsItStood) {
    struct Caso {
        const char* programa;
        std::string fichero;
        std::string puntos;
        std::vector<std::string> niveles;
        std::string salida;
    } casos[] = {
        {NIVELES_EXE, "nivel", "3", {"2", "1"}, " M1054\n"},
        {NIVELES_EXE, "nivel", "3", {"0", "2"}, " M1055\n"},
        {NIVELES_EXE, "nivel", "3", {"-3", "-1"}, " M1055\n"},
        {NIVELES_EXE, "nivel", "3", {"24", "26"}, " M1047\n"},
        {NIVELES_EXE, "nivel", "3", {"1", "20"}, " M1056\n"},  // 21 curves with the potential
        {NIVELES_EXE, "nivel", "0", {"1", "2"}, " M1057\n"},
        {NIVELES_EXE, "nivel", "16384", {"1", "2"}, " M1048\n"},
        {PROBS_EXE, "prob", "3", {"0"}, " M1055\n"},
        {PROBS_EXE, "prob", "3", {"26"}, " M1047\n"},
        {PROBS_EXE, "prob", "-5", {"1"}, " M1057\n"},
        {PROBS_EXE, "prob", "20000", {"1"}, " M1048\n"},
    };
    for (const auto& c : casos) {
        preparar(dos_zonas(25), c.puntos, "2.500", c.niveles, energias(25), identidad(25));
        dir.escribir(c.fichero, "anterior\r\n");
        const auto r = correr(c.programa);
        EXPECT_EQ(r.estado, 255) << c.fichero << " " << c.salida << r.errores;  // -1: a refusal
        EXPECT_EQ(r.salida, c.salida) << c.fichero;
        EXPECT_EQ(dir.leer(c.fichero), "anterior\r\n") << c.fichero << " " << c.salida;
    }
}

// A negative power whose zone ends within 1e-8 of 0 stops the sampler:
// every plotting engine refuses the request with status -1 and writes no
// plot file, not even its header.
TEST_F(Graficas, ANegativePowerNextToTheOriginIsRefusedWithoutAPlotFile) {
    auto serie = [](double xfin, int potencia) {
        ProblemaPrueba p;
        p.nbase = "2";
        std::vector<double> y(13, 0.0);
        y[potencia > 0 ? potencia : 6 - potencia] = 1.0;
        p.zonas = {{4, -1, xfin, y}};
        return p;
    };
    const ProblemaPrueba inversa = serie(-0.5e-8, -1), cuadrado = serie(0.5, 2);
    struct Caso {
        const char* programa;
        std::string fichero;
        std::vector<std::string> niveles;
    } casos[] = {{FUNCIONES_EXE, "FUNCION", {"1"}}, {NIVELES_EXE, "nivel", {"1", "2"}}, {PROBS_EXE, "prob", {"1"}}};
    for (const auto& c : casos) {
        preparar(inversa, "3", "2.500", c.niveles, {0.5, 2.0}, identidad(2));
        dir.escribir(c.fichero, "anterior\r\n");
        const auto r = correr(c.programa);
        EXPECT_EQ(r.estado, 255) << c.fichero << r.errores;
        EXPECT_EQ(r.salida, " M1109\n") << c.fichero;
        EXPECT_EQ(dir.leer(c.fichero), "anterior\r\n") << c.fichero;
        for (const auto& e : std::filesystem::directory_iterator(dir.ruta()))
            EXPECT_EQ(e.path().filename().string().find(c.fichero + "."), std::string::npos) << e.path();
        // x² over the same grid, through 0, is drawn.
        preparar(cuadrado, "3", "2.500", c.niveles, {0.5, 2.0}, identidad(2));
        const auto bien = correr(c.programa);
        EXPECT_EQ(bien.estado, 0) << c.fichero << bien.errores;
        EXPECT_GE(prueba::leer_grafica(dir.leer(c.fichero)).curvas.size(), 2u) << c.fichero;
    }
}

// Eigen data of another basis and values the plot file cannot hold: a
// message, status -1 and no plot file.
TEST_F(Graficas, RequestsThePlotFileCannotHoldAreRefused) {
    struct Caso {
        const char* programa;
        std::string fichero;
        int nbase;
        std::string escala;
        std::vector<std::string> niveles;
        std::vector<double> ener;
        std::string salida;
    } casos[] = {
        {NIVELES_EXE, "nivel", 2, "2.500", {"1", "2"}, energias(3), " M1064\n"},
        {NIVELES_EXE, "nivel", 4, "2.500", {"1", "2"}, energias(3), " M1064\n"},
        {NIVELES_EXE, "nivel", 3, "2.500", {"1", "3"}, {0.5, 2.0, 2e12}, " M1066 2E+12\n"},
        {PROBS_EXE, "prob", 2, "2.500", {"1"}, energias(3), " M1064\n"},
        {PROBS_EXE, "prob", 4, "2.500", {"1"}, energias(3), " M1064\n"},
        // 1E20 · |ψ|² + E at x = 0.5, where |ψ|² = 1/2.
        {PROBS_EXE, "prob", 3, "1E20", {"1"}, energias(3), " M1065 5E+19\n"},
        {PROBS_EXE, "prob", 3, "2.500", {"3"}, {0.5, 2.0, 1000.0}, " M1066 1000\n"},
    };
    for (const auto& c : casos) {
        prueba::preparar(dir, dos_zonas(c.nbase), "3", c.escala, c.niveles, c.ener,
                         identidad(static_cast<int>(c.ener.size())));
        dir.escribir(c.fichero, "anterior\r\n");
        const auto r = correr(c.programa);
        EXPECT_EQ(r.estado, 255) << c.fichero << " " << c.salida << r.errores;
        EXPECT_EQ(r.salida, c.salida) << c.fichero;
        EXPECT_EQ(dir.leer(c.fichero), "anterior\r\n") << c.fichero << " " << c.salida;
    }
}

TEST_F(Graficas, LevelNumbersOfTwoDigitsStandAfterABlank) {
    preparar(dos_zonas(10), "3", "2.500", {"9", "10"}, energias(10), identidad(10));
    ASSERT_EQ(correr(NIVELES_EXE).estado, 0);
    const auto g = prueba::leer_grafica(dir.leer("nivel"));
    ASSERT_EQ(g.curvas.size(), 3u);
    EXPECT_EQ(g.curvas[1].leyenda, "M1105 9:            40.5000000");
    EXPECT_EQ(g.curvas[2].leyenda, "M1105 10:            50.0000000");
}

TEST_F(Graficas, NivelesReadsTwoLevelNumbersFromDib) {
    preparar(dos_zonas(3), "3", "2.500", {"1"}, energias(3), identidad(3));
    const auto r = correr(NIVELES_EXE);
    EXPECT_EQ(r.estado, 2);
    EXPECT_EQ(r.errores, "niveles: DIB, line 4: the file ends early; expected a level number\n");
    EXPECT_FALSE(dir.existe("nivel"));
}

TEST_F(Graficas, ProbsDrawsTheDensityAroundItsEnergy) {
    preparar(dos_zonas(2), "3", "2.500", {"1"}, {0.5, 2.0}, identidad(2));
    const auto r = correr(PROBS_EXE);
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "");
    // |ψ|² = sin²(πx/2) (L = 2), times 2.5, around E = 0.5.
    EXPECT_EQ(dir.leer("prob"), prueba::con_crlf(grafica_dos_zonas("  M1052", {
                                                              "  M1053",
                                                              "    0.100       0.65100",  // over the level's legend
                                                              "      5  0  1  2  0  12",
                                                              punto("0.0000000", "0.5000000"),
                                                              punto("0.5000000", "1.7500000"),
                                                              punto("1.0000000", "3.0000000"),
                                                              punto("1.5000000", "1.7500000"),
                                                              punto("2.0000000", "0.5000000"),
                                                              "  M1105 1:             0.5000000",
                                                              "    0.020    0.500",
                                                              "  2  0  1  1  0  0",
                                                              punto("0.0000000", "0.5000000"),
                                                              punto("2.0000000", "0.5000000"),
                                                              "  Fin",
                                                          })));
}

TEST_F(Graficas, TheDensityWrittenByProbsIntegratesToOne) {
    ProblemaPrueba p;
    p.nbase = "2";
    p.zonas = {{1, 0, 4, {0.0}}, {1, 4, 10, {0.0}}};
    // State 1 = 0.6 sin(πx/10) + 0.8 sin(2πx/10), state 2 orthogonal to it.
    const std::vector<std::vector<double>> vect = {{0.6, 0.8}, {0.8, -0.6}};
    for (const char* nivel : {"1", "2"}) {
        preparar(p, "151", "3.000", {nivel}, {0.25, 1.5}, vect);
        ASSERT_EQ(correr(PROBS_EXE).estado, 0);
        const auto g = prueba::leer_grafica(dir.leer("prob"));
        ASSERT_EQ(g.curvas.size(), 3u);
        const auto& d = g.curvas[1];
        EXPECT_EQ(d.leyenda, "M1053");
        ASSERT_EQ(d.npuntos, 301);
        const double E = g.curvas[2].puntos[0].y;
        EXPECT_EQ(E, std::string(nivel) == "1" ? 0.25 : 1.5);
        double integral = 0;
        for (size_t k = 1; k < d.puntos.size(); ++k) {
            EXPECT_GE(d.puntos[k].y, E - 1e-7);
            integral += 0.5 * ((d.puntos[k].y - E) + (d.puntos[k - 1].y - E)) * (d.puntos[k].x - d.puntos[k - 1].x);
        }
        EXPECT_NEAR(integral / 3.0, 1.0, 1e-3) << nivel;
        EXPECT_EQ(d.puntos.front().x, 0.0);
        EXPECT_EQ(d.puntos.back().x, 10.0);
    }
}

// A box that does not start at 0: the legends stand inside it, from its left
// end. The potential's at XIZQ + 0.8·L, the density's at XIZQ + 0.05·L, the
// level legends at XIZQ + 0.01·L and, for two levels 0.01 apart, side by side
// in the second of three columns.
TEST_F(Graficas, LegendsStandInsideABoxFromMinusTenToTen) {
    ProblemaPrueba p;
    p.nbase = "2";
    p.zonas = {{1, -10, 10, {0.0}}};
    preparar(p, "3", "2.500", {"1", "2"}, {1.0, 1.01}, identidad(2));
    ASSERT_EQ(correr(NIVELES_EXE).estado, 0);
    auto g = prueba::leer_grafica(dir.leer("nivel"));
    ASSERT_EQ(g.curvas.size(), 3u);
    EXPECT_EQ(g.curvas[0].leyenda_x, 6.0);
    EXPECT_EQ(g.curvas[0].leyenda_y, 1.0);
    // The view is [0, 1.01]: a legend is 0.0505 high, so level 2 moves aside.
    EXPECT_EQ(g.curvas[1].leyenda_x, -9.8);
    EXPECT_EQ(g.curvas[1].leyenda_y, 1.0);
    EXPECT_EQ(g.curvas[2].leyenda_x, -3.2666667);
    EXPECT_EQ(g.curvas[2].leyenda_y, 1.01);
    EXPECT_NE(dir.leer("nivel").find("\r\n    6.000  1.0\r\n"), std::string::npos);
    EXPECT_EQ(prueba::leyendas_mal_puestas(g, prueba::curvas_desde(g, 0), prueba::curvas_desde(g, 1)), "");

    preparar(p, "3", "2.500", {"1"}, {1.0, 1.01}, identidad(2));
    ASSERT_EQ(correr(PROBS_EXE).estado, 0);
    g = prueba::leer_grafica(dir.leer("prob"));
    ASSERT_EQ(g.curvas.size(), 3u);
    EXPECT_EQ(g.curvas[0].leyenda_x, 6.0);
    EXPECT_EQ(g.curvas[1].leyenda_x, -9.0);
    EXPECT_EQ(g.curvas[1].leyenda_y, 1.0635);  // 1 + 0.05 · 1.25 + 0.001 in the view [0, 1.25]
    EXPECT_EQ(g.curvas[2].leyenda_x, -9.8);
    EXPECT_EQ(g.curvas[2].leyenda_y, 1.0);
    EXPECT_NE(dir.leer("prob").find("\r\n   -9.000       1.06350\r\n"), std::string::npos);
    EXPECT_EQ(prueba::leyendas_mal_puestas(g, {1, 2}, {1, 2}), "");
}

} // namespace
