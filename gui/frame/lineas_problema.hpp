#pragma once
// The datum lines of a problem file: the text before each value (the
// longest label any language of the language file gives it, its literals and
// " = "), the way each value is written, and whether a line holds what the
// engines read of it.
//
// The engines read the first 80 characters of a line, so a value whose line
// is longer would reach them as another number. Save writes the labels of
// the current language, and a file saved in one language may be opened and
// saved again in another: the editor's numeric boxes, and Open, refuse a
// number whose line would not fit under the longest of them. The engines
// read the basis size and the point count as 32-bit integers: the boxes and
// Open refuse a count beyond that range.
#include <QString>
#include <functional>
#include <initializer_list>

#include "frame/problema_texto.hpp"

namespace plataforma {
struct ReglaNumerica;
}

namespace lineas_problema {

// The characters of a line that the engines read.
inline constexpr qsizetype caracteres_leidos = problema_texto::caracteres_leidos;

// Labels, " = " included, each the longest any language gives that line; i
// is a zone number, j a vertex index, k a power.
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

// How the file writes the text of a box: as a real value, as typed, or as
// typed and read by the engines as a count (a 32-bit integer).
enum class Escrito { real, tal_cual, recuento };

// The largest count the engines read.
inline constexpr double recuento_maximo = 2147483647.0;

// Why a numeric text cannot be written under a label, as the language key
// of the message that says so: 0 when it can; 226 for a count the engines
// would not read (the number of the text's first item, up to a blank, a tab
// or a comma as the engines take it, truncated toward zero, lies outside
// the 32-bit range); 220 when its number is not finite or its line, the
// label and the number as the file writes it, holds more than
// caracteres_leidos characters.
int rechazo(const QString& etiqueta, const QString& texto, Escrito como);

// True when rechazo gives 0.
bool cabe(const QString& etiqueta, const QString& texto, Escrito como);

// The same for a zone's number as the problem reader names its line: the
// type code is written as a whole number, every other value as a real.
bool cabe(const problema_texto::Linea& linea, double valor);
// The same for a value written as the text given.
bool cabe(const problema_texto::Linea& linea, const QString& texto);

// Makes a numeric box refuse a number that does not fit under the label
// etiqueta() gives at that moment, or a count the engines would not read:
// the box goes back to its previous text and the message of the key that
// rechazo gives tells why.
void limitar(plataforma::ReglaNumerica& regla, std::function<QString()> etiqueta, Escrito como);

}  // namespace lineas_problema
