#include "platform/ajustes.hpp"

#include <QSettings>

namespace plataforma {

namespace {
// One INI file per application in the user's configuration folder
// (~/.config/<aplicacion>.ini).
QSettings almacen(const QString& aplicacion) {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, aplicacion);
}
}  // namespace

QString GetSetting(const QString& aplicacion, const QString& seccion, const QString& clave,
                   const QString& por_defecto) {
  return almacen(aplicacion).value(seccion + '/' + clave, por_defecto).toString();
}

void SaveSetting(const QString& aplicacion, const QString& seccion, const QString& clave,
                 const QString& valor) {
  QSettings s = almacen(aplicacion);
  s.setValue(seccion + '/' + clave, valor);
  s.sync();
}

void fijar_carpeta_ajustes(const QString& carpeta) {
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, carpeta);
}

}  // namespace plataforma
