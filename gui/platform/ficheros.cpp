#include "platform/ficheros.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/texto1252.hpp"

namespace plataforma {

namespace {

Identidad identidad_de(const QString& ruta, const struct stat& estado) {
  return {ruta,
          true,
          static_cast<qint64>(estado.st_size),
          static_cast<qint64>(estado.st_mtim.tv_sec) * 1000000000 + estado.st_mtim.tv_nsec,
          static_cast<quint64>(estado.st_ino),
          static_cast<quint64>(estado.st_dev)};
}

}  // namespace

Identidad identidad(const QString& ruta) {
  struct stat estado {};
  if (ruta.isEmpty() || ::stat(QFile::encodeName(ruta).constData(), &estado) != 0) return {ruta};
  return identidad_de(ruta, estado);
}

bool leer_fichero(const QString& ruta, QByteArray& bytes, Lectura& lectura) {
  bytes.clear();
  lectura = Lectura{};
  auto fallo = [&](const QString& texto) {
    bytes.clear();
    lectura.motivo = texto;
    return false;
  };
  // A folder is told by the system's reason; anything else that is no
  // regular file by one of its own.
  auto no_regular = [&](const struct stat& estado) {
    if (S_ISDIR(estado.st_mode)) return fallo(qt_error_string(EISDIR));
    lectura.no_regular = true;
    return fallo(QStringLiteral("Not a regular file"));
  };
  if (ruta.isEmpty()) return fallo(qt_error_string(ENOENT));
  const QByteArray nombre = QFile::encodeName(ruta);
  // Looked at before it is opened: merely opening a device may act on it,
  // and opening a named pipe waits for a writer.
  struct stat estado {};
  if (::stat(nombre.constData(), &estado) != 0) return fallo(qt_error_string(errno));
  if (!S_ISREG(estado.st_mode)) return no_regular(estado);
  // The path may name a pipe by the time it is opened: the open does not
  // wait, and the descriptor tells what was opened.
  const int fd = ::open(nombre.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return fallo(qt_error_string(errno));
  QFile f;
  if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return fallo(f.errorString());
  }
  if (::fstat(fd, &estado) != 0) return fallo(qt_error_string(errno));
  if (!S_ISREG(estado.st_mode)) return no_regular(estado);
  try {
    bytes = f.readAll();
  } catch (const std::bad_alloc&) {
    return fallo(qt_error_string(ENOMEM));
  }
  if (f.error() != QFileDevice::NoError) return fallo(f.errorString());
  // Taken before the read: a write while it read shows as a change.
  lectura.identidad = identidad_de(ruta, estado);
  return true;
}

bool leer_bytes(const QString& ruta, QByteArray& bytes, QString* motivo) {
  Lectura lectura;
  if (leer_fichero(ruta, bytes, lectura)) return true;
  if (motivo != nullptr) *motivo = lectura.motivo;
  return false;
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

namespace {

// The file a write reaches: a symbolic link's final target, so that the link
// stays a link.
QString destino_final(const QString& ruta) {
  QFileInfo info(QFileInfo(ruta).absoluteFilePath());
  for (int i = 0; i < 128 && info.isSymLink(); ++i) info.setFile(info.symLinkTarget());
  return info.absoluteFilePath();
}

// The state of the file to be replaced; false when there is none.
bool estado_anterior(const QString& destino, struct stat& estado) {
  return ::stat(QFile::encodeName(destino).constData(), &estado) == 0;
}

// An existing file is replaced only when the user may write it; a folder
// never is.
bool reemplazable(const QString& destino, const struct stat& estado, QString& motivo) {
  if (S_ISDIR(estado.st_mode)) {
    motivo = qt_error_string(EISDIR);
    return false;
  }
  if (::access(QFile::encodeName(destino).constData(), W_OK) != 0) {
    motivo = qt_error_string(errno);
    return false;
  }
  return true;
}

// The new file takes the old one's owner and group where the user may set
// them, then its permissions (a change of owner clears the set-id bits).
void conservar_atributos(int fd, const struct stat& estado) {
  if (::fchown(fd, estado.st_uid, estado.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), estado.st_gid);
  (void)::fchmod(fd, estado.st_mode & 07777);
}

// Writes the bytes through to the disk; the system's reason when that fails.
QString escribir_entero(QFileDevice& f, const QByteArray& bytes) {
  errno = 0;
  if (f.write(bytes) != bytes.size() || !f.flush()) {
    // The file's own text of a failed flush may lose the reason.
    return errno != 0 ? qt_error_string(errno) : f.errorString();
  }
  if (::fsync(f.handle()) != 0) return qt_error_string(errno);
  return QString();
}

}  // namespace

bool escribir_bytes(const QString& ruta, const QByteArray& bytes, QString* motivo) {
  QString razon;
  const QString destino = destino_final(ruta);
  struct stat estado {};
  const bool existe = estado_anterior(destino, estado);
  bool hecho = false;
  if (existe && !reemplazable(destino, estado, razon)) {
    hecho = false;
  } else {
    // QSaveFile writes a temporary file of a unique name beside the target
    // with the target's permissions, and renames it onto the target on commit.
    QSaveFile f(destino);
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly)) {
      razon = f.errorString();
    } else {
      if (existe) conservar_atributos(f.handle(), estado);
      // The commit alone does not see a write that failed while the file's
      // buffer was flushed (a full disk): it would rename a cut file onto
      // the target.
      razon = escribir_entero(f, bytes);
      if (!razon.isEmpty()) f.cancelWriting();
      hecho = f.commit() && razon.isEmpty();
      if (!hecho && razon.isEmpty()) razon = f.errorString();
    }
  }
  if (!hecho && motivo != nullptr) *motivo = razon;
  return hecho;
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
