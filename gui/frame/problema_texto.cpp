#include "frame/problema_texto.hpp"

#include <cmath>
#include <new>

#include "platform/ficheros.hpp"
#include "platform/vb.hpp"

namespace problema_texto {

namespace {

// VB's Trim: blanks only.
QString sin_blancos(const QString& t) {
  qsizetype i = 0, j = t.size();
  while (i < j && t[i] == ' ') ++i;
  while (j > i && t[j - 1] == ' ') --j;
  return t.mid(i, j - i);
}

// The zone count is taken from the count box as it holds the value, and a
// box holds at most 32767 characters.
constexpr qsizetype largo_caja = 32767;

void leer_lineas(const QStringList& lineas, Problema& p) {
  qsizetype siguiente = 0;
  // A line that holds a NUL byte or runs for megabytes is a line that cannot
  // be read: the file is damaged. So is a number too large for a double.
  auto linea = [&]() -> const QString& {
    p.linea_fallo = siguiente + 1;
    if (siguiente >= lineas.size()) throw Fallo{};
    const QString& l = lineas[siguiente];
    if (l.size() > plataforma::LINEA_MAXIMA || l.contains(QChar(0))) throw Fallo{};
    ++siguiente;
    return l;
  };
  auto numero = [&] {
    const double v = plataforma::Val(leedato(linea()));
    if (!std::isfinite(v)) throw Fallo{};
    return v;
  };

  linea();
  for (int i = 0; i < 4; ++i) p.cabecera << leedato(linea());
  const int n = entero16(plataforma::Val(QStringView(p.cabecera.last()).left(largo_caja)));
  p.cabecera << leedato(linea());
  linea();
  // A problem has 1 to 10 zones: a count of none stops the load here, one
  // above 10 after the tenth zone.
  if (n < 1) throw Fallo{};
  for (int k = 0; k < n; ++k) {
    if (k >= static_cast<int>(global::zonas.size())) throw Fallo{};
    Zona& zona = p.zonas.emplace_back();
    leer_zona(
        zona.zona,
        [&] {
          const double v = numero();
          zona.valores.push_back(v);
          return v;
        },
        [](int) {});
    linea();
  }
  p.leido = true;
  p.linea_fallo = 0;
}

}  // namespace

QString leedato(const QString& linea) {
  const qsizetype igual = linea.indexOf('=');
  return igual < 0 ? QString() : sin_blancos(linea.mid(igual + 1));
}

int entero16(double valor) {
  const double v = std::nearbyint(valor);
  if (!(v >= -32768 && v <= 32767)) throw Fallo{};
  return static_cast<int>(v);
}

Problema leer(const QByteArray& bytes) {
  Problema p;
  try {
    leer_lineas(plataforma::lineas(bytes), p);
  } catch (const Fallo&) {
  } catch (const std::bad_alloc&) {
    // A file of gigabytes: its lines do not fit in memory.
    p.linea_fallo = 1;
  }
  return p;
}

}  // namespace problema_texto
