#pragma once
// The results dialog: shows the whole report of the last run, or writes and
// shows its reduced copy res.min with the chosen matrix pairs and range of
// states. Modeless; every request reads its controls and the report afresh.
#include <QDialog>
#include <QString>
#include <array>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace plataforma {
class CajaNumerica;
}

class frmprintres : public QDialog {
  Q_OBJECT

 public:
  static frmprintres& instancia();
  static bool cargado();
  static void destruir();

  // Controls.
  QRadioButton* Optprintres(int Index) const { return opciones_.at(static_cast<std::size_t>(Index)); }
  QGroupBox* Frame1;
  QCheckBox* chkmatrices(int Index) const { return matrices_.at(static_cast<std::size_t>(Index)); }
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLineEdit* txtvp(int Index) const { return estados_.at(static_cast<std::size_t>(Index)); }
  QPushButton* btactualizar;
  QPushButton* btaceptar;

  void Show();
  void Unload();

  // Writes res.min from res.tot in the program folder; false when the
  // report cannot be read or the copy cannot be written (which is told).
  bool escribe_res_min();
  // Which blocks of a report of nbloques blocks the copy keeps (index 0 is
  // block 1): block 1, the ticked matrix pairs, the list of eigenvalues, the
  // states a to b when both are above 0, and the closing block.
  static std::vector<bool> mascara(int nbloques, const std::array<bool, 4>& matrices, int a, int b);

  // Event handlers.
  void Form_Load();
  void Optprintres_Click(int Index);
  void btactualizar_Click();
  void btaceptar_Click();

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  frmprintres();
  std::array<QRadioButton*, 2> opciones_{};
  std::array<QCheckBox*, 4> matrices_{};
  std::array<QLineEdit*, 2> estados_{};
};
