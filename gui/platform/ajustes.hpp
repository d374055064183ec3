#pragma once
// Per-user application settings: application, section, key, text value.
#include <QString>

namespace plataforma {

QString GetSetting(const QString& aplicacion, const QString& seccion, const QString& clave,
                   const QString& por_defecto = QString());
void SaveSetting(const QString& aplicacion, const QString& seccion, const QString& clave,
                 const QString& valor);

// Keeps every application's settings in this folder from now on (tests).
void fijar_carpeta_ajustes(const QString& carpeta);

}  // namespace plataforma
