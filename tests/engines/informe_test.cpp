// The report RES.tot written from hand-made problems, matrices and
// eigenvectors: its blocks, their records and the variants of the layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "calculos/informe.hpp"
#include "fixtures/canal.hpp"
#include "io/errores.hpp"
#include "io/registro.hpp"

using namespace calculos;
using problema::Matriz;
using problema::Problema;
using prueba::b;
using prueba::CanalMemoria;

namespace {

const std::string estrellas = b(8) + std::string(70, '*');
const std::string guiones = b(7) + std::string(71, '-');
const std::string raya_nivel = b(19) + std::string(48, '-');
const std::string raya_estado = b(5) + std::string(75, '-');
const std::string separador = "... / ...";

// Texts of the test language: "M" and the key.
std::string M(int k) { return "M" + std::to_string(k); }
const Textos textos = [](int k) { return M(k); };

Problema caja(int nbase, int npuntos = 5, double xfin = 10.0) {
    Problema p;
    p.TITULO = "Caja de prueba";
    p.TITULO.resize(80, ' ');
    p.MASA = 1.0;
    p.NBASE = nbase;
    p.NZONAS = 1;
    p.NPUNTOS = npuntos;
    p.ITIPO(1) = problema::constante;
    p.ZONA(1, problema::XFIN) = xfin;
    p.calcular_caja();
    return p;
}

// Work arrays with VECT the identity and ENER = 0.1, 0.2, ...
Trabajo trabajo(const Problema& p) {
    Trabajo t(p);
    for (int i = 1; i <= p.NBASE; ++i) {
        t.VECT(i, i) = 1.0;
        t.ENER[static_cast<size_t>(i - 1)] = 0.1 * i;
    }
    return t;
}

std::vector<std::string> informe(const Problema& p, Trabajo& t, const Textos& tx = textos,
                                 Transcurrido tiempo = {0, 0, 1.5}, Fecha f = {5, 3, 2024}) {
    CanalMemoria c;
    escribir_informe(p, t, tiempo, f, tx, c);
    return c.lineas;
}
std::vector<std::string> informe(const Problema& p) {
    Trabajo t = trabajo(p);
    return informe(p, t);
}

// The blocks of a report: each up to and including its "... / ..." line.
std::vector<std::vector<std::string>> bloques(const std::vector<std::string>& lineas) {
    std::vector<std::vector<std::string>> r(1);
    for (const auto& l : lineas) {
        r.back().push_back(l);
        if (l == separador) r.emplace_back();
    }
    return r;
}

bool contiene(const std::vector<std::string>& ls, const std::string& l) {
    return std::find(ls.begin(), ls.end(), l) != ls.end();
}

TEST(Caracter, WritesOneBlankTheIndentAndTheCharacters) {
    CanalMemoria c;
    CARACTER(7, 70, c, '*');
    CARACTER(0, 3, c, '-');
    EXPECT_EQ(c.lineas, (std::vector<std::string>{estrellas, " ---"}));
    SEPARADOR(c);
    EXPECT_EQ(c.lineas[2], "");
    EXPECT_EQ(c.lineas[3], separador);
}

TEST(Informe, TheProblemBlockDescribesEveryZoneType) {
    Problema p = caja(2);
    p.NZONAS = 5;
    auto zona = [&](int z, int tipo, double a, double bb) {
        p.ITIPO(z) = tipo;
        p.ZONA(z, problema::XINI) = a;
        p.ZONA(z, problema::XFIN) = bb;
    };
    zona(1, 1, 0, 1);
    zona(2, 2, 1, 3);  // spacing 0.5: every vertex on the grid
    p.NPOL(2) = 3;
    const double v2[3][2] = {{1, 0}, {2.5, 4}, {3, -1.25}};
    for (int k = 1; k <= 3; ++k) p.POLI(2, k, 1) = v2[k - 1][0], p.POLI(2, k, 2) = v2[k - 1][1];
    zona(3, 2, 3, 4);  // spacing 0.25: 3.3 is off the grid
    p.NPOL(3) = 3;
    const double v3[3][2] = {{3, 0}, {3.3, 1}, {4, 0}};
    for (int k = 1; k <= 3; ++k) p.POLI(3, k, 1) = v3[k - 1][0], p.POLI(3, k, 2) = v3[k - 1][1];
    zona(4, 3, 4, 5);
    zona(5, 4, 5, 6);
    p.ZONA(5, 3) = 1.5;
    for (int c = 4; c <= 9; ++c) p.ZONA(5, c) = (c - 3) / 10.0;
    for (int c = 10; c <= 15; ++c) p.ZONA(5, c) = -(c - 9);
    p.calcular_caja();

    const std::vector<std::string> esperado = {
        "",
        estrellas,
        "",
        "       ***  M1005          M183    ***",
        "",
        estrellas,
        "",
        b(14) + "M1006",
        "",
        b(9) + "M1007",
        "",
        b(8) + "M1008",
        guiones,
        // constant
        "",
        b(41) + "M1009  1 :",
        "",
        b(32) + "  0.000   <  x  <   1.000",
        "",
        b(35) + "M1020",
        "",
        "",
        guiones,
        // polygonal on the grid
        "",
        b(41) + "M1009  2 :",
        "",
        b(32) + "  1.000   <  x  <   3.000",
        "",
        b(32) + "M1015",
        "",
        "",
        b(30) + "   M1016 (=        3)",
        "",
        b(33) + "   1.000     0.000",
        b(33) + "   2.500     4.000",
        b(33) + "   3.000    -1.250",
        "",
        guiones,
        // polygonal off the grid
        "",
        b(41) + "M1009  3 :",
        "",
        b(32) + "  3.000   <  x  <   4.000",
        "",
        b(32) + "M1015",
        "",
        "",
        b(30) + "   M1016 (=        3)",
        "",
        b(33) + "   3.000     0.000",
        b(33) + "   3.300     1.000",
        b(33) + "   4.000     0.000",
        "",
        b(14) + "M1017",
        "",
        "",
        b(10) + "M1018",
        "",
        "",
        b(9) + "M1019",
        "",
        "",
        guiones,
        // vibration
        "",
        b(41) + "M1009  4 :",
        "",
        b(32) + "  4.000   <  x  <   5.000",
        "",
        b(32) + "M1014",
        "",
        b(16) + "  V(x) = (1/2)*k2*(x-x0)**2 + (1/6)*k3*(x-x0)**3 + \xB7\xB7\xB7",
        "",
        guiones,
        // power series
        "",
        b(41) + "M1009  5 :",
        "",
        b(32) + "  5.000   <  x  <   6.000",
        "",
        b(32) + "M1010",
        "",
        b(19) + "  V(x) = ...+ ym2/X**2 + ym1/X + y0 + y1*X +...",
        "",
        b(30) + "M1011   y0=  1.500",
        "",
        b(28) + "M1012:",
        b(16) + "    0.100    0.200    0.300    0.400    0.500    0.600",
        "",
        b(28) + "M1013:",
        b(16) + "   -1.000   -2.000   -3.000   -4.000   -5.000   -6.000",
        "",
        guiones,
        "",
        guiones,
        // the box
        "",
        b(22) + "M1021",
        "",
        "",
        guiones,
        "",
        "",
        b(32) + "M1022 : 0.6000000E+01",
        "",
        "",
        b(33) + "M1023 :  5",
        "",
        "",
        separador,
    };
    EXPECT_EQ(bloques(informe(p))[0], esperado);
}

TEST(Informe, HasOneBlockPerStateAndElevenMore) {
    for (int n : {1, 5, 10}) {
        const auto bl = bloques(informe(caja(n)));
        ASSERT_EQ(bl.size(), static_cast<size_t>(n + 11)) << n;
        for (size_t k = 0; k + 1 < bl.size(); ++k) {
            ASSERT_GE(bl[k].size(), 2u);
            EXPECT_EQ(bl[k][bl[k].size() - 2], "") << "block " << k + 1;
        }
        EXPECT_NE(bl.back().back(), separador);
        // Blocks 11 on are the states in order.
        for (int i = 1; i <= n; ++i) EXPECT_EQ(bl[static_cast<size_t>(9 + i)][1], "  M1035" + io::I(3, i).s);
    }
}

TEST(Informe, TheClosingBlockHoldsTheElapsedTimeTheTitleAndTheDate) {
    Problema p = caja(1);
    p.TITULO = std::string(45, 'a') + "bcdefghij" + "klmnop";  // 60 characters
    p.TITULO.resize(80, ' ');
    Trabajo t = trabajo(p);
    const auto bl = bloques(informe(p, t, textos, {25, 7, 12.34}, {5, 3, 2024}));
    const std::vector<std::string> esperado = {
        "",
        "",
        "",
        b(5) + "** M1038 " + std::string(56, '*'),
        b(17) + "M1039: 25 M1040  7\xB4 12.3\xB4\xB4",
        b(6) + std::string(65, '*'),
        "",
        "",
        "",
        "",
        "",
        b(5) + std::string(45, 'a') + "bcdef" + b(5) + " 5/ 3/2024",
    };
    EXPECT_EQ(bl.back(), esperado);
}

TEST(Informe, MatrixHeadingsChangeAtOrder100) {
    struct Caso {
        int n;
        std::vector<std::string> cabecera;
    } casos[] = {{99, {"", "", "  M1024 (M1025 = 99 ):"}}, {100, {"", " M1024 (M1025 =  100 ):"}}};
    for (const auto& k : casos) {
        const auto bl = bloques(informe(caja(k.n)));
        ASSERT_EQ(bl.size(), static_cast<size_t>(k.n + 11));
        const std::vector<std::string> inicio(bl[1].begin(), bl[1].begin() + static_cast<long>(k.cabecera.size()));
        EXPECT_EQ(inicio, k.cabecera) << k.n;
        EXPECT_EQ(bl[1][k.cabecera.size() + 2], "   COLUMNA:       1        2        3        4        5        6        7");
        const int claves[] = {1024, 1026, 1027, 1028, 1029, 1030, 1031, 1032};
        for (int m = 0; m < 8; ++m) {
            const std::string& h = bl[static_cast<size_t>(1 + m)][k.cabecera.size() - 1];
            EXPECT_EQ(h.substr(0, h.find(' ', 3)), std::string(k.n < 100 ? "  " : " ") + M(claves[m])) << k.n;
        }
    }
}

TEST(Informe, StatesBelow100HaveARuleAboveTheirEnergy) {
    const auto bl = bloques(informe(caja(100)));
    const auto& e99 = bl[10 + 98];
    const auto& e100 = bl[10 + 99];
    const std::vector<std::string> esperado99 = {
        "",
        "  M1035 99",
        "",
        raya_estado,
        b(5) + "M1036(99) =     9.900000 (Hartree)   2172798.8 (cm-1)     6212.40 (Kcal/mol)",
        raya_estado,
        "",
        "",
        "  M1037:",
        "",
    };
    EXPECT_EQ(std::vector<std::string>(e99.begin(), e99.begin() + 10), esperado99);
    const std::vector<std::string> esperado100 = {
        "",
        "  M1035100",
        "",
        b(5) + "M1036(100) =    10.000000 (Hartree)   2194746.3 (cm-1)     6275.15 (Kcal/mol)",
        raya_estado,
    };
    EXPECT_EQ(std::vector<std::string>(e100.begin(), e100.begin() + 5), esperado100);
}

TEST(Informe, TheLevelListWidensTheStateNumberToTheRight) {
    const auto bl = bloques(informe(caja(10)));
    const auto& niveles = bl[9];
    ASSERT_EQ(niveles.size(), 4u + 10u * 4u + 2u);
    EXPECT_EQ(niveles[3], b(9) + "M1033  ( u.a. y cm-1 ):");
    EXPECT_EQ(std::vector<std::string>(niveles.begin() + 4, niveles.begin() + 8),
              (std::vector<std::string>{"", raya_nivel, b(19) + "M1034 (1) =" + b(5) + "0.100000" + b(8) + "21947.5", raya_nivel}));
    EXPECT_EQ(niveles[4 + 8 * 4 + 2], b(19) + "M1034 (9) =" + b(5) + "0.900000" + b(7) + "197527.2");
    EXPECT_EQ(niveles[4 + 9 * 4 + 2], b(19) + "M1034 (10) =" + b(5) + "1.000000" + b(7) + "219474.6");
}

TEST(Informe, ThePointCountTakesSevenColumnsFrom1000) {
    struct Caso {
        int npuntos;
        std::string linea;
    } casos[] = {{999, b(33) + "M1023 :999"}, {1001, b(31) + "M1023 :   1001"}, {1000001, b(31) + "M1023 :1000001"}};
    for (const auto& k : casos) EXPECT_TRUE(contiene(bloques(informe(caja(1, k.npuntos)))[0], k.linea)) << k.npuntos;
}

TEST(Informe, TheOffGridNoticeDividesTheAbscissaItselfByTheSpacing) {
    struct Caso {
        const char* que;
        double xini, xfin;
        int npuntos;
        std::vector<double> vertices;
        bool aviso;
    } casos[] = {
        {"vertices on the grid", 0, 8, 9, {0, 2, 8}, false},
        {"a vertex between points", 0, 8, 9, {0, 2.5, 8}, true},
        {"two vertices between points", 0, 8, 9, {0, 2.5, 3.5, 8}, true},
        {"a sample that is no multiple of the spacing", 0.5, 8.5, 9, {0.5, 2.5, 8.5}, true},
        {"a quotient just below a whole number", 0, 1, 11, {0, 0.7, 1}, false},
        {"negative abscissae", -1, 0, 11, {-1, -0.7, 0}, false},
    };
    for (const auto& k : casos) {
        Problema p = caja(1, k.npuntos);
        p.ITIPO(1) = problema::poligonal;
        p.ZONA(1, problema::XINI) = k.xini;
        p.ZONA(1, problema::XFIN) = k.xfin;
        p.NPOL(1) = static_cast<int>(k.vertices.size());
        for (int v = 1; v <= p.NPOL(1); ++v) p.POLI(1, v, 1) = k.vertices[static_cast<size_t>(v - 1)];
        p.calcular_caja();
        const auto b1 = bloques(informe(p))[0];
        EXPECT_EQ(std::count(b1.begin(), b1.end(), b(14) + "M1017"), k.aviso ? 1 : 0) << k.que;
        EXPECT_EQ(std::count(b1.begin(), b1.end(), b(10) + "M1018"), k.aviso ? 1 : 0) << k.que;
        EXPECT_EQ(std::count(b1.begin(), b1.end(), b(9) + "M1019"), k.aviso ? 1 : 0) << k.que;
    }
}

TEST(Informe, MissingTextsLeaveTheirLinesBlanksAndLiterals) {
    const Problema p = caja(2);
    Trabajo t = trabajo(p);
    const auto ls = informe(p, t, [](int) { return std::string(); });
    EXPECT_EQ(ls[3], "       ***  " + b(10) + "    ***");
    EXPECT_EQ(ls[7], b(14));
    EXPECT_TRUE(contiene(ls, "   ( =  2 ):"));
    EXPECT_TRUE(contiene(ls, b(32) + " : 0.1000000E+02"));
    EXPECT_TRUE(contiene(ls, "    2"));  // the state heading
    EXPECT_TRUE(contiene(ls, b(17) + ":  0   0\xB4  1.5\xB4\xB4"));
}

TEST(Informe, MatricesArePrintedAsBuiltThenInTheEigenbasis) {
    // H = ((1, 1/2), (1/2, 1)): eigenvalues 1/2 and 3/2, eigenvectors
    // (1, -1)/√2 and (1, 1)/√2; X is the position matrix of a box of 10.
    Problema p = caja(2);
    Trabajo t(p);
    t.HAM(1, 1) = t.HAM(2, 2) = 1.0;
    t.HAM(1, 2) = t.HAM(2, 1) = 0.5;
    const double r = std::sqrt(0.5);
    t.VECT(1, 1) = r, t.VECT(2, 1) = -r, t.VECT(1, 2) = r, t.VECT(2, 2) = r;
    t.ENER = {0.5, 1.5};
    t.XMAT(1, 1) = t.XMAT(2, 2) = 5.0;
    t.XMAT(1, 2) = t.XMAT(2, 1) = -1.8;
    const auto bl = bloques(informe(p, t));
    auto filas = [&](int bloque) {
        const auto& x = bl[static_cast<size_t>(bloque - 1)];
        return std::vector<std::string>(x.begin() + 6, x.begin() + 8);
    };
    EXPECT_EQ(filas(6), (std::vector<std::string>{"   fila(1):     1.0000   0.5000", "   fila(2):     0.5000   1.0000"}));
    EXPECT_EQ(filas(7), (std::vector<std::string>{"   fila(1):     0.5000   0.0000", "   fila(2):     0.0000   1.5000"}));
    EXPECT_EQ(filas(9), (std::vector<std::string>{"   fila(1):     6.8000   0.0000", "   fila(2):     0.0000   3.2000"}));
    // The matrices stay in the eigenbasis, and the transitions read the
    // position element between the two states: here zero.
    EXPECT_NEAR(t.HAM(1, 1), 0.5, 1e-15);
    EXPECT_NEAR(t.XMAT(1, 2), 0.0, 1e-15);
    EXPECT_EQ(t.XMAT(1, 2), t.XMAT(2, 1));
    EXPECT_TRUE(contiene(bl[11], b(5) + "  2 -> 1" + b(4) + "  0.000000E+00   0.100000E+01   0.000000E+00") ||
                contiene(bl[11], b(5) + "  2 -> 1" + b(4) + " -0.000000E+00   0.100000E+01   0.000000E+00"));
}

TEST(Informe, ZoneProbabilitiesAppearOnlyWithSeveralZones) {
    const std::string titulo = b(5) + "Con esta funcion de onda, La probabilidad de encontrar la particula:";
    Problema p = caja(3, 21);
    EXPECT_FALSE(contiene(informe(p), titulo));
    p.NZONAS = 2;
    p.ITIPO(2) = problema::constante;
    p.ZONA(1, problema::XFIN) = 5.0;
    p.ZONA(2, problema::XINI) = 5.0;
    p.ZONA(2, problema::XFIN) = 10.0;
    p.calcular_caja();
    Trabajo t = trabajo(p);
    for (int z = 0; z < 2; ++z) {  // the grid of the two zones
        for (int k = 0; k < 21; ++k) t.XMALLA[static_cast<size_t>(z * 21 + k)] = 5.0 * z + 0.25 * k;
    }
    const auto bl = bloques(informe(p, t));
    for (int i = 1; i <= 3; ++i) {
        const auto& e = bl[static_cast<size_t>(9 + i)];
        EXPECT_TRUE(contiene(e, titulo)) << i;
        EXPECT_TRUE(contiene(e, b(5) + "en la zona 1 vale: 0.5000")) << i;
        EXPECT_TRUE(contiene(e, b(5) + "en la zona 2 vale: 0.5000")) << i;
    }
}

TEST(Informe, AStateBlockEndsWithItsVectorItsTransitionsAndTheSeparator) {
    const Problema p = caja(2);
    Trabajo t = trabajo(p);
    t.XMAT(1, 2) = t.XMAT(2, 1) = 0.5;
    const auto bl = bloques(informe(p, t));
    const std::vector<std::string> esperado = {
        "",
        "  M1035  2",
        "",
        raya_estado,
        b(5) + "M1036(2) =     0.200000 (Hartree)     43894.9 (cm-1)      125.50 (Kcal/mol)",
        raya_estado,
        "",
        "",
        "  M1037:",
        "",
        "",
        "         K  :        1        2",
        "    T (2,K) :     0.0000   1.0000",
        "",
        std::string(85, '-'),
        "",
        "",
        b(6) + "Probabilidades de transicion espontanea :",
        "",
        "",
        b(5) + "Transicion:    <i|x|k>       E(i)-E(k)    coef. de Einstein",
        "",
        b(5) + "  2 -> 1" + b(4) + "  0.500000E+00   0.100000E+00   0.535500E+07",
        "",
        "",
        b(4) + "La vida media de este estado son  0.186741E-06 segundos",
        "",
        std::string(85, '-'),
        "",
        separador,
    };
    EXPECT_EQ(bl[11], esperado);
}

// A quantity of the report that is not a finite number stops the writing
// before it reaches the file, naming what overflowed; the caller then puts
// no file in place.
TEST(Informe, AQuantityThatIsNotFiniteStopsTheReportAndNamesIt) {
    const double inf = HUGE_VAL;
    struct Caso {
        const char* que;
        std::function<void(Trabajo&)> cambiar;
        int clave;
    } casos[] = {
        {"a potential element", [](Trabajo& t) { t.VPOT(1, 2) = NAN; }, 1024},
        {"a kinetic element", [=](Trabajo& t) { t.TCIN(3, 3) = inf; }, 1027},
        {"a potential element that overflows in the eigenbasis",
         [](Trabajo& t) {
             t.VECT(1, 1) = t.VECT(2, 1) = 1.0;
             t.VPOT(1, 1) = t.VPOT(2, 2) = 1e308;
         },
         1026},
        {"the position matrix", [=](Trabajo& t) { t.XMAT(2, 1) = -inf; }, 1031},
        {"an energy", [](Trabajo& t) { t.ENER[1] = NAN; }, 1033},
        {"an energy in cm-1", [](Trabajo& t) { t.ENER[2] = 1e304; }, 1033},
        {"an Einstein coefficient", [](Trabajo& t) { t.ENER = {0.0, 1e103, 2e103}; t.XMAT(1, 2) = 1.0; }, 1062},
    };
    for (const auto& c : casos) {
        Problema p = caja(3);
        Trabajo t = trabajo(p);
        c.cambiar(t);
        CanalMemoria canal;
        try {
            escribir_informe(p, t, {0, 0, 1.5}, {5, 3, 2024}, textos, canal);
            ADD_FAILURE() << c.que << ": written";
        } catch (const io::NoFinito& e) {
            EXPECT_EQ(e.que, c.clave) << c.que;
        }
        for (const auto& l : canal.lineas) {
            EXPECT_EQ(l.find("NaN"), std::string::npos) << c.que << ": " << l;
            EXPECT_EQ(l.find("Inf"), std::string::npos) << c.que << ": " << l;
        }
    }
}

} // namespace
