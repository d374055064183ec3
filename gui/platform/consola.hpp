#pragma once
// The console window of the engine runs: what a console program writes on
// its standard output and standard error, as it arrives, in a read-only
// window of fixed pitch. One window serves every run: a run clears it, and
// it stays after the engine ends so that its last messages can be read.
#include <QPlainTextEdit>
#include <QString>

namespace plataforma {

class VentanaConsola : public QPlainTextEdit {
  Q_OBJECT

 public:
  // The one console window, created on first use (hidden).
  static VentanaConsola& instancia();
  static bool cargada();
  static void destruir();

  // Starts the window of a run: clears it, names the program in its caption
  // after `titulo`, and shows it in the window style (0 hidden, 1 normal with
  // focus, 2 minimised with focus, 3 maximised with focus, 4 normal without
  // focus, 6 minimised without focus).
  void empezar(const QString& titulo, const QString& programa, int estilo);
  // Brings the window to the user after a run that failed: restored when
  // minimised or hidden, raised and given the focus. The window has no
  // owner (the window manager would take an owner down with it when the
  // run's style minimises it), so it is raised instead.
  void mostrar_delante();
  // Appends text as it came (without carriage returns).
  void anadir(const QString& texto);
  QString texto() const { return toPlainText(); }

 private:
  VentanaConsola();
};

}  // namespace plataforma
