#pragma once
// Text files of the system as the windowed program reads and writes them:
// Windows-1252 bytes, lines ended by CR LF (a lone CR or LF also ends a line
// when reading).
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace plataforma {

// Reading past the end of a file, or a file that cannot be opened.
class ErrorLectura : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a file is on disk: enough to tell it from itself rewritten, from
// another file put in its place, or from none at all.
struct Identidad {
  QString ruta;  // the path it was looked up by
  bool existe = false;
  qint64 tamano = 0;
  qint64 modificacion_ns = 0;  // the time of its last write, in nanoseconds
  quint64 inodo = 0;
  quint64 dispositivo = 0;
  bool operator==(const Identidad&) const = default;
};

// The identity of the file at ruta now (a symbolic link's target's); existe
// is false when there is none.
Identidad identidad(const QString& ruta);

// How a read went: the system's reason when it failed, whether the path
// names something other than a regular file or a folder (a named pipe, a
// device, a socket), and the identity of the file that was read.
struct Lectura {
  QString motivo;
  bool no_regular = false;
  Identidad identidad;
};

// Whole content of a regular file; false when it cannot be opened or read
// (also when it does not fit in memory), with the system's reason in motivo.
// What is not a regular file is refused at once and never waited on: a
// named pipe without a writer, or a device, would hold the window for good.
bool leer_fichero(const QString& ruta, QByteArray& bytes, Lectura& lectura);
bool leer_bytes(const QString& ruta, QByteArray& bytes, QString* motivo = nullptr);

// The longest line of a text file of the system, with room to spare: a
// longer line, like a NUL byte, means a damaged file or no text file at all.
inline constexpr qsizetype LINEA_MAXIMA = 65536;

// The lines of a text, without their ends. CR LF, CR and LF each end a line;
// a text that ends with a line end has no empty line after it.
QStringList lineas(const QByteArray& bytes);

// Writes bytes to a temporary file in the target's folder, then renames it
// onto the target, so the target is either the old file or the complete new
// one. A symbolic link is followed: its target is written and the link stays.
// The new file keeps the old one's permissions, and its owner and group as
// far as the user may set them. An existing file the user may not write is
// refused untouched. The temporary file gets a unique name of its own,
// created anew. False, with the system's reason in motivo, when the file
// cannot be written.
bool escribir_bytes(const QString& ruta, const QByteArray& bytes, QString* motivo = nullptr);

// File names compare without regard to case: the path of an existing file
// whose name matches ruta's ignoring case (ruta itself when it exists, or
// when none matches).
QString resolver_nombre(const QString& ruta);

// A text file open for input, read one character at a time.
class FicheroLectura {
 public:
  FicheroLectura() = default;
  explicit FicheroLectura(QByteArray bytes) : bytes_(std::move(bytes)) {}
  // Throws ErrorLectura when the file cannot be read, or when it holds a NUL
  // byte or a line longer than LINEA_MAXIMA.
  static FicheroLectura abrir(const QString& ruta);
  // The same checks on a text already read; nombre names it in the error.
  static FicheroLectura de_texto(QByteArray bytes, const QString& nombre = QString());

  // The next character; ErrorLectura past the end.
  QChar leer();
  // The next byte as it stands in the file; ErrorLectura past the end.
  char leer_byte() {
    if (pos_ >= bytes_.size()) fin_pasado();
    return bytes_.constData()[pos_++];
  }
  // Moves the read position back by one character.
  void retroceder();
  // Moves the read position forward by one character, without reading it.
  void avanzar();
  bool eof() const { return pos_ >= bytes_.size(); }
  qsizetype posicion() const { return pos_; }

  // The next token of a plot file, as the bytes of the file: the characters
  // that follow at least one blank, up to the next blank (consumed) or the
  // line end (CR and the character after it; a lone LF also ends the line).
  // A first character that follows no blank is dropped. ErrorLectura past
  // the end, with the read position at the end.
  QByteArrayView palabra();
  // The bytes from position desde up to hasta, both within the file.
  QByteArrayView tramo(qsizetype desde, qsizetype hasta) const {
    return QByteArrayView(bytes_).sliced(desde, hasta - desde);
  }

 private:
  [[noreturn]] static void fin_pasado();

  QByteArray bytes_;
  qsizetype pos_ = 0;
};

}  // namespace plataforma
