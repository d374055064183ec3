// The files a run of the built calculos leaves: RES.tot and DatosDIB are
// replaced whole or not at all.
#include <gtest/gtest.h>

#include <filesystem>

#include "fixtures/carpeta.hpp"
#include "fixtures/problemas.hpp"

using prueba::ProblemaPrueba;

namespace fs = std::filesystem;

namespace {

class Resultados : public ::testing::Test {
protected:
    prueba::CarpetaTemporal dir;
    void SetUp() override {
        dir.escribir("idioma.lng", prueba::idioma_de_prueba());
        dir.escribir("RES.tot", "informe anterior\r\n");
        dir.escribir("DatosDIB", " 1.0\r\n");
    }

    static ProblemaPrueba caja(const std::string& nbase = "10") {
        ProblemaPrueba p;
        p.nbase = nbase;
        p.npuntos = "21";
        p.zonas = {{1, 0, 10, {0.0}}};
        return p;
    }
    prueba::Resultado correr(const ProblemaPrueba& p) {
        dir.escribir("p.dat", prueba::texto_problema(p));
        return prueba::ejecutar(CALCULOS_EXE, dir.ruta(), {"p.dat"});
    }
    // The old files stand whole and no temporary file is left beside them.
    void sin_cambios(const char* que) {
        EXPECT_EQ(dir.leer("RES.tot"), "informe anterior\r\n") << que;
        EXPECT_EQ(dir.leer("DatosDIB"), " 1.0\r\n") << que;
        for (const auto& e : fs::directory_iterator(dir.ruta()))
            EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << que << ": " << e.path();
    }
};

TEST_F(Resultados, ACompleteRunReplacesBothFiles) {
    const auto r = correr(caja());
    ASSERT_EQ(r.estado, 0) << r.errores;
    const auto informe = prueba::lineas(dir.leer("RES.tot"));
    EXPECT_EQ(std::count(informe.begin(), informe.end(), "... / ..."), 10 + 10);
    EXPECT_EQ(prueba::lineas(dir.leer("DatosDIB")).size(), 110u);
    size_t n = 0;
    for (const auto& e : fs::directory_iterator(dir.ruta())) n += e.is_regular_file();
    EXPECT_EQ(n, 4u);  // idioma.lng, p.dat and the two results
}

TEST_F(Resultados, TheRunReplacesTheReportNamedInAnotherCase) {
    fs::rename(dir / "RES.tot", dir / "res.tot");
    fs::rename(dir / "DatosDIB", dir / "datosdib");
    ASSERT_EQ(correr(caja()).estado, 0);
    EXPECT_FALSE(dir.existe("RES.tot"));
    EXPECT_FALSE(dir.existe("DatosDIB"));
    EXPECT_EQ(prueba::lineas(dir.leer("res.tot"))[3].substr(0, 12), "       ***  ");
    EXPECT_EQ(prueba::lineas(dir.leer("datosdib")).size(), 110u);
}

TEST_F(Resultados, AStopBeforeTheReportLeavesTheOldFiles) {
    ProblemaPrueba muchas = caja();
    muchas.nzonas = "11";
    ProblemaPrueba enorme = caja("150000");
    struct Caso {
        const char* que;
        ProblemaPrueba p;
    } casos[] = {{"bad input", muchas}, {"exhausted memory", enorme}};
    for (const auto& c : casos) {
        const auto r = correr(c.p);
        EXPECT_EQ(r.estado, 255) << c.que;
        sin_cambios(c.que);
    }
}

TEST_F(Resultados, AWriteErrorEndsWithADiagnosticAndLeavesTheOldFiles) {
    // The report cannot take the place of a folder of that name.
    fs::rename(dir / "RES.tot", dir / "viejo");
    fs::create_directory(dir / "RES.tot");
    dir.escribir("RES.tot/dentro", "x");
    auto r = correr(caja());
    EXPECT_EQ(r.estado, 2);
    EXPECT_EQ(r.errores.substr(0, 19), "calculos: RES.tot: ") << r.errores;
    EXPECT_EQ(std::count(r.errores.begin(), r.errores.end(), '\n'), 1);
    EXPECT_EQ(dir.leer("DatosDIB"), " 1.0\r\n");
    fs::remove_all(dir / "RES.tot");
    fs::rename(dir / "viejo", dir / "RES.tot");
    sin_cambios("a folder in the way");

    // A file-size limit of 10 kB: the report is cut short while it is written.
    dir.escribir("p.dat", prueba::texto_problema(caja()));
    r = prueba::ejecutar("/bin/sh", dir.ruta(),
                         {"-c", "trap '' XFSZ; ulimit -f 20; exec \"$0\" p.dat", CALCULOS_EXE});
    EXPECT_EQ(r.estado, 2);
    EXPECT_EQ(r.errores, "calculos: RES.tot: could not be written completely\n");
    sin_cambios("a full disk");
}

} // namespace
