#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fixtures/carpeta.hpp"
#include "io/errores.hpp"
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

// Names like the temporaries', planted by someone else in a folder others
// may write: a dangling link and a link to an existing file. The temporary
// is created under a free name, nothing is written through a link, and the
// output is a regular file.
TEST(FicheroSalida, ATemporaryIsNeverOpenedThroughANamePlantedBeforeIt) {
    prueba::CarpetaTemporal dir;
    dir.escribir("victima", "intacta\r\n");
    fs::create_symlink(dir / "creada_por_el_enlace", dir / "RES.tot.tmp111111");
    fs::create_symlink(dir / "victima", dir / "RES.tot.tmp222222");
    dir.escribir("RES.tot.tmp333333", "de otro\r\n");
    unsigned sufijos[] = {111111, 222222, 333333, 444444};
    size_t siguiente = 0;
    {
        io::FicheroSalida f((dir / "RES.tot").string(), [&] { return sufijos[siguiente++]; });
        EXPECT_EQ(siguiente, 4u);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "RES.tot.tmp444444")));
        f.escribir("nuevo");
        f.confirmar();
    }
    EXPECT_EQ(dir.leer("victima"), "intacta\r\n");
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "creada_por_el_enlace")));
    EXPECT_EQ(dir.leer("RES.tot.tmp333333"), "de otro\r\n");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "RES.tot")));
    EXPECT_EQ(dir.leer("RES.tot"), "nuevo\r\n");
    // The planted names are not the engine's to remove.
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / "RES.tot.tmp111111")));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / "RES.tot.tmp222222")));
    EXPECT_EQ(entradas(dir.ruta()), 5u);
}

namespace {

mode_t modo(const fs::path& p) {
    struct stat st {};
    EXPECT_EQ(::lstat(p.c_str(), &st), 0) << p;
    return st.st_mode & 07777;
}

// The message of the input-layer error that `f` throws; empty when none.
std::string error_de(const std::function<void()>& f) {
    try {
        f();
    } catch (const io::ErrorFichero& e) {
        return e.what();
    }
    return "";
}

// The two files of a run, new, put in place together over the old ones;
// `antes` runs just before, `entre` between the two renames.
void confirmar_informe_y_datos(const prueba::CarpetaTemporal& dir, const std::function<void()>& antes,
                               const std::function<void()>& entre = {}) {
    io::FicheroSalida res((dir / "RES.tot").string());
    io::FicheroSalida dib((dir / "DatosDIB").string());
    res.escribir("informe nuevo");
    dib.escribir("datos nuevos");
    antes();
    io::confirmar_juntos({&res, &dib}, entre);
}

} // namespace

// A new file gets the mode a new file gets; a replaced one keeps its own,
// as the window's Save keeps a problem file's.
TEST(FicheroSalida, AReplacedFileKeepsItsPermissions) {
    prueba::CarpetaTemporal dir;
    const mode_t mascara = ::umask(022);
    for (const mode_t m : {0600, 0640, 0664}) {
        dir.escribir("RES.tot", "viejo\r\n");
        ::chmod((dir / "RES.tot").c_str(), m);
        io::FicheroSalida f((dir / "RES.tot").string());
        f.confirmar();
        EXPECT_EQ(modo(dir / "RES.tot"), m);
        EXPECT_EQ(dir.leer("RES.tot"), "");
    }
    io::FicheroSalida f((dir / "nuevo").string());
    f.confirmar();
    EXPECT_EQ(modo(dir / "nuevo"), 0644u);
    ::umask(mascara);
}

// A target the user made read-only is refused when the file is begun, and
// when it became read-only while the file was written, before anything is
// replaced: no target of the step changes, no temporary stays.
TEST(FicheroSalida, AReadOnlyTargetIsRefusedAndNothingIsReplaced) {
    const std::string esperado = ": the file is read-only; it is left as it was and no file of this run is written";
    {
        prueba::CarpetaTemporal dir;
        dir.escribir("FUNCION", "protegida\r\n");
        ::chmod((dir / "FUNCION").c_str(), 0444);
        EXPECT_EQ(error_de([&] { io::FicheroSalida f((dir / "FUNCION").string()); }),
                  (dir / "FUNCION").string() + esperado);
        EXPECT_EQ(dir.leer("FUNCION"), "protegida\r\n");
        EXPECT_EQ(modo(dir / "FUNCION"), 0444u);
        EXPECT_EQ(entradas(dir.ruta()), 1u);
    }
    for (const char* protegido : {"RES.tot", "DatosDIB"}) {
        prueba::CarpetaTemporal dir;
        dir.escribir("RES.tot", "informe viejo\r\n");
        dir.escribir("DatosDIB", "datos viejos\r\n");
        const std::string error = error_de(
            [&] { confirmar_informe_y_datos(dir, [&] { ::chmod((dir / protegido).c_str(), 0444); }); });
        EXPECT_EQ(error, (dir / protegido).string() + esperado);
        EXPECT_EQ(dir.leer("RES.tot"), "informe viejo\r\n") << protegido;
        EXPECT_EQ(dir.leer("DatosDIB"), "datos viejos\r\n") << protegido;
        EXPECT_EQ(modo(dir / protegido), 0444u);
        EXPECT_EQ(entradas(dir.ruta()), 2u) << protegido;
    }
}

// A signal that comes while the two files take the old ones' places waits
// until both are in place and the folder is on the disk, then ends the
// engine: the report and the eigen data always come from one run.
TEST(ConfirmarJuntos, ASignalBetweenTheTwoReplacementsTakesEffectAfterBoth) {
    for (const int senal : {SIGTERM, SIGHUP, SIGINT}) {
        prueba::CarpetaTemporal dir;
        dir.escribir("RES.tot", "informe viejo\r\n");
        dir.escribir("DatosDIB", "datos viejos\r\n");
        const pid_t hijo = fork();
        ASSERT_GE(hijo, 0);
        if (hijo == 0) {
            confirmar_informe_y_datos(dir, [] {}, [&] {
                raise(senal);
                // Still here: the signal waits. Only the report is in place.
                if (dir.leer("RES.tot") != "informe nuevo\r\n" || dir.leer("DatosDIB") != "datos viejos\r\n") _exit(3);
            });
            _exit(0);  // the signal did not end the process after the step
        }
        int estado = 0;
        ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
        EXPECT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == senal) << strsignal(senal) << ": status " << estado;
        EXPECT_EQ(dir.leer("RES.tot"), "informe nuevo\r\n") << strsignal(senal);
        EXPECT_EQ(dir.leer("DatosDIB"), "datos nuevos\r\n") << strsignal(senal);
        EXPECT_EQ(entradas(dir.ruta()), 2u) << strsignal(senal);  // no temporary, no second name
    }
}

// When the second file cannot take its target's place after the first has
// taken its own, the first target gets its old file back (or none, where
// there was none): neither is replaced.
TEST(ConfirmarJuntos, ASecondReplacementThatFailsGivesTheFirstTargetItsOldFileBack) {
    for (const bool habia_informe : {true, false}) {
        prueba::CarpetaTemporal dir;
        if (habia_informe) dir.escribir("RES.tot", "informe viejo\r\n");
        dir.escribir("DatosDIB", "datos viejos\r\n");
        const std::string error = error_de([&] {
            confirmar_informe_y_datos(dir, [] {}, [&] {
                // A folder takes the eigen data's place meanwhile.
                fs::remove(dir / "DatosDIB");
                fs::create_directory(dir / "DatosDIB");
                dir.escribir("DatosDIB/dentro", "x");
            });
        });
        EXPECT_EQ(error, (dir / "DatosDIB").string() + ": cannot be replaced: " + std::strerror(EISDIR) + "; " +
                             (dir / "RES.tot").string() + " left as it was")
            << habia_informe;
        EXPECT_EQ(dir.existe("RES.tot"), habia_informe);
        if (habia_informe) {
            EXPECT_EQ(dir.leer("RES.tot"), "informe viejo\r\n");
        }
        EXPECT_EQ(dir.leer("DatosDIB/dentro"), "x");
        EXPECT_EQ(entradas(dir.ruta()), habia_informe ? 2u : 1u) << habia_informe;
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
