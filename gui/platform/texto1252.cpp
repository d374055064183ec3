#include "platform/texto1252.hpp"

#include <array>

namespace plataforma {

namespace {

// Bytes 0x80 to 0x9F; the others coincide with Latin-1.
constexpr std::array<char16_t, 32> tabla_80_9f = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char byte_1252(QChar c) {
  const char16_t u = c.unicode();
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
  for (std::size_t i = 0; i < tabla_80_9f.size(); ++i)
    if (tabla_80_9f[i] == u) return static_cast<char>(0x80 + i);
  return '?';
}

}  // namespace

QChar caracter_1252(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return QChar(tabla_80_9f[byte - 0x80]);
  return QChar(static_cast<char16_t>(byte));
}

QString desde_1252(QByteArrayView bytes) {
  // One character per byte.
  QString texto(bytes.size(), Qt::Uninitialized);
  QChar* c = texto.data();
  for (char b : bytes) *c++ = caracter_1252(static_cast<unsigned char>(b));
  return texto;
}

bool en_1252(QStringView texto) {
  for (const QChar c : texto)
    if (byte_1252(c) == '?' && c != u'?') return false;
  return true;
}

QByteArray a_1252(QStringView texto) {
  QByteArray bytes;
  bytes.reserve(texto.size());
  for (qsizetype i = 0; i < texto.size(); ++i) {
    const QChar c = texto[i];
    // A character beyond the basic plane is one "?", not two.
    if (c.isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate()) ++i;
    bytes.append(byte_1252(c));
  }
  return bytes;
}

}  // namespace plataforma
