#pragma once
// The frame shared by the four potential dialogs of a zone: a child window of
// the main window with a fixed border and no control box, so that only its
// own buttons close it; Update, Cancel and Accept; numeric boxes for real
// values that take at most 8 typed characters. A dialog edits
// zonas(zona_actual) in place and is created at its opening and destroyed at
// its closing, so every opening starts from the zone's values.
#include <QString>
#include <QWidget>
#include <functional>

namespace global {
struct tzona;
}

class QLineEdit;
class QMdiSubWindow;
class QPushButton;

namespace editor {

class DialogoZona : public QWidget {
 public:
  QPushButton* btactualiza;
  QPushButton* btcancel;
  QPushButton* btaceptar;
  QString textoanterior;

  // Common load: own caption, the button captions, the boxes filled from the
  // zone (rellenar), then the problem marked modified.
  void Form_Load();
  void btactualiza_Click();
  void btaceptar_Click();
  void btcancel_Click();

  // Closes and destroys the open dialog, if any (the problem-data window is
  // enabled again).
  static void cerrar_abierto();
  static DialogoZona* abierto();

  // Shows the dialog as a child window of the main window.
  void mostrar();

 protected:
  // ranura: the dialog's single-instance pointer, emptied at closing;
  // clave: the caption key of the dialog's load; ancho, alto: its client
  // area in twips.
  DialogoZona(DialogoZona*& ranura, int clave, double ancho, double alto);
  ~DialogoZona() override;

  // The single instance recorded in ranura: created by crear (the frame
  // records it there) and loaded on first use.
  template <class T, class Crear>
  static T& unica(DialogoZona*& ranura, Crear crear) {
    if (ranura == nullptr) {
      crear();
      ranura->Form_Load();
    }
    return static_cast<T&>(*ranura);
  }
  // The zone the dialog edits: zonas(zona_actual).
  static global::tzona& zona();

  // Makes a box a numeric box of real values of this dialog; etiqueta gives
  // the label of its value's line in a problem file, so that the box
  // refuses a number that line could not hold.
  QLineEdit* caja_real(QWidget* padre, const char* nombre, double left, double top, double width, double height,
                       std::function<QString()> etiqueta);

  virtual void rellenar() = 0;    // fills the boxes from the zone
  virtual void actualizar() = 0;  // stores the boxes into the zone

  void closeEvent(QCloseEvent* evento) override;

 private:
  void cerrar();
  DialogoZona*& ranura_;
  int clave_;
  QMdiSubWindow* subventana_ = nullptr;
  bool cerrando_ = false;
};

// Marks the problem modified and shows it in the main window's caption.
void marcar_modificado();
// Limits typing into a box to n characters; texts written by the program
// are not limited.
void limitar_tecleo(QLineEdit* caja, int n);

// A box that shows a value as "####0.000" keeps the value itself behind its
// text, so that a value with more decimals than the box shows is not cut to
// them by a box the user leaves as it was. mostrar_valor writes the value
// and its text ("####0.000", or the text given, whose number is the value);
// the first change of the text to a number other than the value and the
// value as shown lets the value go. valor_de gives the value while the box
// still holds it, and the number of its text otherwise (as Val).
// copiar_valor moves a box's text to another box together with the value
// behind it.
void mostrar_valor(QLineEdit* caja, double valor);
void mostrar_valor(QLineEdit* caja, double valor, const QString& texto);
double valor_de(const QLineEdit* caja);
void copiar_valor(const QLineEdit* de, QLineEdit* a);

}  // namespace editor
