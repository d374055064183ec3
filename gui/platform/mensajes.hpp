#pragma once
// Modal message boxes with the system's styles and answers.
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace plataforma {

// Styles: buttons + icon.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;

// Answers.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// Shows a modal box and returns the button pressed. Without a title, or with
// an empty one, the box carries the application title. Escape and closing
// the box answer Cancel on a box with Cancel, OK on a box with OK alone; a
// Yes/No box answers only to its buttons. The box belongs to dueno (the
// window manager keeps both in front together), or to the active window when
// none is given.
int MsgBox(const QString& texto, int estilo = vbOKOnly,
           const std::optional<QString>& titulo = std::nullopt, QWidget* dueno = nullptr);

// A file that cannot be written, told as the program tells every one: the
// file and the system's reason, with the critical icon.
void aviso_no_escrito(const QString& ruta, const QString& motivo, const std::optional<QString>& titulo = std::nullopt);

// Tests answer the boxes: the function receives the text, the style and the
// title as given (the application title when none is given) and returns the answer. An empty function restores the
// real boxes.
using GuionMsgBox = std::function<int(const QString& texto, int estilo, const QString& titulo)>;
void fijar_guion_msgbox(GuionMsgBox guion);

}  // namespace plataforma
