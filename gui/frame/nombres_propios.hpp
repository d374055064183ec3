#pragma once
// The names that belong to the program in its folder: the files that the
// engines and the window write there, with their temporary names, and the
// files the program ships with. A problem saved under one of them would be
// overwritten by the next run or graph, or would spoil the program.
#include <QString>

namespace nombres_propios {

// The name (a last path component, in any case) is one of the program's own.
bool es_propio(const QString& nombre);

// ruta lies in the program folder (reached through whatever links) under a
// name of the program's own; or ruta is a link whose target does.
bool en_la_carpeta(const QString& ruta);

}  // namespace nombres_propios
