// Runs of the built funciones: the plot file FUNCION record by record, its
// stops and input errors, and what the graph window reads back from it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "engines/lector_grafica.hpp"
#include "fixtures/carpeta.hpp"
#include "fixtures/problemas.hpp"

using prueba::identidad;
using prueba::ProblemaPrueba;
using prueba::punto;
using prueba::ZonaPrueba;

namespace {

class Funciones : public ::testing::Test {
protected:
    prueba::CarpetaTemporal dir;
    void SetUp() override { dir.escribir("idioma.lng", prueba::idioma_graficas()); }

    static ProblemaPrueba dos_zonas() { return prueba::dos_zonas(2); }
    void preparar(const ProblemaPrueba& p, const std::string& puntos, const std::string& escala,
                  const std::string& nivel, const std::vector<double>& ener,
                  const std::vector<std::vector<double>>& vect) {
        prueba::preparar(dir, p, puntos, escala, {nivel}, ener, vect);
    }
    prueba::Resultado correr() { return prueba::ejecutar(FUNCIONES_EXE, dir.ruta(), {"p.dat"}); }
    std::vector<std::string> funcion() const { return prueba::lineas(dir.leer("FUNCION")); }
};

TEST_F(Funciones, TwoZonesWithThreePointsEachGiveTheWholeFile) {
    preparar(dos_zonas(), "3", "2.500", "1", {0.5, 2.0}, identidad(2));
    const auto r = correr();
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "");
    const std::vector<std::string> esperado = prueba::grafica_dos_zonas("  M1102", {
        "  M1104",
        "    0.100       0.65100",  // one legend height (0.05 of the view [0, 3]) over the level's, and 0.001
        "      5  0  1  2  0  12",
        punto("0.0000000", "0.5000000"),
        punto("0.5000000", "2.2677670"),  // 2.5 · sin(π/4) + 0.5
        punto("1.0000000", "3.0000000"),
        punto("1.5000000", "2.2677670"),
        punto("2.0000000", "0.5000000"),
        "  M1105 1:             0.5000000",
        "    0.020    0.500",
        "  2  0  1  1  0  0",
        punto("0.0000000", "0.5000000"),
        punto("2.0000000", "0.5000000"),
        "  Fin",
    });
    EXPECT_EQ(funcion(), esperado);
    const std::string bytes = dir.leer("FUNCION");
    EXPECT_EQ(bytes, prueba::con_crlf(esperado));
}

TEST_F(Funciones, TheGraphWindowReadsThreeCurvesBack) {
    preparar(dos_zonas(), "3", "2.500", "2", {0.5, 2.0}, identidad(2));
    ASSERT_EQ(correr().estado, 0);
    const auto g = prueba::leer_grafica(dir.leer("FUNCION"));
    EXPECT_EQ(g.comentario, "M1102");
    EXPECT_EQ(g.etiqueta_x, "x");
    EXPECT_EQ(g.etiqueta_y, "V(x)");
    ASSERT_EQ(g.curvas.size(), 3u);
    struct Esperada {
        std::string leyenda;
        int npuntos, grosor, color;
    } esperadas[] = {{"M1103", 6, 3, 9}, {"M1104", 5, 2, 12}, {"M1105 2:             2.0000000", 2, 1, 0}};
    for (size_t i = 0; i < 3; ++i) {
        const auto& c = g.curvas[i];
        EXPECT_EQ(c.leyenda, esperadas[i].leyenda);
        EXPECT_EQ(c.npuntos, esperadas[i].npuntos);
        EXPECT_EQ(static_cast<int>(c.puntos.size()), c.npuntos);
        EXPECT_EQ(c.marcas, 0);
        EXPECT_EQ(c.tipo, 1);
        EXPECT_FALSE(c.parametro.has_value());
        EXPECT_EQ(c.grosor, esperadas[i].grosor);
        EXPECT_EQ(c.estilo_trazo, 0);
        EXPECT_EQ(c.color, esperadas[i].color);
    }
    // State 2 = sin(πx): zero at the walls and the middle, ±2.5 around E = 2.
    const std::vector<double> xs = {0, 0.5, 1, 1.5, 2}, ys = {2, 4.5, 2, -0.5, 2};
    for (size_t k = 0; k < 5; ++k) {
        EXPECT_EQ(g.curvas[1].puntos[k].x, xs[k]);
        EXPECT_NEAR(g.curvas[1].puntos[k].y, ys[k], 1e-7);
    }
    EXPECT_EQ(g.curvas[1].leyenda_y, 2.251);  // 2 + 0.05 · 5 + 0.001 in the view [-0.5, 4.5]
    EXPECT_EQ(g.curvas[2].puntos[0].x, 0.0);
    EXPECT_EQ(g.curvas[2].puntos[1].x, 2.0);
    EXPECT_EQ(g.curvas[2].puntos[1].y, 2.0);
}

TEST_F(Funciones, LegendPlacesFollowTheBoxLength) {
    struct Caso {
        double xini, xfin;
        std::string registro5, registro9, registro13;
    } casos[] = {
        {0, 10, "    8.000  1.0", "    0.500", "    0.100    0.500"},
        {0, 900, "  720.000  1.0", "   45.000", "    9.000    0.500"},
        // A box on [-10, 10]: the legends measure from its left wall.
        {-10, 10, "    6.000  1.0", "   -9.000", "   -9.800    0.500"},
    };
    for (const auto& c : casos) {
        ProblemaPrueba p;
        p.nbase = "2";
        p.zonas = {ZonaPrueba{1, c.xini, c.xfin, {0.0}}};
        preparar(p, "11", "2.500", "1", {0.5, 2.0}, identidad(2));
        ASSERT_EQ(correr().estado, 0);
        const auto l = funcion();
        ASSERT_EQ(l.size(), 4u + 2 + 11 + 3 + 11 + 5 + 1);
        EXPECT_EQ(l[4], c.registro5) << c.xfin;
        EXPECT_EQ(l[l.size() - 5], c.registro13) << c.xfin;
        // Record 9: XIZQ + 0.05·L, then the height of the curve's legend.
        EXPECT_EQ(l[4 + 2 + 11 + 1].substr(0, 9), c.registro9) << c.xfin;
    }
}

// The curve's legend (at XIZQ + 0.05·L) and the level's (at XIZQ + 0.01·L,
// on the level line, lifted into the view) both start near the left wall:
// the curve's stands above the level's, or under it where the level is at
// the top of the view.
TEST_F(Funciones, TheCurvesAndTheLevelsLegendsStandApartInsideTheView) {
    ProblemaPrueba caja;
    caja.nbase = "3";
    caja.zonas = {{1, 0, 10, {0.0}}};
    const std::vector<double> ener = {0.05, 0.2, 0.45};
    struct Caso {
        const char* que;
        ProblemaPrueba p;
        std::string escala, nivel;
        std::vector<double> ener;
    } casos[] = {
        {"the ground state", caja, "2.500", "1", ener},
        {"a state that changes sign", caja, "2.500", "3", ener},
        {"a negative scale", caja, "-2.500", "2", ener},
        {"a tiny scale", caja, "0.001", "1", ener},
        {"a ground state under the view's twentieth", caja, "2.500", "1", {0.001, 0.2, 0.45}},
        {"no scale, the level at the top of the view", caja, "0", "3", ener},
        {"a level under the potential", dos_zonas(), "0.1", "1", {-5.0, 2.0}},
        {"a level in a step, the view set by the potential", dos_zonas(), "0.01", "2", {0.5, 0.99}},
    };
    for (const auto& c : casos) {
        preparar(c.p, "51", c.escala, c.nivel, c.ener, identidad(static_cast<int>(c.ener.size())));
        ASSERT_EQ(correr().estado, 0) << c.que;
        const auto g = prueba::leer_grafica(dir.leer("FUNCION"));
        ASSERT_EQ(g.curvas.size(), 3u) << c.que;
        EXPECT_EQ(prueba::leyendas_mal_puestas(g, {1, 2}, {1, 2}), "") << c.que;
    }
}

TEST_F(Funciones, TheLevelLegendCarriesTheLevelAndItsEnergy) {
    ProblemaPrueba p = dos_zonas();
    p.nbase = "3";
    preparar(p, "3", "1.0", "3", {-2.0, -1.0, -0.5}, identidad(3));
    ASSERT_EQ(correr().estado, 0);
    const auto l = funcion();
    ASSERT_EQ(l.size(), 26u);
    EXPECT_EQ(l[20], "  M1105 3:" + std::string("  ") + "          -0.5000000");
    EXPECT_EQ(l[13], "    0.100      -0.37400");  // -0.5 + 0.05 · 2.5 + 0.001 in the view [-1.5, 1]
    EXPECT_EQ(l[21], "    0.020   -0.500");
}

TEST_F(Funciones, TheLevelNumberIsWrittenInFullFromLevel100On) {
    struct Caso {
        int nivel;
        std::string numero;
    } casos[] = {{3, " 3"}, {42, "42"}, {99, "99"}, {100, "100"}, {150, "150"}};
    for (const auto& c : casos) {
        ProblemaPrueba p = dos_zonas();
        p.nbase = "150";
        std::vector<double> ener(150);
        for (int j = 0; j < 150; ++j) ener[static_cast<size_t>(j)] = j + 1;
        preparar(p, "3", "1.0", std::to_string(c.nivel), ener, identidad(150));
        ASSERT_EQ(correr().estado, 0) << c.nivel;
        const auto l = funcion();
        ASSERT_EQ(l.size(), 26u);
        char energia[32];
        std::snprintf(energia, sizeof energia, "%20.7f", static_cast<double>(c.nivel));
        EXPECT_EQ(l[20], "  M1105" + c.numero + ":  " + energia) << c.nivel;
    }
}

TEST_F(Funciones, ASecondRunRewritesTheFileFromItsFirstRecord) {
    preparar(dos_zonas(), "50", "2.500", "1", {0.5, 2.0}, identidad(2));
    ASSERT_EQ(correr().estado, 0);
    preparar(dos_zonas(), "3", "2.500", "2", {0.5, 2.0}, identidad(2));
    ASSERT_EQ(correr().estado, 0);
    const std::string segunda = dir.leer("FUNCION");
    // The same run in a fresh folder gives the same bytes: nothing of the first run remains.
    prueba::CarpetaTemporal otra;
    for (const char* f : {"idioma.lng", "p.dat", "dib", "DatosDIB"}) otra.escribir(f, dir.leer(f));
    ASSERT_EQ(prueba::ejecutar(FUNCIONES_EXE, otra.ruta(), {"p.dat"}).estado, 0);
    EXPECT_EQ(segunda, otra.leer("FUNCION"));
    EXPECT_EQ(prueba::lineas(segunda).size(), 26u);
    // One file, under the name the graph window reads ignoring case; no temporary left.
    int ficheros = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.ruta())) ficheros += e.path().filename() != "FUNCION";
    EXPECT_EQ(ficheros, 4);
}

TEST_F(Funciones, AnExistingPlotFileIsReplacedUnderItsOwnName) {
    dir.escribir("funcion", "viejo\r\n");
    preparar(dos_zonas(), "3", "2.500", "1", {0.5, 2.0}, identidad(2));
    ASSERT_EQ(correr().estado, 0);
    EXPECT_FALSE(dir.existe("FUNCION"));
    EXPECT_EQ(prueba::lineas(dir.leer("funcion")).size(), 26u);
}

// V = x² from -1 to 2 in 31 points: the tenth step of 0.1 lands next to 0,
// where the series takes its constant term; the plot holds its three curves.
TEST_F(Funciones, APowerSeriesWithoutNegativePowersIsDrawnAcrossTheOrigin) {
    dir.escribir("FUNCION", "anterior\r\n");
    ProblemaPrueba p;
    p.nbase = "2";
    p.zonas = {{4, -1, 2, {0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}};
    preparar(p, "31", "2.500", "1", {0.5, 2.0}, identidad(2));
    const auto r = correr();
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "");
    const auto g = prueba::leer_grafica(dir.leer("FUNCION"));
    ASSERT_EQ(g.curvas.size(), 3u);
    EXPECT_EQ(g.curvas[0].npuntos, 31);
    EXPECT_EQ(g.curvas[1].npuntos, 31);
    EXPECT_EQ(g.curvas[2].npuntos, 2);
    EXPECT_NEAR(g.curvas[0].puntos[10].x, 0.0, 1e-7);
    EXPECT_EQ(g.curvas[0].puntos[10].y, 0.0);
    EXPECT_NEAR(g.curvas[0].puntos[30].y, 4.0, 1e-7);
}

TEST_F(Funciones, StopsLeaveAnEarlierPlotFileAsItStood) {
    auto con = [](auto cambio) {
        ProblemaPrueba p;
        p.nbase = "2";
        p.zonas = {{1, 0, 1, {0.0}}, {1, 1, 2, {1.0}}};
        cambio(p);
        return p;
    };
    struct Caso {
        const char* que;
        ProblemaPrueba p;
        std::string puntos, nivel;
        std::string salida;
    } casos[] = {
        {"level 0", con([](ProblemaPrueba&) {}), "3", "0", " M1055\n"},
        {"level -1", con([](ProblemaPrueba&) {}), "3", "-1", " M1055\n"},
        {"level above the basis", con([](ProblemaPrueba&) {}), "3", "3", " M1047\n"},
        {"no point", con([](ProblemaPrueba&) {}), "0", "1", " M1057\n"},
        {"32768 points", con([](ProblemaPrueba&) {}), "16384", "1", " M1048\n"},
        {"a huge point count", con([](ProblemaPrueba&) {}), "2000000000", "1", " M1048\n"},
        {"11 zones", con([](ProblemaPrueba& p) { p.nzonas = "11"; }), "3", "1", " M1107\n"},
        {"zones apart", con([](ProblemaPrueba& p) { p.zonas[1].xini = 1.5; }), "3", "1", " M1108\n"},
    };
    for (const auto& c : casos) {
        dir.escribir("FUNCION", "anterior\r\n");
        preparar(c.p, c.puntos, "2.500", c.nivel, {0.5, 2.0}, identidad(2));
        const auto r = correr();
        EXPECT_EQ(r.estado, 255) << c.que << r.errores;  // -1: a refusal
        EXPECT_EQ(r.salida, c.salida) << c.que;
        EXPECT_EQ(r.errores, "") << c.que;
        EXPECT_EQ(dir.leer("FUNCION"), "anterior\r\n") << c.que;
    }
}

// Requests that the plot file cannot hold, and eigen data of another
// basis: a message, status -1 and no plot file, so that the window shows none.
TEST_F(Funciones, RequestsThePlotFileCannotHoldAreRefused) {
    auto con = [](int nbase, auto cambio) {
        ProblemaPrueba p = prueba::dos_zonas(nbase);
        cambio(p);
        return p;
    };
    auto igual = [](ProblemaPrueba&) {};
    struct Caso {
        const char* que;
        ProblemaPrueba p;
        std::string escala, nivel;
        std::vector<double> ener;
        std::string salida;
    } casos[] = {
        {"eigen data of a larger basis", con(1, igual), "2.500", "1", {0.5, 2.0}, " M1064\n"},
        {"eigen data of a smaller basis", con(3, igual), "2.500", "1", {0.5, 2.0}, " M1064\n"},
        // The first point past its field: 1E20 · sin(π/4) + 0.5 at x = 0.5.
        {"a scale factor of 1E20", con(2, igual), "1E20", "1", {0.5, 2.0}, " M1065 7.0710678E+19\n"},
        {"a scale factor of -1E20", con(2, igual), "-1E20", "1", {0.5, 2.0}, " M1065 -7.0710678E+19\n"},
        // The curve fits F20.7; the level's legend, lifted 0.05 of the view [0, 1E8] off its
        // bottom, not F7.3.
        {"a scale that overflows the level's legend", con(2, igual), "1E8", "1", {0.5, 2.0}, " M1065 5000000\n"},
        {"an energy beyond the level's F7.3 place", con(2, igual), "2.500", "2", {0.5, 1000.0}, " M1066 1000\n"},
        // The level's legend lifted off the bottom of the view [-200, 1].
        {"an energy below it", con(2, igual), "2.500", "1", {-200.0, 2.0}, " M1066 -189.949\n"},
        {"a box whose legend place does not fit", con(2, [](ProblemaPrueba& p) { p.zonas[1].xfin = 1300; }), "2.500",
         "1", {0.5, 2.0}, " M1066 1040\n"},
        {"a potential beyond F20.7", con(2, [](ProblemaPrueba& p) { p.zonas[1].parametros = {1e12}; }), "2.500", "1",
         {0.5, 2.0}, " M1066 1E+12\n"},
    };
    for (const auto& c : casos) {
        dir.escribir("FUNCION", "anterior\r\n");
        prueba::preparar(dir, c.p, "3", c.escala, {c.nivel}, c.ener, identidad(static_cast<int>(c.ener.size())));
        const auto r = correr();
        EXPECT_EQ(r.estado, 255) << c.que << r.errores;
        EXPECT_EQ(r.salida, c.salida) << c.que;
        EXPECT_EQ(r.errores, "") << c.que;
        EXPECT_EQ(dir.leer("FUNCION"), "anterior\r\n") << c.que;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.ruta()), {}), 5) << c.que;  // no temporary
    }
}

TEST_F(Funciones, AnEvenPointCountIsNoticedAndTheRunGoesOn) {
    ProblemaPrueba p = dos_zonas();
    p.npuntos = "1000";
    preparar(p, "3", "2.500", "1", {0.5, 2.0}, identidad(2));
    const auto r = correr();
    EXPECT_EQ(r.estado, 0);
    EXPECT_EQ(r.salida, " M1100\n        M1101\n");
    EXPECT_EQ(funcion().size(), 26u);
}

TEST_F(Funciones, TwoIntegrationPointsAreNoticedAndTheRunGoesOn) {
    // calculos raises the count to 3; funciones does not use it and draws.
    for (const char* puntos : {"2", "1", "0"}) {
        ProblemaPrueba p = dos_zonas();
        p.npuntos = puntos;
        preparar(p, "2", "2.500", "1", {0.5, 2.0}, identidad(2));
        const auto r = correr();
        EXPECT_EQ(r.estado, 0) << puntos;
        EXPECT_EQ(r.salida, std::string(puntos) == "1" ? "" : " M1100\n        M1101\n") << puntos;
        const auto g = prueba::leer_grafica(dir.leer("FUNCION"));
        ASSERT_EQ(g.curvas.size(), 3u) << puntos;
        EXPECT_EQ(g.curvas[0].npuntos, 4) << puntos;  // two per zone, from DIB
        EXPECT_EQ(g.curvas[1].npuntos, 3) << puntos;
    }
}

TEST_F(Funciones, ThirtyTwoThousandSevenHundredSixtySevenPointsAreWritten) {
    ProblemaPrueba p;
    p.nbase = "1";
    p.zonas = {{1, 0, 1, {0.0}}};
    preparar(p, "32767", "1", "1", {0.5}, identidad(1));
    ASSERT_EQ(correr().estado, 0);
    const auto g = prueba::leer_grafica(dir.leer("FUNCION"));
    ASSERT_EQ(g.curvas.size(), 3u);
    EXPECT_EQ(g.curvas[0].npuntos, 32767);
    EXPECT_EQ(g.curvas[1].npuntos, 32767);
}

TEST_F(Funciones, InputErrorsEndWithStatus2AndADiagnostic) {
    const std::string problema = prueba::texto_problema(dos_zonas());
    const std::string dib = prueba::texto_dib("3", "2.500", {"1"});
    const std::string datos = prueba::texto_datosdib({0.5, 2.0}, identidad(2));
    struct Caso {
        const char* que;
        std::string dib, datos;  // empty: no such file
        std::string error;
    } casos[] = {
        {"no dib", "", datos, "funciones: DIB: the file cannot be opened for reading\n"},
        {"short dib", prueba::con_crlf({"Puntos = 3", "Escala = 2.5"}), datos,
         "funciones: DIB, line 3: the file ends early; expected a level number\n"},
        {"a scale that is no number", prueba::con_crlf({"Puntos = 3", "Escala = x", "Nivel = 1"}), datos,
         "funciones: DIB, line 2: expected the scale factor, found \"x\"\n"},
        {"no DatosDIB", dib, "", "funciones: DatosDIB: the file cannot be opened for reading\n"},
        {"a component that is no number", dib, prueba::con_crlf({" 0.5", " 1", " 0", " 2.0", " NaN?", " 1"}),
         "funciones: DatosDIB, line 5: expected an eigenvector component, found \"NaN?\"\n"},
    };
    for (const auto& c : casos) {
        for (const char* f : {"dib", "DatosDIB"}) std::filesystem::remove(dir / f);
        dir.escribir("p.dat", problema);
        if (!c.dib.empty()) dir.escribir("dib", c.dib);
        if (!c.datos.empty()) dir.escribir("DatosDIB", c.datos);
        dir.escribir("FUNCION", "anterior\r\n");
        const auto r = correr();
        EXPECT_EQ(r.estado, 2) << c.que;
        EXPECT_EQ(r.errores, c.error) << c.que;
        EXPECT_EQ(dir.leer("FUNCION"), "anterior\r\n") << c.que;
    }
}

TEST_F(Funciones, TheCommandLineNamesTheProblemAsForCalculos) {
    preparar(dos_zonas(), "3", "2.500", "1", {0.5, 2.0}, identidad(2));
    dir.escribir("DATOS.DAT", dir.leer("p.dat"));
    std::filesystem::remove(dir / "p.dat");
    auto r = prueba::ejecutar(FUNCIONES_EXE, dir.ruta(), {});
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(funcion().size(), 26u);
    std::filesystem::remove(dir / "FUNCION");
    r = prueba::ejecutar(FUNCIONES_EXE, dir.ruta(), {"uno", "dos"}, dir.leer("DATOS.DAT"));
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(funcion().size(), 26u);
}

TEST_F(Funciones, TheGroundStateOfABoxIsPositiveInsideAndZeroAtTheWalls) {
    ProblemaPrueba p;
    p.nbase = "3";
    p.zonas = {{1, 2, 7, {0.0}}, {1, 7, 12, {0.0}}};  // a box from 2 to 12
    const double pi = 3.141592653589793;
    preparar(p, "101", "2.500", "1", {pi * pi / 200, 4 * pi * pi / 200, 9 * pi * pi / 200}, identidad(3));
    ASSERT_EQ(correr().estado, 0);
    const auto g = prueba::leer_grafica(dir.leer("FUNCION"));
    ASSERT_EQ(g.curvas.size(), 3u);
    const auto& onda = g.curvas[1].puntos;
    ASSERT_EQ(onda.size(), 201u);
    const double E = pi * pi / 200;
    EXPECT_NEAR(onda.front().y - E, 0.0, 1e-7);
    EXPECT_NEAR(onda.back().y - E, 0.0, 1e-7);
    EXPECT_EQ(onda.front().x, 2.0);
    EXPECT_EQ(onda.back().x, 12.0);
    for (size_t k = 1; k + 1 < onda.size(); ++k) EXPECT_GT(onda[k].y - E, 0.0) << onda[k].x;
    // Its peak at the middle: sqrt(2/L) · ESCALA.
    EXPECT_NEAR(onda[100].y - E, std::sqrt(2.0 / 10) * 2.5, 1e-7);
}

} // namespace
