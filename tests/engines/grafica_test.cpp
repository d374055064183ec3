// The pieces the plotting engines share (the readers of DIB and DatosDIB,
// the sine series, the repeated-point rule), the test reader of plot files,
// and the language texts the plotting engines need.
#include <gtest/gtest.h>

#include <cmath>

#include "engines/lector_grafica.hpp"
#include "fixtures/carpeta.hpp"
#include "graficas/grafica.hpp"
#include "graficas/programas.hpp"
#include "ini/ini.hpp"
#include "io/errores.hpp"
#include "io/lectura.hpp"

namespace {

using prueba::con_crlf;

class EnCarpeta : public ::testing::Test {
protected:
    prueba::CarpetaTemporal dir;
    std::string ruta(const std::string& nombre) const { return (dir / nombre).string(); }
    // The diagnostic of the input-layer error that `f` ends with.
    template <class F>
    std::string error(F f) {
        try {
            f();
        } catch (const io::ErrorFichero& e) {
            return e.what();
        }
        return "no error";
    }
};

using LeerDib = EnCarpeta;

TEST_F(LeerDib, TakesTheValueAfterTheFirstEqualsSignInFreeForm) {
    dir.escribir("dib", con_crlf({"Puntos por zona = 300", "Factor de escala = -2.5", "Primer nivel = 3.000",
                                  "Ultimo nivel =  4, 5"}));
    // The dialog writes "dib"; the engines open "DIB".
    const auto d = graficas::leer_dib(ruta("DIB"), 2);
    EXPECT_EQ(d.PUNTOS_DIBUJO, 300);
    EXPECT_EQ(d.ESCALA, -2.5);
    EXPECT_EQ(d.niveles, (std::vector<int>{3, 4}));
}

TEST_F(LeerDib, AMissingShortOrUnreadableFileIsAnInputError) {
    const std::string p = ruta("DIB");
    EXPECT_EQ(error([&] { graficas::leer_dib(p, 1); }), p + ": the file cannot be opened for reading");
    dir.escribir("dib", con_crlf({"Puntos = 300", "Escala = 2.5"}));
    EXPECT_EQ(error([&] { graficas::leer_dib(p, 1); }), p + ", line 3: the file ends early; expected a level number");
    dir.escribir("dib", con_crlf({"Puntos = 300", "Escala = dos", "Nivel = 1"}));
    EXPECT_EQ(error([&] { graficas::leer_dib(p, 1); }), p + ", line 2: expected the scale factor, found \"dos\"");
    dir.escribir("dib", con_crlf({"Puntos 300", "Escala = 2", "Nivel = 1"}));
    EXPECT_EQ(error([&] { graficas::leer_dib(p, 1); }), p + ", line 1: expected the points per zone, found no value");
}

using LeerDatosDib = EnCarpeta;

TEST_F(LeerDatosDib, RowJOfTheEigenvectorsFollowsEnergyJ) {
    dir.escribir("DatosDIB", con_crlf({" -1.5", " 0.1", " 0.2", " 2.5", " 0.3", " 0.4"}));
    std::vector<double> ENER(2);
    problema::Matriz VECT(2);
    graficas::leer_datosdib(ruta("DatosDIB"), ENER, VECT);
    EXPECT_EQ(ENER, (std::vector<double>{-1.5, 2.5}));
    // Component j of every state, state by state.
    EXPECT_EQ(VECT(1, 1), 0.1);
    EXPECT_EQ(VECT(1, 2), 0.2);
    EXPECT_EQ(VECT(2, 1), 0.3);
    EXPECT_EQ(VECT(2, 2), 0.4);
}

TEST_F(LeerDatosDib, FewerRecordsThanTheBasisNeedsIsAnInputError) {
    // Written for a basis of 2, read after the problem was changed to 3.
    dir.escribir("DatosDIB", con_crlf({" -1.5", " 0.1", " 0.2", " 2.5", " 0.3", " 0.4"}));
    std::vector<double> ENER(3);
    problema::Matriz VECT(3);
    EXPECT_EQ(error([&] { graficas::leer_datosdib(ruta("DatosDIB"), ENER, VECT); }),
              ruta("DatosDIB") + ", line 7: the file ends early; expected an eigenvector component");
}

TEST(Serie, SumsTheSineSeriesOfTheStateFromTheLeftWall) {
    graficas::Datos d;
    d.p.NZONAS = 1;
    d.p.NBASE = 2;
    d.p.ZONA(1, problema::XINI) = 2.0;
    d.p.ZONA(1, problema::XFIN) = 6.0;
    d.p.calcular_caja();
    d.VECT = problema::Matriz(2);
    d.VECT(1, 2) = 0.6;  // state 2 = 0.6 sin(πx'/L) + 0.8 sin(2πx'/L)
    d.VECT(2, 2) = 0.8;
    const double pi = 3.141592653589793;
    for (double x : {2.0, 2.7, 4.0, 5.5, 6.0}) {
        const double t = (x - 2.0) / 4.0;
        EXPECT_NEAR(graficas::serie(d, 2, x), 0.6 * std::sin(pi * t) + 0.8 * std::sin(2 * pi * t), 1e-15) << x;
    }
    EXPECT_EQ(graficas::serie(d, 1, 3.0), 0.0);
}

TEST(SinRepetidos, ARepeatedBoundaryIsWrittenOnceWithinOneHundredMillionth) {
    const std::vector<double> X = {0, 0.5, 1, 1 + 5e-9, 1.5, 2, 2 + 2e-8, 2.5};
    const auto r = graficas::sin_repetidos(X, [](double x) { return 10 * x; });
    std::vector<double> xs, ys;
    for (const auto& q : r) xs.push_back(q.x), ys.push_back(q.y);
    EXPECT_EQ(xs, (std::vector<double>{0, 0.5, 1, 1.5, 2, 2 + 2e-8, 2.5}));
    EXPECT_EQ(ys, (std::vector<double>{0, 5, 10, 15, 20, 10 * (2 + 2e-8), 25}));
}

// The level legends of niveles in a view from 0 to 10 (a legend is 0.5 high)
// over the box [-10, 10]: the columns stand at -9.8, -4.8 and 0.2.
TEST(LugaresDeLeyendas, EachLegendIsReadableInsideTheView) {
    struct Caso {
        const char* que;
        std::vector<double> energias;
        std::vector<graficas::Punto> esperado;
    } casos[] = {
        {"levels apart hang under their lines", {2.0, 4.0, 9.99}, {{-9.8, 2.0}, {-9.8, 4.0}, {-9.8, 9.99}}},
        {"two levels 0.01 apart stand side by side", {3.0, 3.01}, {{-9.8, 3.0}, {-4.8, 3.01}}},
        {"the lowest is lifted off the bottom edge", {0.2, 0.21, 2.0}, {{-9.8, 0.5}, {-4.8, 0.5}, {-9.8, 2.0}}},
        {"a crowd fills the columns, then the least crowded",
         {5.0, 5.1, 5.2, 5.3},
         {{-9.8, 5.0}, {-4.8, 5.1}, {0.2, 5.2}, {-9.8, 5.3}}},
        {"a free column is taken again", {5.0, 5.1, 5.6}, {{-9.8, 5.0}, {-4.8, 5.1}, {-9.8, 5.6}}},
    };
    for (const auto& c : casos) {
        const auto r = niveles::lugares_de_leyendas(c.energias, -10.0, 20.0, 0.0, 10.0);
        ASSERT_EQ(r.size(), c.esperado.size()) << c.que;
        for (size_t k = 0; k < r.size(); ++k) {
            EXPECT_NEAR(r[k].x, c.esperado[k].x, 1e-12) << c.que << " " << k;
            EXPECT_NEAR(r[k].y, c.esperado[k].y, 1e-12) << c.que << " " << k;
        }
    }
}

TEST(LectorGrafica, TokensFollowAtLeastOneBlankAndEndAtABlankOrTheLineEnd) {
    struct Caso {
        std::string bytes;
        std::vector<std::string> esperado;
    } casos[] = {
        {"  12  3.5\r\n  7\r\n", {"12", "3.5", "7"}},
        {" 12 3.5\r\n", {"12", ".5"}},  // one blank between tokens loses a character
        {"  7  \r\n  8\r\n", {"7", "", "8"}},
        {"12\r\n", {"2"}},  // a first character without a blank before it is lost
    };
    for (const auto& c : casos) EXPECT_EQ(prueba::tokens(c.bytes), c.esperado) << c.bytes;
}

TEST(LectorGrafica, ReadsCurvesUntilFinInAnyCaseOrTheEndOfTheFile) {
    const std::string curva = con_crlf({"  Uno", "  1.5  -1", "      2  1  4  3  2  0  12", "  0.0  1.0", "  2.0  3.0"});
    auto g = prueba::leer_grafica(con_crlf({"  Titulo", "  x", "  V(x)"}) + curva + con_crlf({"  fIn  ", "basura"}));
    EXPECT_EQ(g.comentario, "Titulo");
    EXPECT_EQ(g.etiqueta_y, "V(x)");
    ASSERT_EQ(g.curvas.size(), 1u);
    const auto& c = g.curvas[0];
    EXPECT_EQ(c.leyenda, "Uno");
    EXPECT_EQ(c.leyenda_x, 1.5);
    EXPECT_EQ(c.leyenda_y, -1.0);
    EXPECT_EQ(c.tipo, 4);
    EXPECT_EQ(c.parametro, 3);
    EXPECT_EQ(c.grosor, 2);
    EXPECT_EQ(c.color, 12);
    ASSERT_EQ(c.puntos.size(), 2u);
    EXPECT_EQ(c.puntos[1].y, 3.0);
    // The end of the file right after a point ends it too.
    g = prueba::leer_grafica(con_crlf({"  T", "  x", "  y"}) + curva + curva);
    EXPECT_EQ(g.curvas.size(), 2u);
    g = prueba::leer_grafica(con_crlf({"  T", "  x", "  y", "  FIN"}));
    EXPECT_EQ(g.curvas.size(), 0u);
}

TEST(LectorGrafica, FailsWhereTheGraphWindowWouldGiveUp) {
    const std::string cabecera = con_crlf({"  T", "  x", "  y"});
    auto curva = [](const std::string& cuenta) { return con_crlf({"  C", "  0  0", cuenta, "  1.0  2.0"}); };
    std::string veintiuna = cabecera;
    for (int k = 0; k < 21; ++k) veintiuna += curva("      1  0  1  1  0  0");
    const std::string casos[] = {
        cabecera + curva("      0  0  1  1  0  0"),
        cabecera + curva("  40000  0  1  1  0  0"),
        cabecera + con_crlf({"  C", "  0  0", "      2  0  1  1  0  0", "  1.0  2.0"}),
        cabecera + "  C\r\n  0  0\r\n      1  0  1  1  0  0\r\n  1.0  2.0",  // no line end after the last token
        veintiuna,
    };
    for (const auto& c : casos) EXPECT_THROW(prueba::leer_grafica(c), prueba::FalloLectura) << c;
}

TEST(LectorGrafica, ACommaEndsATextField) {
    // Every later field moves up by one.
    const auto g = prueba::leer_grafica(con_crlf({"  Potencial, y onda", "  x", "  FIN"}));
    EXPECT_EQ(g.comentario, "Potencial");
    EXPECT_EQ(g.etiqueta_x, "y onda");
    EXPECT_EQ(g.etiqueta_y, "x");
    EXPECT_EQ(g.curvas.size(), 0u);
}

// The texts of the plotting engines, in every language of the shipped file.
TEST(IdiomaGraficas, EveryLanguageHoldsTheTextsOfThePlottingEngines) {
    const std::string fichero = std::string(DATA_DIR) + "/idioma.lng";
    std::vector<std::string> secciones;
    auto f = io::Fuente::abrir(fichero);
    while (auto l = f.siguiente())
        if (!l->empty() && (*l)[0] == '[' && *l != "[Idioma]") secciones.push_back(l->substr(1, l->size() - 2));
    EXPECT_GE(secciones.size(), 2u);
    for (const auto& seccion : secciones) {
        for (int k = 1051; k <= 1057; ++k) {
            const std::string t = io::sin_blancos_finales(ini::LEERVALOR(fichero, seccion, std::to_string(k)));
            EXPECT_FALSE(t.empty()) << seccion << " lacks key " << k;
            EXPECT_LE(t.size(), 95u) << seccion << " " << k;
            // Comments and legends of plot files.
            if (k <= 1053) {
                EXPECT_EQ(t.find_first_of(",\""), std::string::npos) << seccion << " " << k;
            }
        }
    }
}

} // namespace
