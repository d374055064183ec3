#include <gtest/gtest.h>

#include "fixtures/carpeta.hpp"
#include "io/ficheros.hpp"
#include "io/salida.hpp"

namespace fs = std::filesystem;

namespace {

size_t entradas(const fs::path& dir) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
    return n;
}

TEST(FicheroSalida, WritesCrLfRecordsAndReplacesTheFileNamedIgnoringCase) {
    prueba::CarpetaTemporal dir;
    dir.escribir("res.tot", "viejo\r\n");
    {
        io::FicheroSalida f((dir / "RES.tot").string());
        f.escribir("uno");
        f.escribir("");
        // Until it is confirmed the old file stands whole.
        EXPECT_EQ(dir.leer("res.tot"), "viejo\r\n");
        f.confirmar();
    }
    EXPECT_EQ(dir.leer("res.tot"), "uno\r\n\r\n");
    EXPECT_EQ(entradas(dir.ruta()), 1u);  // no second file, no temporary left
}

TEST(FicheroSalida, AnUnconfirmedWriteLeavesTheOldFileAndNoTemporary) {
    prueba::CarpetaTemporal dir;
    dir.escribir("DatosDIB", "completo\r\n");
    {
        io::FicheroSalida f((dir / "DatosDIB").string());
        f.escribir("a medias");
    }  // a stop before the end of the file
    EXPECT_EQ(dir.leer("DatosDIB"), "completo\r\n");
    EXPECT_EQ(entradas(dir.ruta()), 1u);
}

TEST(FicheroSalida, AClosedButUnconfirmedFileIsNotPutInPlace) {
    prueba::CarpetaTemporal dir;
    dir.escribir("RES.tot", "anterior\r\n");
    {
        io::FicheroSalida f((dir / "RES.tot").string());
        f.escribir("nuevo");
        f.cerrar();
        f.cerrar();  // a second close changes nothing
    }  // the other file of the run failed: this one must not replace the old one
    EXPECT_EQ(dir.leer("RES.tot"), "anterior\r\n");
    EXPECT_EQ(entradas(dir.ruta()), 1u);
}

TEST(Ficheros, ResolvePrefersTheExactSpelling) {
    prueba::CarpetaTemporal dir;
    dir.escribir("Funcion", "a");
    EXPECT_EQ(io::resolver((dir / "FUNCION").string()).filename(), "Funcion");
    dir.escribir("FUNCION", "b");
    EXPECT_EQ(io::resolver((dir / "FUNCION").string()).filename(), "FUNCION");
    EXPECT_EQ(io::resolver((dir / "nuevo").string()).filename(), "nuevo");
}

TEST(Cp1252, BecomesUtf8) {
    EXPECT_EQ(io::cp1252_a_utf8("a\xe1\xf1\xd1\xb4\xb7\x80\x93\x94"),
              "a\xc3\xa1\xc3\xb1\xc3\x91\xc2\xb4\xc2\xb7\xe2\x82\xac\xe2\x80\x9c\xe2\x80\x9d");
}

} // namespace
