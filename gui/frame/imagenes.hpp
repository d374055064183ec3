#pragma once
// The program's own pictures, drawn rather than shipped: the toolbar images
// and the pictures of the start-up window.
#include <QIcon>
#include <QPixmap>
#include <QString>

// The image of a toolbar button, by the button's key ("Nuevo", "Abrir"...).
QIcon imagen_boton(const QString& clave);

// A potential well with its first levels and a wave function.
QPixmap imagen_pozo(int lado);

// The program's emblem: a particle in a box.
QPixmap imagen_emblema(int lado);
