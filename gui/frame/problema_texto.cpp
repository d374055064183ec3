#include "frame/problema_texto.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "platform/ficheros.hpp"
#include "platform/texto1252.hpp"
#include "platform/vb.hpp"

namespace problema_texto {

namespace {

// The text after the first "=" of a line, blanks around it removed; empty
// when the line holds no "=".
template <class Vista>
Vista tras_igual(Vista linea) {
  const qsizetype igual = linea.indexOf('=');
  if (igual < 0) return Vista();
  qsizetype i = igual + 1, j = linea.size();
  // VB's Trim: blanks only.
  while (i < j && linea[i] == ' ') ++i;
  while (j > i && linea[j - 1] == ' ') --j;
  return linea.sliced(i, j - i);
}

// The lines of a file's bytes one after another, without their ends, as
// plataforma::lineas cuts them: CR LF, CR and LF each end a line, and a text
// that ends with a line end has no empty line after it.
class Lineas {
 public:
  explicit Lineas(QByteArrayView bytes) : p_(bytes.data()), fin_(bytes.data() + bytes.size()) {}
  // False past the last line.
  bool siguiente(QByteArrayView& linea) {
    if (p_ == fin_) return false;
    const char* q = p_;
    while (q != fin_ && *q != '\r' && *q != '\n') ++q;
    linea = QByteArrayView(p_, q - p_);
    if (q != fin_) {
      if (*q == '\r' && q + 1 != fin_ && q[1] == '\n') ++q;
      ++q;
    }
    p_ = q;
    return true;
  }

 private:
  const char* p_;
  const char* fin_;
};

// The zone count is taken from the count box as it holds the value, and a
// box holds at most 32767 characters.
constexpr qsizetype largo_caja = 32767;

void leer_lineas(QByteArrayView bytes, Problema& p) {
  Lineas lineas(bytes);
  qsizetype leidas = 0;
  // A line that holds a NUL byte or runs for megabytes is a line that cannot
  // be read: the file is damaged. So is a number too large for a double.
  auto dato = [&] {
    p.linea_fallo = leidas + 1;
    QByteArrayView l;
    if (!lineas.siguiente(l)) throw Fallo{};
    if (l.size() > plataforma::LINEA_MAXIMA ||
        std::memchr(l.data(), '\0', static_cast<std::size_t>(l.size())) != nullptr)
      throw Fallo{};
    ++leidas;
    return tras_igual(l);
  };
  auto numero = [&] {
    const double v = plataforma::Val(dato());
    if (!std::isfinite(v)) throw Fallo{};
    return v;
  };

  dato();
  for (int i = 0; i < 3; ++i) p.cabecera << plataforma::desde_1252(dato());
  const QByteArrayView zonas = dato();
  p.cabecera << plataforma::desde_1252(zonas);
  const int n = entero16(plataforma::Val(zonas.first(std::min(zonas.size(), largo_caja))));
  p.cabecera << plataforma::desde_1252(dato());
  dato();
  // A problem has 1 to 10 zones: a count of none stops the load here, one
  // above 10 after the tenth zone.
  if (n < 1) throw Fallo{};
  const int maximo = static_cast<int>(global::zonas.size());
  p.zonas.reserve(static_cast<std::size_t>(std::min(n, maximo)));
  for (int k = 0; k < n; ++k) {
    if (k >= maximo) throw Fallo{};
    Zona& zona = p.zonas.emplace_back();
    leer_zona(
        zona.zona,
        [&] {
          const double v = numero();
          zona.valores.push_back(v);
          return v;
        },
        [](int) {}, Vertices::segun_llegan);
    dato();
  }
  p.leido = true;
  p.linea_fallo = 0;
}

}  // namespace

QString leedato(const QString& linea) { return tras_igual(QStringView(linea)).toString(); }

int entero16(double valor) {
  const double v = std::nearbyint(valor);
  if (!(v >= -32768 && v <= 32767)) throw Fallo{};
  return static_cast<int>(v);
}

Problema leer(const QByteArray& bytes) {
  Problema p;
  try {
    leer_lineas(bytes, p);
  } catch (const Fallo&) {
  } catch (const std::bad_alloc&) {
    // What was read does not fit in memory: the load stops at the line it
    // was reading.
  }
  return p;
}

}  // namespace problema_texto
