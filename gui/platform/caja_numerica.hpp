#pragma once
// The numeric edit box of the editing windows: a text box that keeps its text
// numeric through four events.
//
//  - Key press: a rejected character is dropped; any other key first stores
//    the box's text in the window's `textoanterior`.
//  - Change: a passing text ("" or "-" while a number is typed) does nothing;
//    a numeric text counts as an edit (the window's al_editar); any other
//    text is replaced by `textoanterior`, which raises Change again. A box
//    may also refuse some numbers the user enters (its rule's `admite`):
//    such a number gives way to the box's text before it.
//  - Gaining focus selects the whole text.
//  - Losing focus, for boxes of real values, rewrites the text as "####0.000"
//    unless it is "" or "-".
//
// Each box gets one piece, configured with its own rule; the pieces of one
// window share that window's `textoanterior`.
//
// The rules run only on a box that is whole in a window that is whole: the
// focus-out that a widget's destruction sends (the box's own, or its window
// hiding as it goes) reaches neither the box's members nor the window's.
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <typeindex>
#include <utility>
#include <vector>

class QLineEdit;

namespace plataforma {

struct ReglaNumerica {
  QString rechazadas;            // characters whose keys are dropped
  QStringList pasan;             // texts that pass unchecked
  bool formato_al_salir = false;  // "####0.000" when the box loses focus
  // A further test of a number the user enters, typed or pasted (none when
  // empty). A number it refuses is undone, back to the box's text before
  // it, and then `rechazo` runs (to say why).
  std::function<bool(const QString&)> admite = {};
  std::function<void()> rechazo = {};
};

class CajaNumerica : public QObject {
 public:
  // al_editar runs for each numeric change (empty: windows that do not edit
  // the problem). The piece belongs to the box and goes with it.
  CajaNumerica(QLineEdit* caja, ReglaNumerica regla, QString& textoanterior,
               std::function<void()> al_editar = {});

  // The four events, as the box raises them (tests and windows may call them).
  // KeyPress returns false when the key is dropped.
  bool KeyPress(QChar tecla);
  void Change();
  void GotFocus();
  void LostFocus();

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  // The box and the widgets that hold it, each with its class when the box
  // last got the focus. A widget whose class is no longer its own is in
  // its destructor (its derived parts already gone).
  void recordar_contenedores();
  bool entera() const;
  class Guarda;

  Guarda* guarda_ = nullptr;  // the first to see the box's focus and key events

  QLineEdit* caja_;
  QObject* objeto_;  // the box as the object its events come to
  std::vector<std::pair<const QWidget*, std::type_index>> contenedores_;
  ReglaNumerica regla_;
  QString& textoanterior_;
  std::function<void()> al_editar_;
  QString vigente_;         // the box's text as the last change left it
  bool tecleado_ = false;   // the change under way comes from the user
};

// A box's text as it is stored on losing focus or in a problem file: a
// numeric text as "####0.000", any other text ("", "-") unchanged.
QString formato_caja(const QString& texto);

}  // namespace plataforma
