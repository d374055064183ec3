#include "calculos/ejecucion.hpp"

#include <iostream>
#include <new>
#include <stdexcept>

#include "calculos/informe.hpp"
#include "calculos/jacobi.hpp"
#include "calculos/matout.hpp"
#include "calculos/matrices.hpp"
#include "calculos/reloj.hpp"
#include "ini/mensajes.hpp"
#include "io/errores.hpp"
#include "io/lectura.hpp"
#include "io/registro.hpp"
#include "io/salida.hpp"
#include "problema/gendat.hpp"

namespace calculos {

using problema::Problema;

Trabajo::Trabajo(const Problema& p)
    : HAM(p.NBASE), VPOT(p.NBASE), TCIN(p.NBASE), XMAT(p.NBASE), VECT(p.NBASE),
      ENER(problema::reservar(p.NBASE)), XMALLA(problema::reservar(p.NPUNTOS, p.NZONAS)),
      VMALLA(problema::reservar(p.NPUNTOS, p.NZONAS)) {}

std::optional<std::string> fichero_problema(const std::vector<std::string>& argumentos) {
    if (argumentos.empty()) return "DATOS.DAT";
    // One argument is a file name, even an empty or blank one (a file that
    // cannot be opened); only two or more mean standard input.
    if (argumentos.size() != 1) return std::nullopt;
    // A name longer than the engines read is refused rather than cut, which
    // would name another file.
    std::string nombre = io::sin_blancos_finales(argumentos[0]);
    if (nombre.size() > LONGITUD_NOMBRE)
        throw io::ErrorFichero(nombre, 0,
                               "the file name is longer than " + std::to_string(LONGITUD_NOMBRE) +
                                   " characters, the most the engines read: give a shorter name or path");
    return nombre;
}

namespace {

Trabajo crear_trabajo(const Problema& p, const std::string& fichero) {
    try {
        return Trabajo(p);
    } catch (io::SinMemoria& e) {
        e.detalle = fichero + ": a basis of " + std::to_string(p.NBASE) + " functions with " +
                    std::to_string(p.NPUNTOS) + " points per zone needs more memory than this machine has";
        throw;
    }
}

// The run from the problem to its files; returns the exit status of a run
// that wrote them: 0, or 3 when the diagonalisation stopped at its rotation
// limit (the results are those of the last rotation).
int calcular(std::istream& entrada, const std::optional<std::string>& nombre, ini::Mensajes& m) {
    io::Fuente f = nombre ? io::Fuente::abrir(*nombre) : io::Fuente::flujo(entrada, "standard input");
    m.leer_seccion();
    const problema::Reglas reglas = problema::reglas_calculos();
    const Problema p = problema::leer_problema(f, m, reglas);
    problema::comprobar_memoria(p, problema::necesidad_calculos(p), m);
    // A protected output is told before the computation, not after it.
    for (const char* salida : {"RES.tot", "DatosDIB"}) io::exigir_reemplazable(salida);

    Trabajo t = crear_trabajo(p, f.nombre());
    const Hora inicio = leer_reloj();
    m.consola().limpiar();
    m.escribir(1004, ini::Disposicion::linea_y_siete);

    problema::GENDAT(p, t.XMALLA, t.VMALLA, p.NPUNTOS, m, reglas.estado_parada);
    // A value that is not finite stops the run where it first appears; the
    // report checks everything it writes, the eigen data included.
    io::exigir_finitos(t.VMALLA, claves::potencial);
    construir_matrices(p, t, m);
    io::exigir_finitos(t.VPOT.elementos(), claves::potencial_senos);
    io::exigir_finitos(t.TCIN.elementos(), claves::cinetica_senos);
    io::exigir_finitos(t.HAM.elementos(), claves::hamiltoniano_senos);
    io::exigir_finitos(t.XMAT.elementos(), claves::posicion_senos);
    // The report is not open yet: a diagonalisation that does not converge says so on the console.
    // The tolerance of 1e-7 hartree shrinks with a Hamiltonian whose elements all lie below 1 hartree.
    const bool convergido =
        JACOBI(p.NBASE, t.HAM, t.VECT, t.ENER, umbral_relativo(p.NBASE, t.HAM, 1e-7), -1, m.consola());

    const Transcurrido tiempo = tiempo_transcurrido(inicio, leer_reloj());
    const Fecha hoy = fecha_de_hoy();

    // Both files are written whole under temporary names before either takes
    // the place of the old one: a stop or a write error on the way leaves the
    // files of the previous run.
    io::FicheroSalida res("RES.tot");
    CanalFichero informe(res);
    escribir_informe(p, t, tiempo, hoy, [&m](int clave) { return m.texto(clave); }, informe);
    io::FicheroSalida dib("DatosDIB");
    CanalFichero datos(dib);
    escribir_datosdib(p.NBASE, t.ENER, t.VECT, datos);
    // Both on the disk, then both in place, or neither: a report beside the
    // eigen data of another run would be shown as this run's.
    io::confirmar_juntos({&res, &dib});
    return convergido ? 0 : estado_sin_convergencia;
}

} // namespace

int ejecutar(const std::vector<std::string>& argumentos, std::istream& entrada, std::ostream& consola,
             std::ostream& errores) {
    ini::Mensajes m{io::Consola(consola)};
    try {
        return calcular(entrada, fichero_problema(argumentos), m);
    } catch (const io::Parada& p) {
        return p.estado;
    } catch (const io::NoFinito& e) {
        // Thrown before the files are put in place: the earlier ones stand.
        m.escribir_no_finito(e.que);
        return -1;
    } catch (const io::SinMemoria& e) {
        return problema::sin_memoria(m, errores, "calculos", e.detalle);
    } catch (const std::bad_alloc&) {
        // Memory that ran out outside the work arrays (a line, a table).
        return problema::sin_memoria(m, errores, "calculos");
    } catch (const std::length_error&) {
        return problema::sin_memoria(m, errores, "calculos");
    } catch (const io::ErrorFichero& e) {
        errores << "calculos: " << e.what() << '\n';
        return io::ErrorFichero::estado;
    }
}

} // namespace calculos
