#pragma once
// The window of long work: once the work has run longer than a moment it
// shows what has been done so far and a Cancel button. It is modal: while
// it stands the other windows repaint but take no input, so the work cannot
// be started twice or lose the window it belongs to.
#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QDialog;
class QLabel;

namespace plataforma {

class Progreso {
 public:
  Progreso(const QString& titulo, const QString& cancelar);
  ~Progreso();
  Progreso(const Progreso&) = delete;
  Progreso& operator=(const Progreso&) = delete;

  // The work calls it at each step with the text of what it has done so far.
  // After the first moment it shows the window; then it handles the pending
  // window events at most every few hundredths of a second. False once the
  // user has pressed Cancel (or closed the window): the work ends there.
  bool seguir(const QString& texto);
  bool cancelado() const { return cancelado_; }

  // How long the work runs before the window shows (tests show it at once).
  static void fijar_espera(int milisegundos);

 private:
  QString titulo_, cancelar_;
  QElapsedTimer reloj_;
  qint64 ultimo_ = 0;
  bool cancelado_ = false;
  QPointer<QDialog> ventana_;
  QLabel* etiqueta_ = nullptr;
};

}  // namespace plataforma
