#include "frame/idiomas.hpp"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <optional>
#include <utility>

#include "frame/frmMain.hpp"
#include "frame/textos.hpp"
#include "platform/app.hpp"
#include "platform/ficheros.hpp"
#include "platform/mensajes.hpp"
#include "platform/texto1252.hpp"

namespace idiomas {

namespace {

enum class Tipo { vacia, cabecera, clave, malformada };

struct Linea {
  Tipo tipo;
  QString nombre;  // section name or key
  QString valor;
};

Linea clasificar(const QString& l) {
  if (l.isEmpty()) return {Tipo::vacia, {}, {}};
  if (l.front() == '[') {
    if (l.size() < 2) return {Tipo::malformada, {}, {}};
    return {Tipo::cabecera, l.mid(1, l.size() - 2), {}};
  }
  const qsizetype igual = l.indexOf('=');
  if (igual < 0) return {Tipo::malformada, {}, {}};
  return {Tipo::clave, l.left(igual), l.mid(igual + 1)};
}

bool iguales(const QString& a, const QString& b) { return a.toLower() == b.toLower(); }

// The language file is a few kilobytes and is read afresh for every text; a
// file far larger (a damaged one, or no language file at all) is not read.
constexpr qint64 TAMANO_MAXIMO = 16 << 20;

bool demasiado_grande(const QString& fichero) { return QFileInfo(fichero).size() > TAMANO_MAXIMO; }

bool leer_lineas(const QString& fichero, QByteArray& bytes, QStringList& resultado) {
  if (demasiado_grande(fichero) || !plataforma::leer_bytes(fichero, bytes)) return false;
  resultado = plataforma::lineas(bytes);
  return true;
}

bool leer_lineas(const QString& fichero, QStringList& resultado) {
  QByteArray bytes;
  return leer_lineas(fichero, bytes, resultado);
}

QByteArray linea_1252(const QString& l) { return plataforma::a_1252(l) + "\r\n"; }

}  // namespace

QString leervalor(const QString& fichero, const QString& seccion, const QString& clave) {
  QStringList ls;
  if (!leer_lineas(fichero, ls)) return QString();
  qsizetype i = 0;
  for (; i < ls.size(); ++i) {
    const Linea l = clasificar(ls[i]);
    if (l.tipo == Tipo::cabecera && iguales(l.nombre, seccion)) break;
  }
  for (++i; i < ls.size(); ++i) {
    const Linea l = clasificar(ls[i]);
    if (l.tipo == Tipo::cabecera) return QString();
    if (l.tipo == Tipo::clave && iguales(l.nombre, clave)) return l.valor;
  }
  return QString();
}

namespace {

// The text of a key in the first section named seccion (the rule of
// leervalor), or else in the first language section (any section but the
// first of the file) that has it, in one reading of the lines. A key with an
// empty value counts as missing.
std::optional<QString> buscar(const QStringList& ls, const QString& seccion, const QString& clave) {
  std::optional<QString> otra;
  int cabeceras = 0;
  bool propia = false, propia_vista = false;
  for (const QString& texto_linea : ls) {
    const Linea l = clasificar(texto_linea);
    if (l.tipo == Tipo::cabecera) {
      ++cabeceras;
      propia = !propia_vista && iguales(l.nombre, seccion);
      propia_vista = propia_vista || propia;
      continue;
    }
    if (l.tipo != Tipo::clave || cabeceras == 0 || l.valor.isEmpty() || !iguales(l.nombre, clave)) continue;
    if (propia) return l.valor;
    if (cabeceras > 1 && !otra) otra = l.valor;
  }
  return otra;
}

}  // namespace

QString texto(int clave) {
  QStringList ls;
  if (leer_lineas(fichero_idioma, ls))
    if (std::optional<QString> t = buscar(ls, idioma_actual, QString::number(clave))) return *t;
  return textos::de_reserva(clave);
}

const QList<int>& claves_en_uso() {
  static const QList<int> claves = [] {
    // Every key of a language section that the windowed program or the
    // engines read: the keys of each language section of the language file
    // shipped with the program.
    const std::pair<int, int> rangos[] = {
        {1, 13},     {18, 29},    {40, 42},     {44, 64},     {67, 68},     {70, 75},   {80, 82},
        {90, 108},   {111, 113},  {120, 123},   {126, 126},   {130, 134},   {140, 171}, {180, 186},
        {190, 205},  {210, 228},  {231, 231},   {240, 241},   {245, 250},   {255, 258},   {1000, 1057}, {1060, 1070},
        {1100, 1109}};
    QList<int> k;
    for (const auto& [desde, hasta] : rangos)
      for (int i = desde; i <= hasta; ++i) k.append(i);
    return k;
  }();
  return claves;
}

QList<int> claves_ausentes(const QString& fichero, const QString& seccion) {
  QList<int> ausentes;
  QStringList ls;
  if (!leer_lineas(fichero, ls)) return claves_en_uso();
  QSet<QString> presentes;
  bool en_seccion = false, vista = false;
  for (const QString& texto_linea : ls) {
    const Linea l = clasificar(texto_linea);
    if (l.tipo == Tipo::cabecera) {
      en_seccion = !vista && iguales(l.nombre, seccion);
      vista = vista || en_seccion;
    } else if (en_seccion && l.tipo == Tipo::clave && !l.valor.isEmpty()) {
      presentes.insert(l.nombre.toLower());
    }
  }
  for (int k : claves_en_uso())
    if (!presentes.contains(QString::number(k))) ausentes.append(k);
  return ausentes;
}

QString aviso_claves_ausentes() {
  // A file that cannot be read, or a current language without a section,
  // has its own warning.
  if (!existeseccion(fichero_idioma, idioma_actual)) return QString();
  const QList<int> ausentes = claves_ausentes(fichero_idioma, idioma_actual);
  if (ausentes.isEmpty()) return QString();
  constexpr int mostradas = 8;
  QStringList lista;
  for (int i = 0; i < std::min<int>(mostradas, ausentes.size()); ++i) lista << QString::number(ausentes[i]);
  QString claves = lista.join(", ");
  if (ausentes.size() > mostradas) claves += QStringLiteral(", … (%1)").arg(ausentes.size());
  // In fixed words: the file's own texts are the ones missing.
  return QStringLiteral(
             "Al fichero de idiomas le faltan textos que usa el programa.\n"
             "The language file lacks texts that the program uses.\n\n%1\n\n"
             "Faltan en «%2» / Missing from «%2»: %3\n\n"
             "Cada texto que falta se toma del primer otro idioma del fichero que lo tenga; si ninguno lo tiene, "
             "se muestra el número de su clave entre corchetes.\n"
             "Each missing text is taken from the first other language of the file that has it; where none has "
             "it, its key number shows in brackets.")
      .arg(QDir::toNativeSeparators(fichero_idioma), idioma_actual, claves);
}

bool existeseccion(const QString& fichero, const QString& seccion) {
  QStringList ls;
  if (!leer_lineas(fichero, ls)) return false;
  return std::any_of(ls.cbegin(), ls.cend(), [&](const QString& texto_linea) {
    const Linea l = clasificar(texto_linea);
    return l.tipo == Tipo::cabecera && iguales(l.nombre, seccion);
  });
}

std::int16_t leersecciones(const QString& fichero, QStringList& lista) {
  std::int16_t cuenta = -1;
  lista.clear();
  QStringList ls;
  if (!leer_lineas(fichero, ls)) return cuenta;
  for (const QString& texto_linea : ls) {
    const Linea l = clasificar(texto_linea);
    if (l.tipo != Tipo::cabecera) continue;
    ++cuenta;
    if (cuenta > 0) lista.append(l.nombre);  // the first is the settings section
  }
  return cuenta;
}

bool crearseccion(const QString& fichero, const QString& seccion) {
  QByteArray bytes;
  if (demasiado_grande(fichero) || !plataforma::leer_bytes(fichero, bytes)) return false;
  if (existeseccion(fichero, seccion)) return true;
  bytes += "\r\r\n" + linea_1252("[" + seccion + "]");
  return plataforma::escribir_bytes(fichero, bytes);
}

bool guardavalor(const QString& fichero, const QString& seccion, const QString& clave,
                 const QString& valor) {
  if (!crearseccion(fichero, seccion)) return false;
  QByteArray bytes;
  QStringList ls;
  if (!leer_lineas(fichero, bytes, ls)) return false;
  const QString linea_clave = clave + "=" + valor;

  QByteArray copia;
  qsizetype i = 0;
  bool en_seccion = false;
  while (i < ls.size() && !en_seccion) {
    const Linea l = clasificar(ls[i]);
    copia += linea_1252(ls[i++]);
    en_seccion = l.tipo == Tipo::cabecera && iguales(l.nombre, seccion);
  }
  if (!en_seccion) return false;

  bool hecho = false;
  while (i < ls.size() && !hecho) {
    const Linea l = clasificar(ls[i]);
    switch (l.tipo) {
      case Tipo::vacia: break;  // dropped
      case Tipo::cabecera:
        copia += linea_1252(linea_clave) + linea_1252("\r") + linea_1252(ls[i]);
        hecho = true;
        break;
      case Tipo::clave:
        copia += linea_1252(iguales(l.nombre, clave) ? linea_clave : ls[i]);
        hecho = iguales(l.nombre, clave);
        break;
      case Tipo::malformada: copia += linea_1252(ls[i]); break;
    }
    ++i;
  }
  if (hecho) {
    for (; i < ls.size(); ++i) copia += linea_1252(ls[i]);
    return plataforma::escribir_bytes(fichero, copia);
  }

  // The section is the last one and lacks the key: the copy is abandoned and
  // the key line goes at the end of the file itself (after a line end when
  // the file's last line has none, so that it stays a line of its own).
  if (!bytes.isEmpty() && !bytes.endsWith('\r') && !bytes.endsWith('\n')) bytes += "\r\n";
  bytes += linea_1252(linea_clave);
  return plataforma::escribir_bytes(fichero, bytes);
}

namespace {

// Only a marked item carries a check box, so that the others show none.
void marcar(QAction* item, bool marcado) {
  item->setCheckable(marcado);
  item->setChecked(marcado);
}

}  // namespace

void marcar_idioma(const QString& nombre) {
  frmMain& principal = frmMain::instancia();
  const int n = std::min<int>(std::max<int>(num_idiomas, 0), static_cast<int>(lista_idiomas.size()));
  for (int i = 1; i <= n; ++i) marcar(principal.mnuidiomas(i), iguales(lista_idiomas[i - 1], nombre));
}

void carga_idiomas() {
  num_idiomas = leersecciones(fichero_idioma, lista_idiomas);
  const QString registrado = leervalor(fichero_idioma, "idioma", "idioma");
  const bool tiene_seccion = std::any_of(lista_idiomas.cbegin(), lista_idiomas.cend(),
                                         [&](const QString& nombre) { return iguales(nombre, registrado); });
  // Without a section of the recorded language every text would be empty,
  // the menus included: the first language serves for this run.
  idioma_de_reserva = !tiene_seccion && !lista_idiomas.isEmpty();
  idioma_actual = idioma_de_reserva ? lista_idiomas.front() : registrado;

  frmMain& principal = frmMain::instancia();  // first touch: loads the main window, hidden
  const int n = std::max<int>(num_idiomas, 0);
  for (int i = 1; i <= n; ++i) {
    QAction* item = principal.mnuidiomas(i);
    item->setSeparator(false);
    item->setText(lista_idiomas[i - 1]);
    // The help is that of the texts in use.
    if (iguales(lista_idiomas[i - 1], idioma_actual))
      plataforma::App::HelpFile() = plataforma::App::en_carpeta(lista_idiomas[i - 1] + ".hlp");
    item->setEnabled(true);
    item->setVisible(true);
  }
  // The mark shows the recorded language.
  marcar_idioma(registrado);
  QAction* separador = principal.mnuidiomas(n + 1);
  // The caption "-" of a separator: the separator flag, with no text to show.
  separador->setText(QString());
  separador->setSeparator(true);
  marcar(separador, false);
  separador->setVisible(true);
  separador->setEnabled(true);
  QAction* otros = principal.mnuidiomas(n + 2);
  otros->setSeparator(false);
  otros->setText(texto(18));
  marcar(otros, false);
  otros->setVisible(true);
  otros->setEnabled(true);
}

bool cambia_idioma(const QString& nombre) {
  using namespace plataforma;
  if (!existeseccion(fichero_idioma, nombre)) {
    MsgBox(texto(184), vbCritical, texto(3));
    return false;
  }
  // Recorded first, so that the message tells what really happened.
  if (!guardavalor(fichero_idioma, "idioma", "idioma", nombre)) {
    MsgBox(QStringLiteral("No se pudo escribir el fichero de idiomas.\n"
                          "The language file could not be written.\n\n") + fichero_idioma,
           vbCritical, texto(3));
    return false;
  }
  MsgBox(texto(185), vbInformation, texto(3));
  return true;
}

QString problema_fichero(const QString& fichero) {
  if (demasiado_grande(fichero))
    return QStringLiteral("El fichero ocupa más de %1 MB. / The file is larger than %1 MB.").arg(TAMANO_MAXIMO >> 20);
  QStringList ls;
  if (!leer_lineas(fichero, ls))
    return QStringLiteral("No se puede abrir el fichero. / The file cannot be opened.");
  bool en_seccion = false;
  for (qsizetype i = 0; i < ls.size(); ++i) {
    if (ls[i].contains(QChar(0)))
      return QStringLiteral("Línea %1: un byte nulo; el fichero está dañado. / Line %1: a NUL byte; the file is damaged.")
          .arg(i + 1);
    if (ls[i].size() > plataforma::LINEA_MAXIMA)
      return QStringLiteral("Línea %1: más de %2 caracteres. / Line %1: more than %2 characters.")
          .arg(i + 1)
          .arg(plataforma::LINEA_MAXIMA);
    const Linea l = clasificar(ls[i]);
    if (l.tipo == Tipo::cabecera) en_seccion = true;
    if (l.tipo != Tipo::malformada) continue;
    if (ls[i] == "[")
      return QStringLiteral("Línea %1: una cabecera sin nombre. / Line %1: a section header without a name.")
          .arg(i + 1);
    if (en_seccion)  // lines before the first header are ignored
      return QStringLiteral("Línea %1: falta \"=\". / Line %1: \"=\" is missing.").arg(i + 1);
  }
  if (!en_seccion) return QStringLiteral("No tiene ninguna sección. / It holds no section.");
  const QString actual = leervalor(fichero, "idioma", "idioma");
  QStringList lenguas;
  // With a language section, the first one stands in for a missing current language.
  if (leersecciones(fichero, lenguas) < 1 && (actual.isEmpty() || !existeseccion(fichero, actual)))
    return QStringLiteral("El idioma actual «%1» no tiene sección. / The current language «%1» has no section.")
        .arg(actual);
  return QString();
}

}  // namespace idiomas
