#include <gtest/gtest.h>
#include <sstream>

#include "fixtures/carpeta.hpp"
#include "fixtures/problemas.hpp"
#include "io/errores.hpp"
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

} // namespace
