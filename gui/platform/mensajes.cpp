#include "platform/mensajes.hpp"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include "platform/app.hpp"

namespace plataforma {

namespace {

GuionMsgBox guion;

// A box whose buttons are Yes and No only: neither Escape nor a close
// request answers it.
class SinSalida : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject*, QEvent* evento) override {
    if (evento->type() == QEvent::Close) {
      evento->ignore();
      return true;
    }
    if (evento->type() == QEvent::KeyPress || evento->type() == QEvent::ShortcutOverride)
      return static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Escape;
    return false;
  }
};

QMessageBox::Icon icono(int estilo) {
  switch (estilo & 0x70) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

void fijar_guion_msgbox(GuionMsgBox g) { guion = std::move(g); }

int MsgBox(const QString& texto, int estilo, const std::optional<QString>& titulo, QWidget* dueno) {
  const QString caption = titulo.value_or(App::Title);
  if (guion) return guion(texto, estilo, caption);

  // An empty caption shows the program's title, not the executable's name.
  QMessageBox caja(icono(estilo), caption.isEmpty() ? App::Title : caption, texto, QMessageBox::NoButton,
                   dueno != nullptr ? dueno : QApplication::activeWindow());
  struct Boton {
    QMessageBox::StandardButton boton;
    int respuesta;
  };
  std::vector<Boton> botones;
  switch (estilo & 0x0F) {
    case vbOKCancel: botones = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
    case vbYesNoCancel:
      botones = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
      break;
    case vbYesNo: botones = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
    default: botones = {{QMessageBox::Ok, vbOK}}; break;
  }
  for (const Boton& b : botones) caja.addButton(b.boton);
  // The first button is the default; Escape answers Cancel, or OK on a box
  // that has only OK. A Yes/No box has no Escape answer.
  // Closing the box answers as Escape does.
  caja.setDefaultButton(botones.front().boton);
  SinSalida sin_salida;
  if (botones.back().respuesta == vbCancel) {
    caja.setEscapeButton(QMessageBox::Cancel);
  } else if (botones.size() == 1) {
    caja.setEscapeButton(QMessageBox::Ok);
  } else {
    caja.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    caja.installEventFilter(&sin_salida);
  }
  caja.exec();
  const auto pulsado = caja.standardButton(caja.clickedButton());
  for (const Boton& b : botones)
    if (b.boton == pulsado) return b.respuesta;
  // Closed without a button: the Escape answer, No on a Yes/No box.
  return botones.back().respuesta;
}

void aviso_no_escrito(const QString& ruta, const QString& motivo, const std::optional<QString>& titulo) {
  MsgBox("No se puede escribir el archivo / The file cannot be written:\n" + QDir::toNativeSeparators(ruta) + "\n" +
             motivo,
         vbCritical, titulo);
}

}  // namespace plataforma
