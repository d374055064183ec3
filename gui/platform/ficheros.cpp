#include "platform/ficheros.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <new>
#include <unistd.h>

#include "platform/texto1252.hpp"

namespace plataforma {

bool leer_bytes(const QString& ruta, QByteArray& bytes) {
  QFile f(ruta);
  if (!f.open(QIODevice::ReadOnly)) return false;
  try {
    bytes = f.readAll();
  } catch (const std::bad_alloc&) {
    bytes.clear();
    return false;
  }
  return f.error() == QFileDevice::NoError;
}

QStringList lineas(const QByteArray& bytes) {
  QStringList resultado;
  qsizetype inicio = 0;
  const qsizetype n = bytes.size();
  const char* const d = bytes.constData();
  for (qsizetype i = 0; i < n; ++i) {
    const char c = d[i];
    if (c != '\r' && c != '\n') continue;
    resultado.append(desde_1252(QByteArrayView(bytes).sliced(inicio, i - inicio)));
    if (c == '\r' && i + 1 < n && d[i + 1] == '\n') ++i;
    inicio = i + 1;
  }
  if (inicio < n) resultado.append(desde_1252(QByteArrayView(bytes).sliced(inicio)));
  return resultado;
}

bool escribir_bytes(const QString& ruta, const QByteArray& bytes, const QString& nombre_temporal) {
  const QFileInfo destino(ruta);
  const QString temporal = nombre_temporal.isEmpty()
                               ? destino.absoluteFilePath() + ".tmp"
                               : destino.absoluteDir().filePath(nombre_temporal);
  {
    QFile f(temporal);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const bool escrito = f.write(bytes) == bytes.size() && f.flush() && ::fsync(f.handle()) == 0;
    f.close();
    if (!escrito || f.error() != QFileDevice::NoError) {
      QFile::remove(temporal);
      return false;
    }
  }
  // rename(2) replaces the target in one step; QFile::rename would refuse.
  if (std::rename(QFile::encodeName(temporal).constData(),
                  QFile::encodeName(destino.absoluteFilePath()).constData()) != 0) {
    QFile::remove(temporal);
    return false;
  }
  return true;
}

QString resolver_nombre(const QString& ruta) {
  const QFileInfo info(ruta);
  if (info.exists()) return ruta;
  const QDir carpeta = info.absoluteDir();
  const QString buscado = info.fileName().toLower();
  for (const QString& nombre : carpeta.entryList(QDir::Files | QDir::Hidden | QDir::System))
    if (nombre.toLower() == buscado) return carpeta.filePath(nombre);
  return ruta;
}

FicheroLectura FicheroLectura::abrir(const QString& ruta) {
  QByteArray bytes;
  if (!leer_bytes(ruta, bytes)) throw ErrorLectura("cannot read " + ruta.toStdString());
  return de_texto(std::move(bytes), ruta);
}

FicheroLectura FicheroLectura::de_texto(QByteArray bytes, const QString& nombre) {
  const char* const d = bytes.constData();
  const qsizetype n = bytes.size();
  // No line of a text shorter than the longest line can be too long: then
  // only a NUL byte can spoil it.
  if (n <= LINEA_MAXIMA) {
    if (std::memchr(d, '\0', static_cast<std::size_t>(n)) != nullptr)
      throw ErrorLectura(nombre.toStdString() + ": a NUL byte");
    return FicheroLectura(std::move(bytes));
  }
  qsizetype inicio = 0;
  for (qsizetype i = 0; i <= n; ++i) {
    const char c = i < n ? d[i] : '\n';
    if (c == '\0') throw ErrorLectura(nombre.toStdString() + ": a NUL byte");
    if (c != '\r' && c != '\n') continue;
    if (i - inicio > LINEA_MAXIMA) throw ErrorLectura(nombre.toStdString() + ": a line too long");
    inicio = i + 1;
  }
  return FicheroLectura(std::move(bytes));
}

void FicheroLectura::fin_pasado() { throw ErrorLectura("input past end of file"); }

QChar FicheroLectura::leer() { return caracter_1252(static_cast<unsigned char>(leer_byte())); }

void FicheroLectura::retroceder() {
  if (pos_ > 0) --pos_;
}

void FicheroLectura::avanzar() { ++pos_; }

QByteArrayView FicheroLectura::palabra() {
  const char* const d = bytes_.constData();
  const qsizetype n = bytes_.size();
  if (pos_ >= n) fin_pasado();
  if (d[pos_++] == ' ') {
    while (pos_ < n && d[pos_] == ' ') ++pos_;
    if (pos_ >= n) fin_pasado();
  }
  const qsizetype inicio = pos_;
  while (pos_ < n && d[pos_] != ' ' && d[pos_] != '\r' && d[pos_] != '\n') ++pos_;
  if (pos_ >= n) fin_pasado();
  const qsizetype fin = pos_;
  // A CR takes the character after it along; a blank or a LF goes alone.
  pos_ += d[pos_] == '\r' ? 2 : 1;
  return QByteArrayView(d + inicio, fin - inicio);
}

}  // namespace plataforma
