#include <gtest/gtest.h>
#include <sstream>

#include "fixtures/carpeta.hpp"
#include "fixtures/problemas.hpp"
#include "io/errores.hpp"
#include "problema/memoria.hpp"
#include "problema/problema.hpp"

using namespace problema;
using prueba::ProblemaPrueba;
using prueba::ZonaPrueba;

namespace {

class LeerProblema : public ::testing::Test {
protected:
    prueba::CarpetaTemporal dir;
    std::ostringstream consola;
    ini::Mensajes m{io::Consola(consola), (dir / "idioma.lng").string()};

    void SetUp() override {
        dir.escribir("idioma.lng", prueba::idioma_de_prueba());
        m.leer_seccion();
    }

    Problema leer(const std::string& texto, const Reglas& r = reglas_calculos()) {
        std::istringstream is(texto);
        io::Fuente f = io::Fuente::flujo(is, "p.dat");
        return leer_problema(f, m, r);
    }
    Problema leer(const ProblemaPrueba& p, const Reglas& r = reglas_calculos()) {
        return leer(prueba::texto_problema(p), r);
    }
    // The status of the stop and the console text it left.
    int parada(const ProblemaPrueba& p, const Reglas& r = reglas_calculos()) {
        try {
            leer(p, r);
        } catch (const io::Parada& s) {
            return s.estado;
        }
        ADD_FAILURE() << "the problem was accepted";
        return 99;
    }
};

ZonaPrueba caja(double a, double b) { return {1, a, b, {0.0}}; }

TEST_F(LeerProblema, FillsTheTablesOfEveryZoneType) {
    ProblemaPrueba p;
    p.titulo = " Dos  palabras";
    p.zonas = {
        {1, 0, 1, {2.5}},
        {2, 1, 2, {3, 1.0, 0.0, 1.5, 4.0, 2.0, 0.0}},
        {3, 2, 3, {2.5, 0.5, 1, 2, 3}},
        {4, 3, 4, {1, 2, 3, 4, 5, 6, 7, -1, -2, -3, -4, -5, -6}},
    };
    const Problema q = leer(p);
    EXPECT_EQ(q.TITULO, " " + std::string(" Dos  palabras") + std::string(80 - 15, ' '));
    EXPECT_EQ(q.MASA, 1.0);
    EXPECT_EQ(q.NBASE, 10);
    EXPECT_EQ(q.NZONAS, 4);
    EXPECT_EQ(q.NPUNTOS, 1001);
    EXPECT_EQ(q.ITIPO(1), 1);
    EXPECT_EQ(q.ZONA(1, 3), 2.5);
    EXPECT_EQ(q.ITIPO(2), 2);
    EXPECT_EQ(q.NPOL(2), 3);
    EXPECT_EQ(q.POLI(2, 2, 1), 1.5);
    EXPECT_EQ(q.POLI(2, 2, 2), 4.0);
    EXPECT_EQ(q.POLI(2, 3, 1), 2.0);
    EXPECT_EQ(q.ZONA(3, 4), 2.5);  // x0
    EXPECT_EQ(q.ZONA(3, 3), 0.5);  // V0
    EXPECT_EQ(q.ZONA(3, 7), 3.0);  // K4
    EXPECT_EQ(q.ZONA(4, 3), 1.0);  // y0
    EXPECT_EQ(q.ZONA(4, 9), 7.0);  // x^6
    EXPECT_EQ(q.ZONA(4, 15), -6.0);  // x^-6
    EXPECT_EQ(q.LONGITUD, 4.0);
    EXPECT_EQ(q.XIZQ, 0.0);
    EXPECT_EQ(consola.str(), "");
}

TEST_F(LeerProblema, AnEvenPointCountIsRaisedWithANotice) {
    ProblemaPrueba p;
    p.npuntos = "1000";
    p.zonas = {caja(0, 10)};
    EXPECT_EQ(leer(p).NPUNTOS, 1001);
    EXPECT_EQ(consola.str(), " M1000\n        M1001\n");
    consola.str("");
    // funciones warns with its own keys and keeps the count.
    EXPECT_EQ(leer(p, reglas_funciones()).NPUNTOS, 1000);
    EXPECT_EQ(consola.str(), " M1100\n        M1101\n");
}

TEST_F(LeerProblema, ValueTextsFollowTheFreeFormRules) {
    ProblemaPrueba p;
    p.masa = "1.000, 2.000";
    p.nbase = "12.9";
    p.npuntos = "1001,5";  // a decimal comma ends the item
    p.zonas = {caja(0, 10)};
    const Problema q = leer(p);
    EXPECT_EQ(q.MASA, 1.0);
    EXPECT_EQ(q.NBASE, 12);
    EXPECT_EQ(q.NPUNTOS, 1001);
}

TEST_F(LeerProblema, TouchingIsCheckedWithinOneMillionth) {
    ProblemaPrueba p;
    p.zonas = {caja(0, 5), caja(5.0000001, 10)};
    EXPECT_NO_THROW(leer(p));
    p.zonas = {caja(0, 5), caja(4.999998, 10)};
    EXPECT_EQ(parada(p), -1);
    EXPECT_EQ(consola.str(), " M1003\n");
}

TEST_F(LeerProblema, RefusesProblemsOutsideTheModelWithTheirOwnMessage) {
    struct Caso {
        const char* que;
        ProblemaPrueba p;
        int clave_calculos;   // 0: accepted by calculos
        int clave_funciones;  // 0: accepted by funciones
    };
    // An even count writes its two notice lines first.
    auto mensaje = [](const ProblemaPrueba& p, int clave) {
        std::string s = std::stoi(p.npuntos) % 2 == 0 ? " M1000\n        M1001\n" : "";
        return s + " M" + std::to_string(clave) + "\n";
    };
    auto con = [](auto cambio) {
        ProblemaPrueba p;
        p.zonas = {caja(0, 10)};
        cambio(p);
        return p;
    };
    const Caso casos[] = {
        {"11 zones", con([](ProblemaPrueba& p) { p.nzonas = "11"; }), 1002, 1107},
        {"no zone", con([](ProblemaPrueba& p) { p.nzonas = "0"; }), 1041, 1041},
        {"no basis", con([](ProblemaPrueba& p) { p.nbase = "0"; }), 1042, 1042},
        {"zero mass", con([](ProblemaPrueba& p) { p.masa = "0.000"; }), 1049, 0},
        {"one point", con([](ProblemaPrueba& p) { p.npuntos = "1"; }), 1043, 0},
        {"two points", con([](ProblemaPrueba& p) { p.npuntos = "2"; }), 0, 0},
        {"no point", con([](ProblemaPrueba& p) { p.npuntos = "0"; }), 1043, 0},
        {"type 5", con([](ProblemaPrueba& p) { p.zonas[0].tipo = 5; }), 1045, 1045},
        {"type 0", con([](ProblemaPrueba& p) { p.zonas[0].tipo = 0; }), 1045, 1045},
        {"one vertex", con([](ProblemaPrueba& p) { p.zonas[0] = {2, 0, 10, {1, 0, 0}}; }), 1044, 1044},
        {"101 vertices", con([](ProblemaPrueba& p) { p.zonas[0] = {2, 0, 10, {101}}; }), 1044, 1044},
        {"empty zone", con([](ProblemaPrueba& p) { p.zonas[0] = caja(3, 3); }), 1050, 1050},
        {"reversed zone", con([](ProblemaPrueba& p) { p.zonas[0] = caja(10, 0); }), 1050, 1050},
        {"gap", con([](ProblemaPrueba& p) { p.zonas = {caja(0, 4), caja(5, 10)}; }), 1003, 1108},
    };
    for (const auto& c : casos) {
        consola.str("");
        if (c.clave_calculos == 0) {
            EXPECT_NO_THROW(leer(c.p)) << c.que;
        } else {
            EXPECT_EQ(parada(c.p), -1) << c.que;
            EXPECT_EQ(consola.str(), mensaje(c.p, c.clave_calculos)) << c.que;
        }
        consola.str("");
        if (c.clave_funciones == 0) {
            EXPECT_NO_THROW(leer(c.p, reglas_funciones())) << c.que;
        } else {
            EXPECT_EQ(parada(c.p, reglas_funciones()), 0) << c.que;
            EXPECT_EQ(consola.str(), mensaje(c.p, c.clave_funciones)) << c.que;
        }
    }
}

TEST_F(LeerProblema, TenZonesAndOneHundredVerticesAreAccepted) {
    ProblemaPrueba p;
    for (int i = 0; i < 10; ++i) p.zonas.push_back(caja(i, i + 1));
    std::vector<double> v = {100};
    for (int k = 0; k < 100; ++k) v.insert(v.end(), {9.0 + k / 99.0, 1.0});
    p.zonas[9] = {2, 9, 10, v};
    const Problema q = leer(p);
    EXPECT_EQ(q.NZONAS, 10);
    EXPECT_EQ(q.NPOL(10), 100);
    EXPECT_EQ(q.LONGITUD, 10.0);
}

TEST_F(LeerProblema, ErrorsOfTheFileNameTheLine) {
    ProblemaPrueba p;
    p.zonas = {caja(0, 10)};
    auto lineas = prueba::lineas_problema(p);
    lineas[2] = "Masa (u.a.) = uno";
    try {
        leer(prueba::con_crlf(lineas));
        FAIL();
    } catch (const io::ErrorFichero& e) {
        EXPECT_STREQ(e.what(), "p.dat, line 3: expected the mass, found \"uno\"");
    }
    lineas = prueba::lineas_problema(p);
    lineas.pop_back();  // no closing line
    EXPECT_THROW(leer(prueba::con_crlf(lineas)), io::ErrorFichero);
    lineas[1] = "Titulo = a = b";  // the label itself holds "="...
    lineas[2] = "Masa = (u.a.) = 1.000";  // ...which breaks the number
    EXPECT_THROW(leer(prueba::con_crlf(lineas)), io::ErrorFichero);
}

TEST_F(LeerProblema, ATitleIsCutAtColumn80) {
    ProblemaPrueba p;
    p.titulo = std::string(100, 't');
    p.zonas = {caja(0, 10)};
    EXPECT_EQ(leer(p).TITULO, " " + std::string(80 - 9, 't') + std::string(8, ' '));
}

// A problem of every zone type, and which of its lines hold a value.
struct Lineas {
    std::vector<std::string> l;
    static Lineas de_todos_los_tipos() {
        ProblemaPrueba p;
        p.zonas = {{1, 0, 1, {0.5}},
                   {2, 1, 2, {2, 1, 0, 2, 1}},
                   {3, 2, 3, {2.5, 0, 1, 0, 0}},
                   {4, 3, 4, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}};
        return {prueba::lineas_problema(p)};
    }
    // Every line but the header, the title, the zone header and the dashes.
    bool es_valor(size_t i) const { return i != 0 && i != 1 && i != 6 && l[i][0] != '-'; }
    std::string texto() const { return prueba::con_crlf(l); }
};

void leer_igual(const Problema& a, const Problema& b, const std::string& que) {
    EXPECT_EQ(a.TITULO, b.TITULO) << que;
    EXPECT_EQ(a.MASA, b.MASA) << que;
    EXPECT_EQ(a.NBASE, b.NBASE) << que;
    EXPECT_EQ(a.NPUNTOS, b.NPUNTOS) << que;
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(a.ITIPO(i), b.ITIPO(i)) << que;
        EXPECT_EQ(a.NPOL(i), b.NPOL(i)) << que;
        for (int c = 1; c <= COLUMNAS_ZONA; ++c) EXPECT_EQ(a.ZONA(i, c), b.ZONA(i, c)) << que;
        for (int k = 1; k <= 2; ++k) EXPECT_EQ(a.POLI(i, k, 2), b.POLI(i, k, 2)) << que;
    }
}

// A value written past column 80 would be read as another number (90 zeros
// and 1.000 as 0): every line that holds a value is refused at its line.
TEST_F(LeerProblema, AValueLineWithMoreThanBlanksAfterColumn80IsAnInputErrorAtItsLine) {
    const Lineas base = Lineas::de_todos_los_tipos();
    for (size_t i = 0; i < base.l.size(); ++i) {
        if (!base.es_valor(i)) continue;
        for (const std::string& resto : {std::string(90, '0') + "1.000", std::string(90, ' ') + "x"}) {
            Lineas t = base;
            std::string& l = t.l[i];
            const std::string valor = l.substr(l.find('=') + 2);
            l = l.substr(0, l.find('=') + 2) + (resto[0] == '0' ? resto : valor + resto);
            const std::string que = "line " + std::to_string(i + 1) + ": " + l.substr(0, 30);
            try {
                leer(t.texto());
                ADD_FAILURE() << que << ": accepted";
            } catch (const io::ErrorFichero& e) {
                const std::string w = e.what();
                EXPECT_EQ(w.substr(0, w.find(':') + 1), "p.dat, line " + std::to_string(i + 1) + ":") << que;
                EXPECT_NE(w.find("is longer than 80 characters"), std::string::npos) << w;
            }
            EXPECT_EQ(consola.str(), "") << que;
        }
    }
    // The mass line of the diagnostic, whole.
    Lineas t = base;
    t.l[2] = "Masa (u.a.) = " + std::string(90, '0') + "1.000";
    try {
        leer(t.texto());
        FAIL();
    } catch (const io::ErrorFichero& e) {
        EXPECT_STREQ(e.what(), "p.dat, line 3: the line of the mass is longer than 80 characters: its value must "
                               "end by column 80, the last one read");
    }
}

// Blanks after column 80 are no value: such lines, and lines of exactly 80
// characters, read as they always did; so do long lines without a value
// (the header, the zone header, the dashes) and a long title, cut at 80.
TEST_F(LeerProblema, BlanksAfterColumn80AndLongLinesWithoutAValueReadAsBefore) {
    const Lineas base = Lineas::de_todos_los_tipos();
    const Problema esperado = leer(base.texto());
    for (size_t i = 0; i < base.l.size(); ++i) {
        for (const size_t largo : {size_t{80}, size_t{200}}) {
            Lineas t = base;
            std::string& l = t.l[i];
            if (!base.es_valor(i) && i != 1 && largo == 200) l += std::string(150, '*');
            l.resize(std::max(l.size(), largo), ' ');
            const std::string que = "line " + std::to_string(i + 1) + " of " + std::to_string(l.size());
            Problema leido;
            ASSERT_NO_THROW(leido = leer(t.texto())) << que;
            leer_igual(leido, esperado, que);
        }
    }
    Lineas t = base;
    t.l[1] = "Titulo = " + std::string(191, 't');  // 200 characters
    EXPECT_EQ(leer(t.texto()).TITULO, " " + std::string(71, 't') + std::string(8, ' '));
}

// The memory a problem needs, told before anything is allocated: the basis
// counts as six matrices and its vectors, the points as two samples each.
TEST(Memoria, TheNeedOfAProblemAndWhatTheRefusalNames) {
    prueba::CarpetaTemporal dir;
    dir.escribir("idioma.lng", prueba::idioma_de_prueba());
    Problema p;
    p.NZONAS = 1;
    constexpr long double MB = 1024.0L * 1024.0L;
    struct Caso {
        const char* que;
        int nbase, npuntos;
        long double memoria;
        std::string consola;  // empty: accepted
    } casos[] = {
        {"the issue's basis of 100000", 100000, 1001, 1000 * MB,
         " M1067\n        M1068 100000\n        M1070 457826  1000\n"},
        {"2e9 points per zone", 10, 2000000000, 16384 * MB,
         " M1067\n        M1069 2000000000\n        M1070 30518  16384\n"},
        {"each part fits, not both", 1000, 3000000, 60 * MB,
         " M1067\n        M1068 1000\n        M1069 3000000\n        M1070 93  60\n"},
        {"the largest basis that 32 bits hold", 2147483647, 3, 1e12L, " M1067\n        M1068 2147483647\n"},
        {"a normal problem", 100, 1001, 1 * MB, ""},
    };
    for (const Caso& c : casos) {
        std::ostringstream consola;
        ini::Mensajes m{io::Consola(consola), (dir / "idioma.lng").string()};
        m.leer_seccion();
        p.NBASE = c.nbase;
        p.NPUNTOS = c.npuntos;
        const Necesidad n = necesidad_calculos(p);
        EXPECT_GE(n.base, 6.0L * c.nbase * c.nbase * 8) << c.que;
        EXPECT_EQ(n.muestras, 16.0L * c.npuntos) << c.que;
        bool parada = false;
        try {
            comprobar_memoria(p, n, m, c.memoria);
        } catch (const io::Parada& s) {
            parada = true;
            EXPECT_EQ(s.estado, -1) << c.que;
        }
        EXPECT_EQ(parada, !c.consola.empty()) << c.que;
        EXPECT_EQ(consola.str().substr(0, c.consola.size()), c.consola) << c.que;
    }
    // The plotting engines hold the eigen data of the basis only.
    p.NBASE = 100000;
    p.NPUNTOS = 2000000000;
    EXPECT_EQ(necesidad_graficas(p).total(), (1e10L + 1e5L) * 8);
}

} // namespace
