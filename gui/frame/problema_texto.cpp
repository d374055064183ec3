#include "frame/problema_texto.hpp"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <new>
#include <string>

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

  // The bytes not read yet.
  QByteArrayView resto() const { return QByteArrayView(p_, fin_ - p_); }

 private:
  const char* p_;
  const char* fin_;
};

// True for a line from which a number is read: all but the headers, the
// title (text, which the engines cut at their 80 characters) and the dash
// lines.
bool lleva_valor(Campo campo) {
  switch (campo) {
    case Campo::cabecera:
    case Campo::titulo:
    case Campo::cabecera_zonas:
    case Campo::guiones: return false;
    default: return true;
  }
}

// The zone count is taken from the count box as it holds the value, and a
// box holds at most 32767 characters.
constexpr qsizetype largo_caja = 32767;

void leer_lineas(QByteArrayView bytes, Problema& p, const std::function<bool(const Linea&, double)>& admite) {
  Lineas lineas(bytes);
  qsizetype leidas = 0;
  // A line that holds a NUL byte or runs for megabytes is a line that cannot
  // be read: the file is damaged.
  auto dato = [&](Linea que) {
    p.linea_fallo = leidas + 1;
    p.esperada = que;
    QByteArrayView l;
    if (!lineas.siguiente(l)) throw Fallo{};
    if (l.size() > plataforma::LINEA_MAXIMA ||
        std::memchr(l.data(), '\0', static_cast<std::size_t>(l.size())) != nullptr)
      throw Fallo{};
    // The engines would read a value line only to its 80th character: more
    // than blanks after it would give them another number than the window.
    if (lleva_valor(que.campo) && l.size() > caracteres_leidos &&
        !std::all_of(l.begin() + caracteres_leidos, l.end(), [](char c) { return c == ' '; }))
      throw Fallo{};
    ++leidas;
    return tras_igual(l);
  };
  // So is a value that the engines would not read as a number: the window
  // reads each number as they do.
  QByteArrayView elemento;
  auto numero_de = [&](Linea que) {
    double v = 0;
    if (!numero(dato(que), v, &elemento) || (admite && !admite(que, v))) throw Fallo{};
    return v;
  };

  dato({Campo::cabecera});
  for (Campo c : {Campo::titulo, Campo::masa, Campo::funciones}) p.cabecera << plataforma::desde_1252(dato({c}));
  const QByteArrayView zonas = dato({Campo::zonas});
  const qsizetype linea_zonas = leidas;
  p.cabecera << plataforma::desde_1252(zonas);
  // The count as the engines read it; none at all is a count of none.
  double cuenta = 0;
  const int n = numero(zonas.first(std::min(zonas.size(), largo_caja)), cuenta) ? recuento16(cuenta) : 0;
  p.cabecera << plataforma::desde_1252(dato({Campo::puntos}));
  dato({Campo::cabecera_zonas});
  // A problem has 1 to 10 zones: a count of none stops the load here, one
  // above 10 after the tenth zone; either way the count's line is at fault.
  auto cuenta_fuera = [&] {
    p.linea_fallo = linea_zonas;
    p.esperada = {Campo::zonas};
    return Fallo{};
  };
  if (n < 1) throw cuenta_fuera();
  const int maximo = static_cast<int>(global::zonas.size());
  p.zonas.reserve(static_cast<std::size_t>(std::min(n, maximo)));
  for (int k = 0; k < n; ++k) {
    if (k >= maximo) throw cuenta_fuera();
    Zona& zona = p.zonas.emplace_back();
    leer_zona(
        zona.zona,
        [&](Campo campo, int indice) {
          const Linea linea{campo, k + 1, indice};
          const double v = numero_de(linea);
          zona.valores.push_back(v);
          zona.textos.push_back(plataforma::desde_1252(elemento));
          zona.lineas.push_back(linea);
          zona.en_linea.push_back(leidas);
          return v;
        },
        [](int) {}, Vertices::segun_llegan);
    dato({Campo::guiones, k + 1});
  }
  p.leido = true;
  p.linea_fallo = 0;
  p.esperada = {};
  const QByteArrayView cola = lineas.resto();
  p.largo_cola = cola.size();
  p.linea_cola = cola.isEmpty() ? 0 : leidas + 1;
  if (cola.size() <= cola_maxima) p.cola = cola.toByteArray();
}

}  // namespace

QString leedato(const QString& linea) { return tras_igual(QStringView(linea)).toString(); }

QString etiqueta(const Linea& linea, const std::function<QString(int)>& texto) {
  const QString zona = " " + QString::number(linea.zona);
  const QString indice = "(" + QString::number(linea.indice) + ")";
  switch (linea.campo) {
    case Campo::cabecera: return "****** " + texto(45) + ":";
    case Campo::titulo: return texto(46);
    case Campo::masa: return texto(47) + " (u.a.)";
    case Campo::funciones: return texto(48);
    case Campo::zonas: return texto(49);
    case Campo::puntos: return texto(50);
    case Campo::cabecera_zonas: return "****** " + texto(51) + ":";
    case Campo::tipo: return texto(52) + zona;
    case Campo::xini: return texto(53) + zona;
    case Campo::xfin: return texto(54) + zona;
    case Campo::v0: return texto(55);
    case Campo::vertices: return texto(56) + zona;
    case Campo::x: return texto(57) + indice;
    case Campo::v: return texto(58) + indice;
    case Campo::x0: return texto(59);
    case Campo::k2: return texto(60);
    case Campo::k3: return texto(61);
    case Campo::k4: return texto(62);
    case Campo::coeficiente: return texto(63) + indice;
    case Campo::guiones: return QString(29, '-');
  }
  return QString();
}

void completar_zona(global::tzona& z, std::size_t leidos, double inicio) {
  // Read in order: the type code, the two limits, then the parameters.
  if (z.tipo < 0 || z.tipo > 3) z.tipo = 0;
  if (leidos < 2) z.xini = inicio;
  switch (z.tipo) {
    case 0:
      z.nvertices = 2;
      z.vertices.redim_preserve(2);
      z.vertices(1) = {z.xini, z.coeficientes(0)};
      z.vertices(2) = {z.xfin, z.coeficientes(0)};
      break;
    case 1: {
      // The count, then x and V of each vertex.
      const std::size_t completos = leidos > 4 ? (leidos - 4) / 2 : 0;
      if (completos >= 2) {
        z.nvertices = static_cast<std::int16_t>(completos);
      } else {
        z.nvertices = 2;
        z.vertices.redim_preserve(2);
        z.vertices(1) = {z.xini, 0};
        z.vertices(2) = {z.xfin, 0};
      }
      z.vertices.redim_preserve(z.nvertices);
      break;
    }
    default: break;
  }
}

namespace {

// The item the engines read of a value text.
template <class Vista>
Vista primer_elemento(Vista t) {
  qsizetype i = 0;
  while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
  qsizetype j = i;
  while (j < t.size() && t[j] != ' ' && t[j] != '\t' && t[j] != ',') ++j;
  return t.sliced(i, j - i);
}

// The C library's conversion under the C locale, as the engines run it,
// whatever locale the window's process was given.
double convertir(std::string s, bool& fuera) {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
  for (char& ch : s)
    if (ch == 'D' || ch == 'd') ch = 'E';
  errno = 0;
  const double v = strtod_l(s.c_str(), nullptr, c);
  fuera = !std::isfinite(v) || (errno == ERANGE && std::fabs(v) > 1.0);
  return v;
}

}  // namespace

bool numero(QByteArrayView texto, double& valor, QByteArrayView* elemento) {
  const QByteArrayView item = primer_elemento(texto);
  if (elemento != nullptr) *elemento = item;
  // [sign] digits [. digits] or [sign] . digits, then an optional exponent
  // letter E or D with an optional sign and digits: the whole item.
  if (std::any_of(item.begin(), item.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }) ||
      !plataforma::IsNumeric(QString::fromLatin1(item)))
    return false;
  const std::string s(item.data(), static_cast<std::size_t>(item.size()));
  bool fuera = false;
  const double v = convertir(s, fuera);
  if (fuera) return false;
  valor = v;
  return true;
}

bool numero(QStringView texto, double& valor, QString* elemento) {
  const QStringView item = primer_elemento(texto);
  if (elemento != nullptr) *elemento = item.toString();
  // Nothing beyond ASCII is part of a number.
  for (QChar ch : item)
    if (ch.unicode() >= 0x80) return false;
  return numero(QByteArrayView(item.toLatin1()), valor);
}

int recuento16(double valor) {
  const double v = std::trunc(valor);
  if (!(v >= -32768 && v <= 32767)) throw Fallo{};
  return static_cast<int>(v);
}

QString real(double valor) { return plataforma::Format(valor, u"####0.000"); }

bool real_exacto(double valor) {
  double escrito = 0;
  return numero(QStringView(real(valor)), escrito) && escrito == valor;
}

QString Conservado::texto(const Linea& linea, double valor, const QString& escrito) const {
  const auto v = valores.find({linea.campo, linea.zona, linea.indice});
  if (v != valores.end() && v->second.valor == valor) return v->second.texto;
  // A value read for another line (a limit that a new zone took over): its
  // text gives the engines that very number too. Counts are texts of their
  // own lines only.
  auto recuento = [](Campo c) { return c == Campo::funciones || c == Campo::zonas || c == Campo::puntos; };
  if (!recuento(linea.campo))
    for (const auto& [clave, leido] : valores)
      if (leido.valor == valor && !recuento(std::get<0>(clave))) return leido.texto;
  return escrito;
}

void Conservado::guardar(const Linea& linea, const QString& texto, double valor) {
  valores[{linea.campo, linea.zona, linea.indice}] = {texto, valor};
}

Problema leer(const QByteArray& bytes, const std::function<bool(const Linea&, double)>& admite) {
  Problema p;
  try {
    leer_lineas(bytes, p, admite);
  } catch (const Fallo&) {
  } catch (const std::bad_alloc&) {
    // What was read does not fit in memory: the load stops at the line it
    // was reading.
  }
  return p;
}

}  // namespace problema_texto
