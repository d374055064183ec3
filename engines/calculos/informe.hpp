#pragma once
// The report RES.tot of the level solver: the problem as it was understood,
// the four matrices before and after the change to the eigenbasis, the
// levels, one block per state and the closing block. Blocks end with the
// separator (an empty line and "... / ..."), which is how the results dialog
// picks blocks for the reduced report: NBASE + 11 blocks in all.
#include <functional>
#include <string>
#include <string_view>

#include "calculos/ejecucion.hpp"
#include "calculos/reloj.hpp"
#include "io/salida.hpp"
#include "problema/problema.hpp"

namespace calculos {

// Where records go: the report or eigen data file, or a test's memory.
class Canal {
public:
    virtual ~Canal() = default;
    virtual void escribir(std::string_view registro) = 0;
};

class CanalFichero : public Canal {
public:
    explicit CanalFichero(io::FicheroSalida& f) : f_(f) {}
    void escribir(std::string_view registro) override { f_.escribir(registro); }

private:
    io::FicheroSalida& f_;
};

// The text of a message key, trailing blanks removed; empty when missing.
using Textos = std::function<std::string(int clave)>;

// A rule line: one blank, `a` blanks and `n` copies of `c`.
void CARACTER(int a, int n, Canal& destino, char c);

// The end of a block: an empty line and "... / ...".
void SEPARADOR(Canal& destino);

struct Fecha {
    int dia, mes, anio;
};
// Today's date by the local clock.
Fecha fecha_de_hoy();

// Whether a polygonal vertex at abscissa x lies off a grid of spacing h: x/h
// (the abscissa itself, not measured from the zone's start) is farther than
// 1e-8 from a whole number.
bool fuera_de_malla(double x, double h);

// Writes the whole report. On the way VPOT, TCIN, HAM and XMAT of `t` are
// turned into the eigenbasis of VECT (each right after its first print), so
// that XMAT holds the position elements between states that the transition
// table reads.
void escribir_informe(const problema::Problema& p, Trabajo& t, const Transcurrido& tiempo, const Fecha& fecha,
                      const Textos& texto, Canal& destino);

} // namespace calculos
