// Runs of the built calculos on small problems: its console, its exit status
// and the files it leaves.
#include <gtest/gtest.h>

#include "fixtures/carpeta.hpp"
#include "fixtures/problemas.hpp"

using prueba::ProblemaPrueba;
using prueba::ZonaPrueba;

namespace {

class Calculos : public ::testing::Test {
protected:
    prueba::CarpetaTemporal dir;
    void SetUp() override { dir.escribir("idioma.lng", prueba::idioma_de_prueba()); }

    static ProblemaPrueba caja() {
        ProblemaPrueba p;
        p.zonas = {{1, 0, 10, {0.0}}};
        return p;
    }
    prueba::Resultado correr(const std::vector<std::string>& args, const std::string& entrada = "") {
        return prueba::ejecutar(CALCULOS_EXE, dir.ruta(), args, entrada);
    }
};

constexpr int estado_parada = 255;  // -1 as the shell sees it

TEST_F(Calculos, ReadsDatosDatWithoutArgumentsAndStartsTheCalculation) {
    dir.escribir("DATOS.DAT", prueba::texto_problema(caja()));
    const auto r = correr({});
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "\n       M1004\n");
    EXPECT_EQ(r.errores, "");
}

TEST_F(Calculos, TheArgumentNamesTheProblemFileCutAt80Characters) {
    const std::string nombre80 = std::string(76, 'p') + ".dat";
    dir.escribir(nombre80, prueba::texto_problema(caja()));
    const auto r = correr({nombre80 + "0123456789"});
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "\n       M1004\n");
}

TEST_F(Calculos, TwoArgumentsReadTheProblemFromStandardInput) {
    const auto r = correr({"uno", "dos"}, prueba::texto_problema(caja()));
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "\n       M1004\n");
}

TEST_F(Calculos, StopsAndNoticesOnTheConsole) {
    auto con = [](auto cambio) {
        ProblemaPrueba p = caja();
        cambio(p);
        return p;
    };
    struct Caso {
        const char* que;
        ProblemaPrueba p;
        int estado;
        std::string salida;
    } casos[] = {
        {"11 zones", con([](ProblemaPrueba& p) { p.nzonas = "11"; }), estado_parada, " M1002\n"},
        {"zones 2e-6 apart", con([](ProblemaPrueba& p) { p.zonas = {{1, 0, 5, {0}}, {1, 5.000002, 10, {0}}}; }),
         estado_parada, " M1003\n"},
        {"zones 1e-7 apart", con([](ProblemaPrueba& p) { p.zonas = {{1, 0, 5, {0}}, {1, 5.0000001, 10, {0}}}; }), 0,
         "\n       M1004\n"},
        {"even points", con([](ProblemaPrueba& p) { p.npuntos = "1000"; }), 0, " M1000\n        M1001\n\n       M1004\n"},
        {"a vertex count above 100", con([](ProblemaPrueba& p) { p.zonas = {{2, 0, 10, {500}}}; }), estado_parada,
         " M1044\n"},
    };
    for (const auto& c : casos) {
        dir.escribir("p.dat", prueba::texto_problema(c.p));
        const auto r = correr({"p.dat"});
        EXPECT_EQ(r.estado, c.estado) << c.que << r.errores;
        EXPECT_EQ(r.salida, c.salida) << c.que;
    }
}

TEST_F(Calculos, InputErrorsEndWithStatus2AndADiagnostic) {
    struct Caso {
        const char* que;
        std::string fichero;  // empty: no problem file
        std::string error;
    } casos[] = {
        {"missing file", "", "calculos: falta.dat: the file cannot be opened for reading\n"},
        {"non-numeric mass", "****\r\nT = x\r\nMasa (u.a.) = uno\r\n",
         "calculos: falta.dat, line 3: expected the mass, found \"uno\"\n"},
        {"early end", "****\r\nT = x\r\nMasa = 1\r\n",
         "calculos: falta.dat, line 4: the file ends early; expected the number of basis functions\n"},
        {"huge number", "****\r\nT = x\r\nMasa = 1e999\r\n", "calculos: falta.dat, line 3: the value \"1e999\" of the mass is out of range\n"},
    };
    for (const auto& c : casos) {
        std::filesystem::remove(dir / "falta.dat");
        if (!c.fichero.empty()) dir.escribir("falta.dat", c.fichero);
        const auto r = correr({"falta.dat"});
        EXPECT_EQ(r.estado, 2) << c.que;
        EXPECT_EQ(r.errores, c.error) << c.que;
        EXPECT_EQ(r.salida, "") << c.que;
    }
}

TEST_F(Calculos, WithoutALanguageFileTheRunEndsWithADiagnostic) {
    std::filesystem::remove(dir / "idioma.lng");
    dir.escribir("p.dat", prueba::texto_problema(caja()));
    const auto r = correr({"p.dat"});
    EXPECT_EQ(r.estado, 2);
    EXPECT_EQ(r.errores, "calculos: idioma.lng: the file cannot be opened for reading\n");
}

TEST_F(Calculos, WorkArraysThatCannotBeCreatedStopTheRun) {
    ProblemaPrueba p = caja();
    p.nbase = "2000000000";  // 5 matrices of 3.2e19 bytes each
    dir.escribir("p.dat", prueba::texto_problema(p));
    auto r = correr({"p.dat"});
    EXPECT_EQ(r.estado, estado_parada);
    EXPECT_EQ(r.salida, " INSUFFICIENT MEMORY\n");
    p = caja();
    p.nbase = "150000";  // 5 matrices of 180 GB: more than any machine here holds
    dir.escribir("p.dat", prueba::texto_problema(p));
    r = correr({"p.dat"});
    EXPECT_EQ(r.estado, estado_parada);
    EXPECT_EQ(r.salida, " INSUFFICIENT MEMORY\n");
}

TEST_F(Calculos, MessagesAreWrittenInUtf8) {
    dir.escribir("idioma.lng", "[Idioma]\r\nIdioma=Espa\xf1ol\r\n[Espa\xf1ol]\r\n1004=Calculando \x93niveles\x94 \xb4\r\n");
    dir.escribir("p.dat", prueba::texto_problema(caja()));
    const auto r = correr({"p.dat"});
    EXPECT_EQ(r.salida, "\n       Calculando \xe2\x80\x9cniveles\xe2\x80\x9d \xc2\xb4\n");
}

} // namespace
