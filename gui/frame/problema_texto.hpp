#pragma once
// The problem-file reader without the windows: from the bytes of a problem
// file to the values of its header lines and its zones, as far as the file
// can be read.
//
// Lines in order: a header, title, mass, basis size, zone count, points, a
// second header; then per zone its type code (1 to 4), its two limits, the
// parameters of its type and a dash line. Every datum is the text after the
// first "=" of its line. The engines read the first 80 characters of a
// line, so a line from which a value is read may go on past them only with
// blanks.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstddef>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

#include "frame/global.hpp"

namespace problema_texto {

// A line that cannot be read, or a value the problem cannot take.
struct Fallo {};

// The characters of a line that the engines read.
inline constexpr qsizetype caracteres_leidos = 80;

// What a line of the file holds, in file order: the two header lines, the
// five general data, then per zone its type, limits and the parameters of
// its type, and the dash line.
enum class Campo {
  cabecera, titulo, masa, funciones, zonas, puntos, cabecera_zonas,
  tipo, xini, xfin, v0, vertices, x, v, x0, k2, k3, k4, coeficiente, guiones
};

// One line of the file: its field, the zone (from 1) of a zone line, and
// the vertex (from 1) of a vertex line or the power of a coefficient line.
struct Linea {
  Campo campo = Campo::cabecera;
  int zona = 0;
  int indice = 0;
};

// The text a line carries before its " = " (the whole line for the two
// headers and the dash line), texto giving the text of a language key.
QString etiqueta(const Linea& linea, const std::function<QString(int)>& texto);

// The text after the first "=" of a line with leading and trailing blanks
// removed; "" when the line holds no "=".
QString leedato(const QString& linea);

// A number of a value text as the engines take it: the first item, after
// blanks and tabs, up to a blank, a tab or a comma, which must be a whole
// number with or without a point and an exponent (E or D); false for none
// (an empty value, "3abc", "1,5" gives 1) or one beyond a double. elemento,
// when given, receives the item.
bool numero(QByteArrayView texto, double& valor, QByteArrayView* elemento = nullptr);
bool numero(QStringView texto, double& valor, QString* elemento = nullptr);

// A count as the engines take it from its number: the integer part,
// truncated toward zero (1.5 is 1, 2.9 is 2, -0.5 is 0); Fallo when it does
// not fit a 16-bit integer.
int recuento16(double valor);

// One zone of the file.
struct Zona {
  // The fields read; the others as a new record has them. The vertex list of
  // a polygon holds the vertices reached (all of them, nvertices, when the
  // zone was read to its end).
  global::tzona zona;
  std::vector<double> valores;  // the numbers read for it, in file order
  std::vector<QString> textos;  // their items as the file writes them
  std::vector<Linea> lineas;    // and what each line is
  std::vector<qsizetype> en_linea;  // and its line in the file, from 1
};

struct Problema {
  // The values of lines 2 to 6 that were read: title, mass, basis size, zone
  // count, integration points.
  QStringList cabecera;
  // The zones reached, at most 10; when the file is not leido the last one
  // holds what was read of it.
  std::vector<Zona> zonas;
  bool leido = false;  // read to the last zone's dash line
  // When not leido: the line, from 1, where reading stopped (one past the
  // last line when the file ends early; the zone count's line for a count
  // outside 1 to 10; a value line with more than blanks past
  // caracteres_leidos), and what was expected there.
  qsizetype linea_fallo = 0;
  Linea esperada;
  // When leido: what follows the last zone's dash line, its bytes as they
  // stand (from the byte after that line's end), when they are at most
  // cola_maxima bytes; its size and the line, from 1, where it begins.
  QByteArray cola;
  qsizetype largo_cola = 0;
  qsizetype linea_cola = 0;
};

// The longest part after a problem that a file keeps through Open and Save.
inline constexpr qsizetype cola_maxima = qsizetype(1) << 20;

// What a file held that the window's boxes and zone records do not keep as
// it stood, so that Save writes it again as it was read.
struct Conservado {
  // A value read whose number "####0.000" would change (more decimals, an
  // exponent): its item as the file wrote it, and its number; or a count
  // whose box shows its number otherwise than the file wrote it.
  struct Valor {
    QString texto;
    double valor = 0;
  };
  std::map<std::tuple<Campo, int, int>, Valor> valores;
  QByteArray cola;  // what followed the problem (Problema::cola)

  // The text read for the line while its value is still valor, or else the
  // text read for any real value of that number; otherwise escrito, the text
  // the window writes for the value.
  QString texto(const Linea& linea, double valor, const QString& escrito) const;
  void guardar(const Linea& linea, const QString& texto, double valor);
};

// A real value as the file writes it, "####0.000", and whether that text
// gives the engines the number itself.
QString real(double valor);
bool real_exacto(double valor);

// admite, when given, is asked of every number of a zone as it is read: a
// number it refuses stops the load at its line, as one that is not a number.
Problema leer(const QByteArray& bytes, const std::function<bool(const Linea&, double)>& admite = {});

// How leer_zona sizes a polygon's vertex list: at once to the count the file
// states (the window, whose zone then holds that many vertices whatever
// follows), or as the vertices come (the reader, for which a count far above
// what the file holds then costs nothing).
enum class Vertices { del_recuento, segun_llegan };

// The values of one zone in file order, each number from
// siguiente(campo, indice) (which throws Fallo when there is none; campo and
// indice say which line it is), stored into z as they come: the type code
// (al_tipo(tipo) is called once it is known to be 0 to 3), the two limits,
// then the parameters of the type. Throws Fallo where the zone cannot go on.
// The reader and the window share it, so that a window that is given the
// numbers the reader took ends in the same state, field for field, also for
// a zone cut short.
template <class Siguiente, class AlTipo>
void leer_zona(global::tzona& z, Siguiente&& siguiente, AlTipo&& al_tipo,
               Vertices tamano = Vertices::del_recuento) {
  // The type code and the vertex count are counts: their integer part.
  const int tipo = recuento16(siguiente(Campo::tipo, 0)) - 1;
  z.tipo = static_cast<std::int16_t>(std::max(tipo, -32768));
  if (tipo < 0 || tipo > 3) throw Fallo{};
  al_tipo(tipo);
  z.xini = siguiente(Campo::xini, 0);
  z.xfin = siguiente(Campo::xfin, 0);
  auto& c = z.coeficientes;
  switch (tipo) {
    case 0:
      c(0) = siguiente(Campo::v0, 0);
      z.nvertices = 2;
      z.vertices.redim_preserve(2);
      z.vertices(1) = {z.xini, c(0)};
      z.vertices(2) = {z.xfin, c(0)};
      break;
    case 1: {
      const int vertices = recuento16(siguiente(Campo::vertices, 0));
      if (vertices < 1) throw Fallo{};
      z.nvertices = static_cast<std::int16_t>(vertices);
      if (tamano == Vertices::del_recuento) z.vertices.redim_preserve(vertices);
      for (int j = 1; j <= vertices; ++j) {
        if (j > z.vertices.ubound()) z.vertices.redim_preserve(j);  // the list's storage grows by doubling
        z.vertices(j).x = siguiente(Campo::x, j);
        z.vertices(j).y = siguiente(Campo::v, j);
      }
      break;
    }
    case 2:
      z.x0 = siguiente(Campo::x0, 0);
      c(0) = siguiente(Campo::v0, 0);
      c(2) = siguiente(Campo::k2, 0);
      c(3) = siguiente(Campo::k3, 0);
      c(4) = siguiente(Campo::k4, 0);
      break;
    default:
      for (int i = 0; i <= 6; ++i) c(i) = siguiente(Campo::coeficiente, i);
      for (int i = -1; i >= -6; --i) c(i) = siguiente(Campo::coeficiente, i);
      break;
  }
}

// A zone whose reading stopped after `leidos` of its numbers, made whole so
// that its record holds what a window shows of it: a left limit not read
// is `inicio` (where the zone before ends); a constant zone runs flat at its
// V0 between its limits; a polygon keeps the vertices read in full, and with
// fewer than two runs flat at V = 0 from its start to its end, as a new
// zone does. The other fields keep what the record held.
void completar_zona(global::tzona& z, std::size_t leidos, double inicio);

}  // namespace problema_texto
