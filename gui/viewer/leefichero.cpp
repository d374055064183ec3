// The plot-file reader of the graph window.
//
// A plot file: three text fields (comment, x label, y label), then curves,
// each a legend text field followed by number tokens: legend x and y,
// npuntos, marcas, tipo, parametro (only for tipo above 3), grosor,
// estilo_trazo, color, then x and y of every point. A legend "FIN" in any
// case, or the end of the file where a legend is due, ends it.
#include <QLabel>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "platform/app.hpp"
#include "platform/ficheros.hpp"
#include "platform/mensajes.hpp"
#include "platform/vb.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/graficos.hpp"

namespace {

using plataforma::ErrorLectura;
using plataforma::FicheroLectura;

// A text field: leading blanks dropped; a comma or the end of the line ends
// it; one that begins with a double quote runs to the next double quote
// (what follows up to the comma or the line end is dropped). Blanks that end
// an unquoted field are dropped too. Past the end of the file: ErrorLectura.
QString leer_campo(FicheroLectura& f) {
  QChar c = f.leer();
  while (c == ' ' || c == '\t') {
    if (f.eof()) return QString();
    c = f.leer();
  }
  QString campo;
  const bool entrecomillado = c == '"';
  bool cerrado = false;  // past the closing quote: the rest of the field is dropped
  if (!entrecomillado) f.retroceder();
  while (!f.eof()) {
    c = f.leer();
    if (entrecomillado && !cerrado) {
      if (c == '"')
        cerrado = true;
      else
        campo.append(c);
      continue;
    }
    if (c == ',' || c == '\n') break;
    if (c == '\r') {
      if (!f.eof() && f.leer() != '\n') f.retroceder();
      break;
    }
    if (!cerrado) campo.append(c);
  }
  if (!entrecomillado)
    while (campo.endsWith(' ') || campo.endsWith('\t')) campo.chop(1);
  return campo;
}

// A number token; a value that is not finite is out of range.
double leer_doble(FicheroLectura& f) {
  const double v = plataforma::Val(global::leepalabra(f));
  if (!std::isfinite(v)) throw std::out_of_range("number out of range");
  return v;
}

// Whole numbers take the token's value rounded to the nearest integer,
// halves to the even neighbour; a value outside the field is out of range.
template <class T>
T leer_entero(FicheroLectura& f) {
  const double v = std::nearbyint(leer_doble(f));
  if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
    throw std::out_of_range("whole number out of range");
  return static_cast<T>(v);
}

}  // namespace

bool frmgraficos::leefichero() {
  using namespace graficos;
  fichero_grafico = plataforma::App::en_carpeta(fichero_grafico);
  try {
    FicheroLectura f = FicheroLectura::abrir(plataforma::resolver_nombre(fichero_grafico));
    cambia_titulo_grafico();

    comentario_grafico = leer_campo(f);
    etiqueta_x = leer_campo(f);
    etiqueta_y = leer_campo(f);

    int c = 0;
    while (!f.eof()) {
      const QString leyenda = leer_campo(f);
      if (leyenda.toUpper() == "FIN") break;
      ++c;
      if (c > 1) nueva_leyenda();
      if (c > tabla_curvas::maximo) throw std::out_of_range("more than 20 curves");
      tcurva& curva = curvas(c);
      curva.leyenda = leyenda;
      curva.leyenda_x = leer_doble(f);
      curva.leyenda_y = leer_doble(f);
      curva.activa = true;
      curva.npuntos = leer_entero<std::int16_t>(f);
      curva.marcas = leer_entero<std::int16_t>(f);
      curva.tipo = leer_entero<std::int16_t>(f);
      if (curva.tipo > 3) curva.parametro = leer_entero<std::int16_t>(f);
      curva.grosor = leer_entero<std::int16_t>(f);
      curva.estilo_trazo = leer_entero<std::int16_t>(f);
      curva.color = leer_entero<std::int32_t>(f);

      const int N = curva.npuntos;
      if (N < 1) throw std::out_of_range("a curve without points");
      // Long curves are thinned to 100 points: slot j holds point trunc(j * s).
      const bool aclarar = N > 100;
      const double s = aclarar ? N / 100.0 : 1.0;
      const int huecos = aclarar ? 100 : N;
      curva.npuntos = static_cast<std::int16_t>(huecos);
      curva.puntos.redim_preserve(0);
      curva.puntos.redim_preserve(huecos);

      tvertice anterior{leer_doble(f), leer_doble(f)};
      curva.puntos(1) = anterior;
      int j = 2;
      for (int k = 2; k <= N; ++k) {
        const tvertice p{leer_doble(f), leer_doble(f)};
        if (!aclarar) {
          curva.puntos(j++) = p;
        } else if (p.x == anterior.x && p.y != anterior.y) {
          // A vertical jump keeps both of its points, whatever the thinning says.
          if (j + 1 > huecos) throw std::out_of_range("a vertical jump beyond slot 100");
          curva.puntos(j) = anterior;
          curva.puntos(j + 1) = p;
          j += 2;
        } else if (static_cast<long long>(j * s) == k) {
          curva.puntos(j++) = p;
        }
        anterior = p;
      }
    }
    num_curvas = static_cast<std::int16_t>(c);
    return true;
  } catch (const std::exception&) {
    // The file cannot be opened or read to its end: the window cannot show it.
    fallo_grave(idiomas::texto(123), QStringLiteral("Error"));
    return false;
  }
}
