#pragma once
// The window of long work: once the work has run longer than a moment it
// shows what has been done so far and a Cancel button. It is modal: while
// it stands the other windows repaint but take no input, so the work cannot
// be started twice or lose the window it belongs to.
#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <functional>

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

  // How a wait ended.
  enum class Espera { Lista, Cancelada, Agotada };
  // Waits for work done elsewhere (on another thread), asking `lista` every
  // few hundredths of a second, for limite milliseconds at most. The window
  // events go on meanwhile: before the window shows all but the user's
  // input, which waits for them; once it shows, everything, the window
  // being modal. The window tells texto and its Cancel ends the wait.
  Espera esperar(const QString& texto, const std::function<bool()>& lista, int limite);

  // How long the work runs before the window shows (tests show it at once).
  static void fijar_espera(int milisegundos);

 private:
  // Shows the window once the work has run long enough; true while it stands.
  bool mostrar(const QString& texto);

  QString titulo_, cancelar_;
  QElapsedTimer reloj_;
  qint64 ultimo_ = 0;
  bool cancelado_ = false;
  QPointer<QDialog> ventana_;
  QLabel* etiqueta_ = nullptr;
};

}  // namespace plataforma
