#include "viewer/grafica_texto.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "frame/global.hpp"
#include "platform/ficheros.hpp"
#include "platform/texto1252.hpp"
#include "platform/vb.hpp"

namespace grafica_texto {

namespace {

using graficos::tcurva;
using graficos::tvertice;
using plataforma::FicheroLectura;

// A text field: leading blanks dropped; a comma or the end of the line ends
// it; one that begins with a double quote runs to the next double quote
// (what follows up to the comma or the line end is dropped). Blanks that end
// an unquoted field are dropped too. Past the end of the file: ErrorLectura.
QString leer_campo(FicheroLectura& f) {
  char c = f.leer_byte();
  while (c == ' ' || c == '\t') {
    if (f.eof()) return QString();
    c = f.leer_byte();
  }
  const bool entrecomillado = c == '"';
  if (!entrecomillado) f.retroceder();
  // The field's text is the run of bytes from inicio to fin.
  const qsizetype inicio = f.posicion();
  qsizetype fin = -1;
  while (!f.eof()) {
    const qsizetype aqui = f.posicion();
    c = f.leer_byte();
    if (entrecomillado && fin < 0) {
      if (c == '"') fin = aqui;
      continue;
    }
    if (c == ',' || c == '\n' || c == '\r') {
      if (fin < 0) fin = aqui;
      if (c == '\r' && !f.eof() && f.leer_byte() != '\n') f.retroceder();
      break;
    }
  }
  if (fin < 0) fin = f.posicion();
  QByteArrayView campo = f.tramo(inicio, fin);
  if (!entrecomillado)
    while (campo.endsWith(' ') || campo.endsWith('\t')) campo.chop(1);
  return plataforma::desde_1252(campo);
}

// A number token; a value that is not finite is out of range.
double leer_doble(FicheroLectura& f) {
  const double v = plataforma::Val(f.palabra());
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

// The settings and points of one curve, after its legend.
void leer_curva(FicheroLectura& f, tcurva& curva) {
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
  // Long curves of the fitted and interpolated kinds are thinned: slot j
  // holds point trunc(j * s).
  const bool aclarar = curva.tipo > 1 && N > puntos_aclarado;
  const double s = aclarar ? N / static_cast<double>(puntos_aclarado) : 1.0;
  const int huecos = aclarar ? puntos_aclarado : N;
  curva.npuntos = static_cast<std::int16_t>(huecos);
  // A curve that keeps every point takes its slots as its points come, so
  // that a count far above what the file holds costs nothing.
  auto& puntos = curva.puntos;
  puntos.redim_preserve(aclarar ? huecos : 1);

  tvertice anterior{leer_doble(f), leer_doble(f)};
  puntos(1) = anterior;
  int j = 2;
  for (int k = 2; k <= N; ++k) {
    const tvertice p{leer_doble(f), leer_doble(f)};
    if (!aclarar) {
      if (j > puntos.ubound()) puntos.redim_preserve(j);  // the list's storage grows by doubling
      puntos(j++) = p;
    } else if (p.x == anterior.x && p.y != anterior.y) {
      // A vertical jump keeps both of its points, whatever the thinning says.
      if (j + 1 > huecos) throw std::out_of_range("a vertical jump beyond the last slot");
      puntos(j) = anterior;
      puntos(j + 1) = p;
      j += 2;
    } else if (static_cast<long long>(j * s) == k) {
      puntos(j++) = p;
    }
    anterior = p;
  }
}

}  // namespace

Lectura leer(QByteArray bytes) {
  Lectura r;
  const qsizetype tamano = bytes.size();
  FicheroLectura f;
  try {
    f = FicheroLectura::de_texto(std::move(bytes));
    Grafica& g = r.grafica;
    g.comentario = leer_campo(f);
    g.etiqueta_x = leer_campo(f);
    g.etiqueta_y = leer_campo(f);
    while (!f.eof()) {
      const QString leyenda = leer_campo(f);
      if (leyenda.toUpper() == "FIN") break;
      if (static_cast<int>(g.curvas.size()) >= graficos::tabla_curvas::maximo)
        throw std::out_of_range("more than 20 curves");
      tcurva& curva = g.curvas.emplace_back();
      curva.leyenda = leyenda;
      leer_curva(f, curva);
    }
    r.leida = true;
  } catch (const std::exception&) {
    // Past the end of the file, a NUL byte or a line too long, or a value
    // the curve cannot take.
    // (a CR that ends the file moves the position one past its end).
    r.fallo = std::min(f.posicion(), tamano);
  }
  return r;
}

}  // namespace grafica_texto
