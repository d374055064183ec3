#include "platform/vb.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

namespace plataforma {

namespace {

bool es_digito(char c) { return c >= '0' && c <= '9'; }

// Length of the number at the start of s (ASCII, no blanks): sign, digits,
// ".", digits, exponent with at least one digit. 0 when there is no digit.
std::size_t longitud_numero(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digitos = 0;
  while (i < s.size() && es_digito(s[i])) ++i, ++digitos;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && es_digito(s[i])) ++i, ++digitos;
  }
  if (digitos == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && es_digito(s[j])) {
      while (j < s.size() && es_digito(s[j])) ++j;
      i = j;
    }
  }
  return i;
}

// Converts a text accepted by longitud_numero; overflow gives ±infinity and
// underflow 0.
double convertir(std::string s) {
  for (char& c : s)
    if (c == 'd' || c == 'D') c = 'e';
  const char* inicio = s.data();
  if (*inicio == '+') ++inicio;
  double valor = 0;
  const auto [fin, error] = std::from_chars(inicio, s.data() + s.size(), valor);
  (void)fin;
  if (error == std::errc::result_out_of_range) {
    const auto e = s.find_first_of('e');
    const bool exponente_negativo = e != std::string::npos && e + 1 < s.size() && s[e + 1] == '-';
    if (exponente_negativo) return 0.0;
    return s[0] == '-' ? -std::numeric_limits<double>::infinity()
                       : std::numeric_limits<double>::infinity();
  }
  return valor;
}

// What a character is to Val: a blank (ignored wherever it stands), one of
// the characters a number is made of, or anything else (which ends it).
enum Clase : unsigned char { otro, blanco, de_numero };

constexpr std::array<Clase, 128> clases = [] {
  std::array<Clase, 128> t{};
  for (char c : {' ', '\t', '\r', '\n'}) t[static_cast<unsigned char>(c)] = blanco;
  for (char c : {'+', '-', '.', 'e', 'E', 'd', 'D'}) t[static_cast<unsigned char>(c)] = de_numero;
  for (char c = '0'; c <= '9'; ++c) t[static_cast<unsigned char>(c)] = de_numero;
  return t;
}();

// The characters Val looks at in a run of characters (UTF-16 units or
// Windows-1252 bytes; nothing above 0x7F is part of a number): those of a
// number, blanks skipped, up to the first character no number holds, since
// nothing after it can change the number.
template <class C>
std::string caracteres_de_numero(const C* p, const C* fin) {
  std::string s;
  for (; p != fin; ++p) {
    const auto u = *p;
    const Clase clase = u < 0x80 ? clases[u] : otro;
    if (clase == otro) break;
    if (clase == de_numero) s.push_back(static_cast<char>(u));
  }
  return s;
}

template <class C>
double valor_inicial(const C* p, const C* fin) {
  std::string s = caracteres_de_numero(p, fin);
  const std::size_t n = longitud_numero(s);
  if (n == 0) return 0.0;
  s.resize(n);
  return convertir(std::move(s));
}

// The ASCII characters of a text, others replaced by a character no number has.
std::string ascii(QStringView texto) {
  std::string s;
  s.reserve(texto.size());
  for (QChar c : texto) {
    const char16_t u = c.unicode();
    s.push_back(u < 0x80 ? static_cast<char>(u) : '\x01');
  }
  return s;
}

}  // namespace

double Val(QStringView texto) { return valor_inicial(texto.utf16(), texto.utf16() + texto.size()); }

double Val(QByteArrayView bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  return valor_inicial(p, p + bytes.size());
}

bool empieza_por_numero(QByteArrayView bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  return longitud_numero(caracteres_de_numero(p, p + bytes.size())) > 0;
}

bool IsNumeric(QStringView texto) {
  const std::string s = ascii(texto.trimmed());
  return !s.empty() && longitud_numero(s) == s.size();
}

QString Format(double valor, QStringView patron) {
  int minimo_enteros = 0;
  int decimales = 0;
  bool en_decimales = false;
  for (QChar c : patron) {
    if (c == '.' && !en_decimales) {
      en_decimales = true;
    } else if (c == '0') {
      (en_decimales ? decimales : minimo_enteros)++;
    } else if (c != '#' || en_decimales) {
      throw std::invalid_argument("unsupported number format " + patron.toString().toStdString());
    }
  }
  if (!std::isfinite(valor)) return QString::fromLatin1(std::isnan(valor) ? "nan" : valor < 0 ? "-inf" : "inf");

  // 15 significant digits, d.dddddddddddddde±x: the value as the user sees it.
  std::array<char, 64> buf{};
  const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(valor),
                                 std::chars_format::scientific, 14);
  const std::string cientifico(buf.data(), res.ptr);
  std::string cifras = cientifico.substr(0, 1) + cientifico.substr(2, 14);
  const int exponente = std::stoi(cientifico.substr(cientifico.find('e') + 1));

  // Digits before the point: exponente + 1 (pad on the left with zeros when
  // the value is below 1); keep those and `decimales` more.
  int enteros = exponente + 1;
  if (enteros < 1) {
    cifras.insert(0, static_cast<std::size_t>(1 - enteros), '0');
    enteros = 1;
  }
  const std::size_t conservar = static_cast<std::size_t>(enteros + decimales);
  if (cifras.size() < conservar + 1) cifras.append(conservar + 1 - cifras.size(), '0');
  const bool subir = cifras[conservar] >= '5';
  cifras.resize(conservar);
  if (subir) {
    std::size_t i = conservar;
    while (i > 0 && cifras[i - 1] == '9') cifras[--i] = '0';
    if (i == 0) {
      cifras.insert(0, 1, '1');
      ++enteros;
    } else {
      ++cifras[i - 1];
    }
  }
  std::string parte_entera = cifras.substr(0, static_cast<std::size_t>(enteros));
  const std::string parte_decimal = cifras.substr(static_cast<std::size_t>(enteros));
  const auto primera = parte_entera.find_first_not_of('0');
  parte_entera = primera == std::string::npos ? std::string() : parte_entera.substr(primera);
  if (parte_entera.size() < static_cast<std::size_t>(minimo_enteros))
    parte_entera.insert(0, static_cast<std::size_t>(minimo_enteros) - parte_entera.size(), '0');

  const bool cero = parte_entera.find_first_not_of('0') == std::string::npos &&
                    parte_decimal.find_first_not_of('0') == std::string::npos;
  std::string texto = (valor < 0 && !cero) ? "-" : "";
  texto += parte_entera;
  if (decimales > 0) texto += "." + parte_decimal;
  return QString::fromStdString(texto);
}

QColor QBColor(int color) {
  static constexpr std::array<QRgb, 16> paleta = {
      0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
      0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
  };
  if (color < 0 || color > 15) throw std::out_of_range("QBColor: colour outside 0 to 15");
  return QColor::fromRgb(paleta[static_cast<std::size_t>(color)]);
}

}  // namespace plataforma
