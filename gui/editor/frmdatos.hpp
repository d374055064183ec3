#pragma once
// The problem-data window: a child window of the main window with the
// general data of the problem (title, mass, basis size, integration points,
// zone count) and the zone strip, on which every zone has its picture with
// the potential drawn in it, its type combo, its button, its limit label, its
// separator and its hidden limit editor. A fresh window shows the initial
// problem: one constant zone from 0 to 10 at V = 0.
#include <QPoint>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

#include "frame/problema_texto.hpp"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMdiSubWindow;
class QPushButton;

namespace plataforma {
class CajaNumerica;
class Lienzo;
class UpDown;
}  // namespace plataforma

class frmdatos : public QWidget {
  Q_OBJECT

 public:
  // The one window, created, loaded and shown in the main window on first use.
  static frmdatos& instancia();
  static bool cargado();
  // Unloads the window (the zone records stay as they are).
  static void descargar();

  // General data.
  QGroupBox* frmdatosgeneral;
  QLabel* Lbltitulo;
  QLineEdit* txttitulo;
  QLabel* lblmasa;
  QLineEdit* txtmasa;
  QLabel* lblunits;
  QLabel* lblfb;
  QLineEdit* txtfb;
  QLabel* lblpuntos;
  QLineEdit* txtpuntos;
  plataforma::UpDown* UpDPuntos;
  QLabel* lblzonas;
  QLineEdit* txtzonas;
  plataforma::UpDown* udzonas;

  // The zone strip: element k of each array for zone k (nullptr while the
  // zone is not in use); lblintervalo(10) and txtescala(10) stand for the box end.
  QGroupBox* frmzonas;
  plataforma::Lienzo* pctzona(int Index) const { return pctzona_.at(static_cast<std::size_t>(Index)); }
  QComboBox* cmbpotencial(int Index) const { return cmbpotencial_.at(static_cast<std::size_t>(Index)); }
  QPushButton* btnzona(int Index) const { return btnzona_.at(static_cast<std::size_t>(Index)); }
  QPushButton* lnsepara(int Index) const { return lnsepara_.at(static_cast<std::size_t>(Index)); }
  QLabel* lblintervalo(int Index) const { return lblintervalo_.at(static_cast<std::size_t>(Index)); }
  QLineEdit* txtescala(int Index) const { return txtescala_.at(static_cast<std::size_t>(Index)); }

  // Window-level values.
  QString textoanterior;
  int borde_izquierdo = 500;
  int borde_derecho = 0;
  double vmin = 0;
  double vmax = 0;
  // The separator drag: the separator under the mouse when it began, the
  // screen position then (its row holds the pointer) and the screen x of
  // the last accepted position.
  std::int16_t separador_activo = 0;
  QPoint posicion_cursor;
  std::int32_t ultima_x = 0;

  // What the problem file opened held that the boxes and the zone records do
  // not keep as it stood (values with more than three decimals, counts
  // written otherwise than the boxes show them, what followed the last
  // zone): Save writes it again as it was read. A new window holds none.
  problema_texto::Conservado conservado;

  // The box start (Index 0) or end (Index 10): the value last given to its
  // label while the label still shows it, otherwise the number the label
  // shows. fijar_extremo writes the label from the value.
  double extremo(int Index) const;
  void fijar_extremo(int Index, double valor);

  // The linear map sending a to c and b to d, at v.
  static double interpola(double v, double a, double b, double c, double d);

  // Public operations.
  void dibuja_potencial();
  void borra_datos();
  void crear_zona();
  void pinta_zonas();

  // Sets the ListIndex of a zone's type combo as a program does; the
  // combo's click runs as it would for the user's choice.
  void fijar_ListIndex(int Index, int ListIndex);

  // Event handlers.
  void Form_Load();
  void txttitulo_Change();
  void txtzonas_Change();
  void udzonas_Change();
  void udzonas_UpClick();
  void udzonas_DownClick();
  void udzonas_MouseUp(int Button);
  void cmbpotencial_Click(int Index);
  void btnzona_Click(int Index);
  void pctzona_MouseMove(int Index, int Button, int Shift, double X, double Y);
  // Limit editing over the labels; Enter and leaving the box apply the value.
  void lblintervalo_DblClick(int Index);
  void txtescala_LostFocus(int Index);
  // Dragging a separator: Button 1 is the left button; positions on screen.
  void lnsepara_MouseMove(int Index, int Button, QPoint pantalla);
  void lnsepara_DragOver(QPoint pantalla);
  // X in the frame's twips; pantalla the pointer's screen position.
  void frmzonas_DragOver(double X, QPoint pantalla);

 protected:
  void closeEvent(QCloseEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  frmdatos();
  ~frmdatos() override;
  void crear_controles();
  void crear_tira();
  void datos_iniciales();
  void calcula_curvas();
  // crear_zona; with cortar_anterior, the halved zone's polygon is cut at
  // the new limit (the file reader keeps the vertices it read).
  void anadir_zona(bool cortar_anterior);
  // Where crear_zona cuts the last zone of nzonas - 1 for the new one, and
  // whether the two halves have a length greater than 0 as the file writes them.
  double mitad_de_la_ultima() const;
  bool mitades_validas() const;
  void borra_zona();
  void crear_elemento(int k);
  void destruir_elemento(int k);
  // Centres a limit label's text on its twips centre, widening it on screen
  // when the text needs more room than its width.
  void ajustar_etiqueta(QLabel* etiqueta);
  // The limit label, editor box and separator of index k take their events.
  void enganchar_limite(int k);
  // Sends a drag position to the control under the pointer.
  void arrastre(QPoint pantalla);

  // The title's text as its last accepted change left it, and whether the
  // change under way comes from the user.
  QString titulo_vigente_;
  bool titulo_tecleado_ = false;

  // The values behind the box start and end labels (extremo).
  std::array<double, 2> extremos_{0, 10};

  bool arrastrando_ = false;
  // The problem's modified state before the last step of the zone count.
  bool modificado_antes_ = false;
  bool aplicando_ = false;

  QMdiSubWindow* subventana_ = nullptr;
  bool descargando_ = false;
  plataforma::CajaNumerica* caja_masa_ = nullptr;
  plataforma::CajaNumerica* caja_fb_ = nullptr;
  plataforma::CajaNumerica* caja_puntos_ = nullptr;

  std::array<plataforma::Lienzo*, 10> pctzona_{};
  std::array<QComboBox*, 10> cmbpotencial_{};
  std::array<QPushButton*, 10> btnzona_{};
  std::array<QPushButton*, 10> lnsepara_{};
  std::array<QLabel*, 11> lblintervalo_{};
  std::array<QLineEdit*, 11> txtescala_{};
};
