#pragma once
// Shared pieces of the windowed program's tests: a temporary program folder
// with its own settings store, small language files and scripted message boxes.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <csignal>
#include <deque>
#include <functional>
#include <sys/resource.h>

namespace prueba {

struct Caja {
  QString texto;
  int estilo;
  QString titulo;
};

// Answers the message boxes in order with the given answers (then OK, 1) and
// records every box shown. Restores the real boxes when it goes.
class Guion {
 public:
  explicit Guion(std::deque<int> respuestas = {});
  ~Guion();
  Guion(const Guion&) = delete;
  Guion& operator=(const Guion&) = delete;
  QList<Caja> cajas;
  // Called before each box is answered (a test may throw from it).
  std::function<void(const Caja&)> al_mostrar;

 private:
  std::deque<int> respuestas_;
};

// A temporary program folder: App::Path, the settings store and the language
// file path point into it while it lives; the windows and shared data start
// afresh.
class Carpeta {
 public:
  Carpeta();
  ~Carpeta();
  QString ruta(const QString& nombre) const;
  void escribir(const QString& nombre, const QByteArray& bytes) const;
  QByteArray leer(const QString& nombre) const;
  bool existe(const QString& nombre) const;
  // Writes idioma.lng and points the language module at it.
  void idioma(const QByteArray& bytes) const;

 private:
  QTemporaryDir dir_;
};

// A language file: a settings section naming `actual`, then one section per
// language whose key k holds "<prefijo of the language>k" for every key the
// program reads (idiomas::claves_en_uso); CR LF line ends. Prefixes: "es" for Español, "en" otherwise.
QByteArray fichero_idiomas(const QString& actual = "English",
                           const QStringList& lenguas = {"Español", "English"});

// While it lives, no file of the process grows past `bytes` bytes: a write
// beyond fails as on a full disk (SIGXFSZ is ignored), whoever runs the test.
class SinSitio {
 public:
  explicit SinSitio(rlim_t bytes = 16);
  ~SinSitio();
  SinSitio(const SinSitio&) = delete;
  SinSitio& operator=(const SinSitio&) = delete;

 private:
  rlimit antes_{};
  void (*senal_)(int) = SIG_DFL;
};

// After `ms` milliseconds, clicks OK on the real message boxes on show,
// keeping the text of the last one in `texto` (which must outlive the wait).
void aceptar_caja_real(int ms, QString& texto);

// Puts the windows away (without unloading them) and resets the shared data.
void limpiar();

// The message of a problem file that Open read only to line `linea`, under
// a test language whose key k reads "en<k>": the file, then the line and
// what was expected there.
QString aviso_de_fichero_danado(const QString& ruta, int linea, const QString& esperado);

}  // namespace prueba
