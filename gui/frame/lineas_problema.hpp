#pragma once
// The datum lines of a problem file: the text before each value (the label
// of the current language, its literals and " = "), the way each value is
// written, and whether a line holds what the engines read of it.
//
// The engines read the first 80 characters of a line, so a value whose line
// is longer would reach them as another number. The writer builds its lines
// from these labels, and the editor's numeric boxes refuse a number whose
// line would not fit.
#include <QString>
#include <functional>
#include <initializer_list>

namespace plataforma {
struct ReglaNumerica;
}
namespace problema_texto {
struct Linea;
}

namespace lineas_problema {

// The characters of a line that the engines read.
inline constexpr qsizetype caracteres_leidos = 80;

// Labels, " = " included; i is a zone number, j a vertex index, k a power.
QString titulo();
QString masa();
QString base();
QString zonas();
QString puntos();
QString tipo(int i);
QString limite_izquierdo(int i);
QString limite_derecho(int i);
QString v0();
QString vertices(int i);
QString vertice_x(int j);
QString vertice_y(int j);
QString x0();
QString k(int n);  // K2, K3, K4
QString coeficiente(int k);

// The longest of the labels under which one value may be written.
QString mas_larga(std::initializer_list<QString> etiquetas);

// The longest label a zone limit may come to be written under: a zone's left
// or right limit, and a polygon's first or last vertex x, at the widest zone
// number (10) and vertex index (10, or a larger count a zone holds) that
// adding zones and vertices may give it.
QString limite();

// A real value as the file writes it: "####0.000".
QString real(double valor);

// How the file writes the text of a box: as a real value, or as typed.
enum class Escrito { real, tal_cual };

// True when the number of a numeric text is finite and its line, the label
// and the number as the file writes it, holds at most caracteres_leidos
// characters.
bool cabe(const QString& etiqueta, const QString& texto, Escrito como);

// The same for a zone's number as the problem reader names its line: the
// type code is written as a whole number, every other value as a real.
bool cabe(const problema_texto::Linea& linea, double valor);

// Makes a numeric box refuse a number that does not fit under the label
// etiqueta() gives at that moment: the box goes back to its previous text
// and the message of key 220 tells why.
void limitar(plataforma::ReglaNumerica& regla, std::function<QString()> etiqueta, Escrito como);

}  // namespace lineas_problema
