#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

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

// A signal that ends the engine while it writes removes every temporary it
// holds; the files of the earlier run stand, and the process still ends by
// that signal. The writing runs in a child process that sends itself the
// signal in the middle of its two files.
TEST(FicheroSalida, ASignalThatEndsTheEngineLeavesNoTemporary) {
    struct Caso {
        int senal;
        bool ignorada;  // ignored before the first file is created, as under nohup
    } casos[] = {{SIGTERM, false}, {SIGINT, false}, {SIGHUP, false}, {SIGHUP, true}};
    for (const auto& c : casos) {
        prueba::CarpetaTemporal dir;
        dir.escribir("RES.tot", "anterior\r\n");
        const pid_t hijo = fork();
        ASSERT_GE(hijo, 0);
        if (hijo == 0) {
            if (c.ignorada) signal(c.senal, SIG_IGN);
            io::FicheroSalida res((dir / "RES.tot").string());
            res.escribir("nuevo");
            res.cerrar();
            io::FicheroSalida dib((dir / "DatosDIB").string());
            dib.escribir("a medias");
            raise(c.senal);
            dib.confirmar();
            res.confirmar();
            _exit(0);
        }
        int estado = 0;
        ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
        const std::string que = strsignal(c.senal) + std::string(c.ignorada ? ", ignored" : "");
        if (c.ignorada) {
            EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0) << que;
            EXPECT_EQ(dir.leer("RES.tot"), "nuevo\r\n") << que;
            EXPECT_EQ(entradas(dir.ruta()), 2u) << que;
        } else {
            EXPECT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == c.senal) << que << ": status " << estado;
            EXPECT_EQ(dir.leer("RES.tot"), "anterior\r\n") << que;
            EXPECT_EQ(entradas(dir.ruta()), 1u) << que;
        }
    }
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
