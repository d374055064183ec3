#pragma once
// The problem-file reader without the windows: from the bytes of a problem
// file to the values of its header lines and its zones, as far as the file
// can be read.
//
// Lines in order: a header, title, mass, basis size, zone count, points, a
// second header; then per zone its type code (1 to 4), its two limits, the
// parameters of its type and a dash line. Every datum is the text after the
// first "=" of its line.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "frame/global.hpp"

namespace problema_texto {

// A line that cannot be read, or a value the problem cannot take.
struct Fallo {};

// The text after the first "=" of a line with leading and trailing blanks
// removed; "" when the line holds no "=".
QString leedato(const QString& linea);

// The nearest integer of a number, halves to even; Fallo when it does not
// fit a 16-bit integer.
int entero16(double valor);

// One zone of the file.
struct Zona {
  // The fields read; the others as a new record has them. The vertex list of
  // a polygon holds the vertices reached (all of them, nvertices, when the
  // zone was read to its end).
  global::tzona zona;
  std::vector<double> valores;  // the numbers read for it, in file order
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
  // last line when the file ends early).
  qsizetype linea_fallo = 0;
};

Problema leer(const QByteArray& bytes);

// How leer_zona sizes a polygon's vertex list: at once to the count the file
// states (the window, whose zone then holds that many vertices whatever
// follows), or as the vertices come (the reader, for which a count far above
// what the file holds then costs nothing).
enum class Vertices { del_recuento, segun_llegan };

// The values of one zone in file order, each number from siguiente() (which
// throws Fallo when there is none), stored into z as they come: the type
// code (al_tipo(tipo) is called once it is known to be 0 to 3), the two
// limits, then the parameters of the type. Throws Fallo where the zone
// cannot go on. The reader and the window share it, so that a window that
// is given the numbers the reader took ends in the same state, field for
// field, also for a zone cut short.
template <class Siguiente, class AlTipo>
void leer_zona(global::tzona& z, Siguiente&& siguiente, AlTipo&& al_tipo,
               Vertices tamano = Vertices::del_recuento) {
  const int tipo = entero16(siguiente() - 1);
  z.tipo = static_cast<std::int16_t>(tipo);
  if (tipo < 0 || tipo > 3) throw Fallo{};
  al_tipo(tipo);
  z.xini = siguiente();
  z.xfin = siguiente();
  auto& c = z.coeficientes;
  switch (tipo) {
    case 0:
      c(0) = siguiente();
      z.nvertices = 2;
      z.vertices.redim_preserve(2);
      z.vertices(1) = {z.xini, c(0)};
      z.vertices(2) = {z.xfin, c(0)};
      break;
    case 1: {
      const int vertices = entero16(siguiente());
      if (vertices < 1) throw Fallo{};
      z.nvertices = static_cast<std::int16_t>(vertices);
      if (tamano == Vertices::del_recuento) z.vertices.redim_preserve(vertices);
      for (int j = 1; j <= vertices; ++j) {
        if (j > z.vertices.ubound()) z.vertices.redim_preserve(j);  // the list's storage grows by doubling
        z.vertices(j).x = siguiente();
        z.vertices(j).y = siguiente();
      }
      break;
    }
    case 2:
      z.x0 = siguiente();
      c(0) = siguiente();
      c(2) = siguiente();
      c(3) = siguiente();
      c(4) = siguiente();
      break;
    default:
      for (int i = 0; i <= 6; ++i) c(i) = siguiente();
      for (int i = -1; i >= -6; --i) c(i) = siguiente();
      break;
  }
}

}  // namespace problema_texto
