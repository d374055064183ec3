// The pieces the plotting engines share (the readers of DIB and DatosDIB,
// the sine series, the repeated-point rule), the test reader of plot files,
// and the language texts the plotting engines need.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>

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
    EXPECT_TRUE(graficas::leer_datosdib(ruta("DatosDIB"), ENER, VECT));
    EXPECT_EQ(ENER, (std::vector<double>{-1.5, 2.5}));
    // Component j of every state, state by state.
    EXPECT_EQ(VECT(1, 1), 0.1);
    EXPECT_EQ(VECT(1, 2), 0.2);
    EXPECT_EQ(VECT(2, 1), 0.3);
    EXPECT_EQ(VECT(2, 2), 0.4);
}

// Eigen data of a basis of 2 (6 values) read for a basis of n.
TEST_F(LeerDatosDib, OnlyTheValuesOfTheBasisPass) {
    const std::vector<std::string> dos = {" -1.5", " 0.1", " 0.2", " 2.5", " 0.3", " 0.4"};
    auto mas = [&](std::vector<std::string> extra) {
        std::vector<std::string> l = dos;
        l.insert(l.end(), extra.begin(), extra.end());
        return con_crlf(l);
    };
    struct Caso {
        const char* que;
        std::string bytes;
        int n;
        bool pasa;
    } casos[] = {
        {"the basis it was written for", con_crlf(dos), 2, true},
        {"the last line without its line end", con_crlf(dos).substr(0, con_crlf(dos).size() - 2), 2, true},
        {"empty and blank lines after the last value", mas({"", "   ", ""}), 2, true},
        {"a smaller basis", con_crlf(dos), 1, false},
        {"a larger basis", con_crlf(dos), 3, false},
        {"a larger basis, with empty lines after", mas({"", ""}), 3, false},
        {"one value more", mas({" 0.5"}), 2, false},
        {"one value more after an empty line", mas({"", " 0.5"}), 2, false},
        {"no value", "", 2, false},
    };
    for (const auto& c : casos) {
        dir.escribir("DatosDIB", c.bytes);
        std::vector<double> ENER(static_cast<size_t>(c.n));
        problema::Matriz VECT(c.n);
        EXPECT_EQ(graficas::leer_datosdib(ruta("DatosDIB"), ENER, VECT), c.pasa) << c.que;
    }
}

TEST_F(LeerDatosDib, AValueThatIsNoNumberOrAnEmptyLineAmongTheValuesIsAnInputError) {
    std::vector<double> ENER(2);
    problema::Matriz VECT(2);
    const std::string p = ruta("DatosDIB");
    dir.escribir("DatosDIB", con_crlf({" -1.5", " 0.1", " 0.2", " 2.5", " x", " 0.4"}));
    EXPECT_EQ(error([&] { graficas::leer_datosdib(p, ENER, VECT); }),
              p + ", line 5: expected an eigenvector component, found \"x\"");
    dir.escribir("DatosDIB", con_crlf({" -1.5", " 0.1", " 0.2", "", " 2.5", " 0.3", " 0.4"}));
    EXPECT_EQ(error([&] { graficas::leer_datosdib(p, ENER, VECT); }), p + ", line 4: expected an energy, found no value");
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

TEST(Campo, AValueThatDoesNotFitItsFieldRefusesTheRequest) {
    using graficas::Causa;
    struct Caso {
        int w, d;
        double v;
        const char* escrito;  // nullptr: refused
    } casos[] = {
        {7, 3, 999.999, "999.999"},  {7, 3, -99.999, "-99.999"}, {7, 3, 0.5, "  0.500"},
        {7, 3, 999.9996, nullptr},   {7, 3, -100.0, nullptr},    {7, 3, 1040.0, nullptr},
        {12, 5, 999999.99999, "999999.99999"}, {12, 5, 1e6, nullptr},
        {20, 7, 99999999999.0, " 99999999999.0000000"},           {20, 7, 3.5e20, nullptr},
        {20, 7, std::nan(""), nullptr}, {20, 7, HUGE_VAL, nullptr}, {20, 7, -HUGE_VAL, nullptr},
    };
    for (const auto& c : casos) {
        for (const Causa causa : {Causa::problema, Causa::escala}) {
            try {
                EXPECT_EQ(graficas::campo(c.w, c.d, c.v, causa).s, c.escrito ? c.escrito : "(refused)") << c.v;
            } catch (const graficas::NoCabe& e) {
                EXPECT_EQ(c.escrito, nullptr) << c.v;
                EXPECT_EQ(e.causa, causa);
                if (!std::isnan(c.v)) {
                    EXPECT_EQ(e.valor, c.v);
                }
            }
        }
    }
}

// The level legends of niveles: each has a box of its own inside the view.
// Their texts are those of the plot file: key 1105, the number, the energy.
namespace lugares {

using graficas::Caja;
using graficas::Punto;
using graficas::Vista;

std::vector<std::string> leyendas(const std::vector<double>& energias, const std::string& clave = "Nivel") {
    std::vector<std::string> r;
    for (size_t k = 0; k < energias.size(); ++k) {
        char t[64];
        std::snprintf(t, sizeof t, "%s%2zu:  %20.7f", clave.c_str(), k + 1, energias[k]);
        r.push_back(t);
    }
    return r;
}

// What is wrong with the places: a legend outside the view, two that cover
// each other, one that covers a box taken already.
std::string faltas(const std::vector<Punto>& r, const std::vector<std::string>& t, const Vista& v,
                   const std::vector<Caja>& ocupadas) {
    std::ostringstream f;
    const double tolerancia = 1e-12 * (v.alto() + v.ancho());
    std::vector<Caja> cajas;
    for (size_t i = 0; i < r.size(); ++i) {
        // Boxes computed here, from the sizes that niveles gives a legend.
        const double ancho = static_cast<double>(t[i].size()) * 0.01 * v.ancho(), alto = 0.05 * v.alto();
        const Caja c{r[i].x, r[i].x + ancho, r[i].y - alto, r[i].y};
        if (c.izquierda < v.xmin - tolerancia || c.derecha > v.xmax + tolerancia || c.abajo < v.ymin - tolerancia ||
            c.arriba > v.ymax + tolerancia)
            f << "legend " << i + 1 << " at (" << r[i].x << ", " << r[i].y << ") leaves the view\n";
        for (size_t j = 0; j < i; ++j)
            if (graficas::se_cubren(c, cajas[j])) f << "legends " << j + 1 << " and " << i + 1 << " cover each other\n";
        for (const Caja& o : ocupadas)
            if (graficas::se_cubren(c, o)) f << "legend " << i + 1 << " covers a box taken already\n";
        cajas.push_back(c);
    }
    return f.str();
}

std::vector<double> desde(double primera, double paso, int n) {
    std::vector<double> r;
    for (int k = 0; k < n; ++k) r.push_back(primera + k * paso);
    return r;
}

} // namespace lugares

// In a view from 0 to 10 (a legend is 0.5 high) over the box [-10, 10], the
// first column stands at -9.8.
TEST(LugaresDeLeyendas, ALegendWithRoomHangsUnderItsLineOrIsLiftedIntoTheView) {
    const graficas::Vista v{-10, 10, 0, 10};
    struct Caso {
        const char* que;
        std::vector<double> energias;
        std::vector<graficas::Punto> esperado;
    } casos[] = {
        {"levels apart hang under their lines", {2.0, 4.0, 9.99}, {{-9.8, 2.0}, {-9.8, 4.0}, {-9.8, 9.99}}},
        {"two levels 0.01 apart stand side by side", {3.0, 3.01}, {{-9.8, 3.0}, {-3.2666666666666666, 3.01}}},
        {"the lowest is lifted off the bottom edge", {0.2, 2.0}, {{-9.8, 0.5}, {-9.8, 2.0}}},
    };
    for (const auto& c : casos) {
        const auto r = niveles::lugares_de_leyendas(c.energias, lugares::leyendas(c.energias), v, {});
        ASSERT_EQ(r.size(), c.esperado.size()) << c.que;
        for (size_t k = 0; k < r.size(); ++k) {
            EXPECT_NEAR(r[k].x, c.esperado[k].x, 1e-12) << c.que << " " << k;
            EXPECT_NEAR(r[k].y, c.esperado[k].y, 1e-12) << c.que << " " << k;
        }
    }
}

TEST(LugaresDeLeyendas, EveryLegendGetsABoxOfItsOwnInsideTheView) {
    using lugares::desde;
    const std::string larga(40, 'N');  // one column holds no second legend of this text
    struct Caso {
        const char* que;
        graficas::Vista v;
        std::vector<double> energias;
        std::string clave = "Nivel";
        std::vector<graficas::Caja> ocupadas = {};
    } casos[] = {
        {"six levels in the lowest twentieth", {-10, 10, 0, 50}, desde(0.35, 0.4, 6)},
        {"six levels at the bottom edge", {-10, 10, 0, 50}, desde(0, 0, 6)},
        {"the oscillator's six lowest levels beside the potential's legend",
         {-10, 10, 0, 50},
         desde(0.3535534, 0.7071068, 6),
         "Nivel",
         {{6.0, 7.8, -1.5, 1.0}}},
        {"19 levels at one energy", {0, 1, -3, 2}, desde(0.5, 0, 19)},
        {"19 levels at the top edge", {0, 1, -3, 2}, desde(2, 0, 19)},
        {"19 levels 1e-9 apart in the middle", {0, 1, -3, 2}, desde(0, 1e-9, 19)},
        {"19 levels spread over the view", {0, 1, 0, 19}, desde(0.5, 1, 19)},
        {"19 levels half a legend apart from the bottom", {0, 1, 0, 20}, desde(0, 0.5, 19)},
        {"19 levels in a tiny view", {0, 1, 1, 1.001}, desde(1.0005, 1e-6, 19)},
        {"19 long legends, one column, 1.5 legends apart", {0, 1, 0, 20}, desde(1, 1.5, 19), larga},
        {"19 long legends at one energy", {0, 1, 0, 20}, desde(10, 0, 19), larga},
        {"19 levels beside a box taken at the bottom left", {0, 1, 0, 20}, desde(0, 0, 19), "Nivel",
         {{0, 0.5, 0, 3}}},
    };
    for (const auto& c : casos) {
        const auto t = lugares::leyendas(c.energias, c.clave);
        const auto r = niveles::lugares_de_leyendas(c.energias, t, c.v, c.ocupadas);
        ASSERT_EQ(r.size(), c.energias.size()) << c.que;
        // A box taken already is kept clear while the legends have room
        // elsewhere; the long legends of one column may need every row.
        const bool una_columna = c.clave == larga;
        EXPECT_EQ(lugares::faltas(r, t, c.v, una_columna ? std::vector<graficas::Caja>{} : c.ocupadas), "")
            << c.que;
    }
}

// The level's legend of a state's plot on its line, lifted into the view;
// the curve's one legend height over it, or under it near the top of the
// view; never covering each other.
TEST(LugaresDeEstado, TheCurvesLegendStandsOverTheLevelsInsideTheView) {
    struct Caso {
        double E;
        graficas::Vista v;
        double nivel, curva;
    } casos[] = {
        {0.5, {0, 2, 0, 3}, 0.5, 0.651},        // 0.5 + 0.15 + 0.001
        {-0.5, {0, 2, -1.5, 1}, -0.5, -0.374},  // -0.5 + 0.125 + 0.001
        {2.0, {0, 2, 0, 2}, 2.0, 1.899},        // at the top: under it, 2 - 0.1 - 0.001
        {1.95, {0, 2, 0, 2}, 1.95, 1.849},      // 1.95 + 0.1 + 0.001 would leave the view
        {0.05, {0, 2, 0, 2}, 0.101, 0.202},     // the level's lifted off the bottom edge
    };
    for (const auto& c : casos) {
        const auto l = graficas::lugares_de_estado(c.E, 0.02, 0.1, c.v);
        EXPECT_EQ(l.nivel.x, 0.02);
        EXPECT_EQ(l.curva.x, 0.1);
        EXPECT_NEAR(l.nivel.y, c.nivel, 1e-12) << c.E;
        EXPECT_NEAR(l.curva.y, c.curva, 1e-12) << c.E;
        // The level's legend as written, rounded to its F7.3 place.
        const double y3 = std::round(l.nivel.y * 1000) / 1000;
        const auto nivel = graficas::caja_de_leyenda({0.02, y3}, "Nivel 1:             0.5000000", c.v);
        const auto curva = graficas::caja_de_leyenda(l.curva, "Funcion de onda", c.v);
        EXPECT_FALSE(graficas::se_cubren(curva, nivel)) << c.E;
        for (const auto& b : {nivel, curva}) {
            EXPECT_GE(b.abajo, c.v.ymin - 1e-12) << c.E;
            EXPECT_LE(b.arriba, c.v.ymax) << c.E;
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
        for (int k = 1051; k <= 1066; ++k) {
            if (k > 1057 && k < 1064) continue;
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
