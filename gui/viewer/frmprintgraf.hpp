#pragma once
// The graph-data dialog: the energy levels between two level numbers, the
// wave function of one level or the probability density of one level. It
// checks the level numbers, writes the plot parameters to dib, runs the
// plotting program of the chosen graph, waits for it and opens the graph
// window on the plot file that program leaves. Modeless.
#include <QDialog>
#include <QString>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmprintgraf : public QDialog {
  Q_OBJECT

 public:
  static frmprintgraf& instancia();
  static bool cargado();
  static void destruir();

  // Controls.
  QGroupBox* Frame1;
  QLabel* Label3;
  QLineEdit* txtnp;
  QLabel* Label4;
  QLineEdit* txtfe;
  QGroupBox* Frame2;
  QRadioButton* Optprintgraf(int Index) const { return opciones_.at(static_cast<std::size_t>(Index)); }
  QLabel* Label1;
  QLineEdit* txtniv(int Index) const { return niveles_.at(static_cast<std::size_t>(Index)); }
  QLabel* Label2;
  QLineEdit* txtfo;
  QLineEdit* txtdp;
  QPushButton* btactualizar;
  QPushButton* btaceptar;

  // The last accepted text of the box being edited.
  QString textoanterior;

  void Show();
  void Unload();
  // The results went stale: the dialog closes when open, and a graph still
  // being made for them is not shown.
  static void caducar();

  // The text of dib for the chosen option.
  QString texto_dib() const;

  // Event handlers.
  void Form_Load();
  void Optprintgraf_Click(int Index);
  void btactualizar_Click();
  void btaceptar_Click();

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  frmprintgraf();
  int opcion() const;
  // txtfo and txtdp: a level outside 1 to nfb is refused with a message.
  void comprobar_nivel(QLineEdit* caja);
  std::array<QRadioButton*, 3> opciones_{};
  std::array<QLineEdit*, 2> niveles_{};
};
