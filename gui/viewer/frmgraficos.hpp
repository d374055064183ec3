#pragma once
// The graph window: reads one plot file and draws its curves in a scaled
// plot area with the view's bounds at its corners, axis labels, tick marks,
// the comment and a movable legend per curve. The user zooms with a rubber
// box, returns to the full view with the right button, reads coordinates in
// a tooltip, types new bounds into the corner labels, prints the graph and
// copies it to the clipboard.
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "frame/global.hpp"

class QLabel;
class QLineEdit;
class QPushButton;

namespace plataforma {
class Lienzo;
}

// A line control: its two ends in twips within its container.
struct Linea {
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

// The frame that holds the plot and its decorations; it draws its tick marks.
class MarcoGrafico : public QWidget {
 public:
  explicit MarcoGrafico(QWidget* padre) : QWidget(padre) {}
  std::array<Linea, 11> Lineh;
  std::array<Linea, 11> Linev;

 protected:
  void paintEvent(QPaintEvent* evento) override;
};

class frmgraficos : public QWidget {
  Q_OBJECT

 public:
  // The one graph window, created and loaded on first use: loading reads the
  // plot file named by graficos::fichero_grafico and draws it. When the file
  // cannot be read the window tells the user and closes again at once.
  static frmgraficos& instancia();
  static bool cargado();
  // Destroys the window without unloading it (end of the program, tests).
  static void destruir();

  // Controls.
  QPushButton* btdaceptar;
  QPushButton* btprint;
  QPushButton* btclipb;
  plataforma::Lienzo* pctgraficas;  // hidden: the composition of printing and copying
  MarcoGrafico* frmgrafico;
  plataforma::Lienzo* pctgrafico;   // the plot area; its scale is the view
  QLabel* lbx;
  QLabel* lby;
  QLabel* lbcomentario;
  QLabel* Image1;
  QLabel* lbleyenda(int Index) const;  // 1 to lbleyenda_Count()
  int lbleyenda_Count() const { return static_cast<int>(leyendas_.size()); }
  QLabel* leyescala(int Index) const;    // 1 y max, 2 y min, 3 x min, 4 x max
  QLineEdit* txtescala(int Index) const; // the editors over them
  Linea& Lineh(int Index);
  Linea& Linev(int Index);

  // Public operations.
  bool leefichero();
  void actualiza();
  void dibuja();
  // Paints the graph on the printer's page; false when its picture cannot be
  // made, which it has told.
  bool printgraf();
  void cambia_titulo_grafico();
  void muestra_acerca();

  void Show();
  // Unloads the window: its unload handling, then it goes.
  void Unload();

  // A corner label's caption. An x-bound label widens to a caption that does
  // not fit its design width, keeping its centre.
  void leyescala_Caption(int Index, const QString& texto);

  // Event handlers.
  void Form_Load();
  void Form_Resize();
  void Form_Unload();
  void btdaceptar_Click();
  void btprint_Click();
  void btclipb_Click();
  void Image1_Click();
  void pctgrafico_MouseDown(int Button, int Shift, double X, double Y);
  void pctgrafico_MouseMove(int Button, int Shift, double X, double Y);
  void pctgrafico_MouseUp(int Button, int Shift, double X, double Y);
  void pctgrafico_DragDrop(QWidget* Source, double X, double Y);
  void lbleyenda_MouseMove(int Index, int Button, int Shift, double X, double Y);
  void leyescala_DblClick(int Index);
  void txtescala_KeyPress(int Index, int& KeyAscii);
  void txtescala_Change(int Index);
  void txtescala_GotFocus(int Index);
  void txtescala_LostFocus(int Index);

  // Interaction data: the rubber box drawn last (x1, y1, x2, y2), and the
  // legend the mouse moved over last with the grab point inside it (twips).
  std::array<double, 4> recuadro_zoom{};
  std::int16_t leyenda_indice = 0;
  std::int32_t leyenda_dx = 0;
  std::int32_t leyenda_dy = 0;

 protected:
  void resizeEvent(QResizeEvent* evento) override;
  bool event(QEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  frmgraficos();
  void crear_controles();
  QLabel* nueva_leyenda();
  void coloca_controles();
  void posiciona_leyenda(int i);
  void dibuja_curva(std::int16_t marcas, std::int16_t tipo, std::int16_t npuntos, std::int16_t grosor,
                    std::int16_t estilo_trazo, std::int32_t color, const global::lista_vertices& puntos);
  // The picture of printing and copying in pctgraficas; false when it
  // cannot be made, which it has told.
  bool componer();
  void aceptar_escala(int Index);
  // A failure the window cannot go on from: the message, then the window closes.
  void fallo_grave(const QString& texto, const std::optional<QString>& titulo);
  // escala_grafico on the view, never inside its own message.
  bool escala();
  // A message box was answered: a press delivered with it starts no zoom.
  void tras_una_caja();

  std::vector<QLabel*> leyendas_;  // lbleyenda(i) at [i - 1]
  std::array<QLabel*, 4> escalas_{};
  std::array<QLineEdit*, 4> editores_{};
  bool cerrando_ = false;
  QSize exterior_;  // the outer size the layout was made for
  using Vista = std::array<global::tvertice, 2>;       // minimo, maximo
  Vista vista_anterior_{};                             // the view when a zoom box began
  std::optional<Vista> en_vigor_;                      // the view the scale check accepted last
  std::optional<Vista> rechazada_;                     // a view refused with none in force
  bool zoom_abierto_ = false;       // a left press on the plot waits for its release
  bool comprobando_escala_ = false;
  bool caja_mostrada_ = false;
};
