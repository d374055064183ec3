#include "platform/traducciones.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace plataforma {

QString carpeta_traducciones_qt() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

QTranslator* cargar_traducciones_qt(const QLocale& idioma, const QString& carpeta) {
  auto* traductor = new QTranslator(QCoreApplication::instance());
  // "qt_<language>" gathers the catalogues of Qt's modules (qtbase_<language>...).
  if (!traductor->load(idioma, QStringLiteral("qt"), QStringLiteral("_"), carpeta) ||
      !QCoreApplication::installTranslator(traductor)) {
    delete traductor;
    return nullptr;
  }
  return traductor;
}

}  // namespace plataforma
