#include "frame/nombres_propios.hpp"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include "platform/app.hpp"
#include "platform/cerrojo.hpp"

namespace nombres_propios {

namespace {

// The files that the engines and the window write in the program folder.
const QStringList escritos = {
    "RES.tot",           // calculos: the report
    "DatosDIB",          // calculos: the eigen data
    "res.min",           // the reduced report
    "dib",               // the plot parameters
    "FUNCION",           // funciones: the wave-function plot
    "nivel",             // niveles: the energy-level plot
    "prob",              // probs: the probability-density plot
    "impresion.pdf",     // a print on a machine without a printer
    "idioma.lng",        // the language file, rewritten when the language changes
    plataforma::nombre_cerrojo,  // the lock of a program folder in use
};

// The files the program ships with.
const QStringList instalados = {
    "acerca.html", "Tarvo_Olvex", "calculos", "funciones", "niveles", "probs",
};

// The help files are "<language>.hlp", one for each language of the
// language file.
const QString ayuda = QStringLiteral(".hlp");

// A written file's temporary names while it is written: the engines' (the
// name, ".tmp" and digits) and the window's (the name, "." and six letters
// or digits).
const QRegularExpression& temporales() {
  static const QRegularExpression patron = [] {
    QStringList nombres;
    for (const QString& n : escritos) nombres << QRegularExpression::escape(n);
    return QRegularExpression("^(?:" + nombres.join('|') + ")\\.(?:tmp[0-9]+|[A-Za-z0-9]{6})$",
                              QRegularExpression::CaseInsensitiveOption);
  }();
  return patron;
}

// A folder as it is on disk (through links), or as written when it does not exist.
QString canonica(const QString& carpeta) {
  const QString c = QFileInfo(carpeta).canonicalFilePath();
  return c.isEmpty() ? QDir::cleanPath(QFileInfo(carpeta).absoluteFilePath()) : c;
}

}  // namespace

bool es_propio(const QString& nombre) {
  for (const QStringList* lista : {&escritos, &instalados})
    for (const QString& n : *lista)
      if (nombre.compare(n, Qt::CaseInsensitive) == 0) return true;
  return nombre.endsWith(ayuda, Qt::CaseInsensitive) || temporales().match(nombre).hasMatch();
}

bool en_la_carpeta(const QString& ruta) {
  const QString carpeta = canonica(plataforma::App::Path());
  QFileInfo info(QFileInfo(ruta).absoluteFilePath());
  // A link is written through to its target: each step of the way counts.
  for (int i = 0; i < 128; ++i) {
    if (es_propio(info.fileName()) && canonica(info.absolutePath()) == carpeta) return true;
    if (!info.isSymLink()) break;
    info.setFile(info.symLinkTarget());
  }
  return false;
}

}  // namespace nombres_propios
