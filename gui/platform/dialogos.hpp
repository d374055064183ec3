#pragma once
// The open and save dialogs of a window, as the system sets them up: a title,
// a filter of "name|pattern" pairs, the filter shown first, an initial folder.
#include <QString>
#include <functional>

class QWidget;

namespace plataforma {

class DialogoComun {
 public:
  enum class Tipo { Abrir, Guardar };

  QString DialogTitle;
  // Pairs of a name and its patterns, all separated by "|":
  // "Problem files (*.dat)|*.dat|All files (*.*)|*.*". Patterns are matched
  // without regard to case.
  QString Filter;
  int FilterIndex = 1;  // from 1
  QString InitDir;
  // The full path chosen by the last ShowOpen or ShowSave; "" when cancelled.
  QString FileName;

  // Modal dialogs on the given window. The save dialog asks nothing about an
  // existing file and adds no extension: the caller decides both.
  void ShowOpen(QWidget* dueno);
  void ShowSave(QWidget* dueno);

 private:
  void mostrar(QWidget* dueno, Tipo tipo);
};

// Tests choose the path instead of the user: the function sees the dialog's
// kind and settings and returns the chosen path ("" for Cancel). An empty
// function restores the real dialogs.
using GuionDialogo = std::function<QString(DialogoComun::Tipo tipo, const DialogoComun& dialogo)>;
void fijar_guion_dialogos(GuionDialogo guion);

// The filter in the toolkit's form: "Problem files (*.dat);;All files (*)".
QString filtro_qt(const QString& filtro);

}  // namespace plataforma
