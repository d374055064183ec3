#include "platform/consola.hpp"

#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>

namespace plataforma {

namespace {
VentanaConsola* instancia_ = nullptr;
}

VentanaConsola& VentanaConsola::instancia() {
  if (instancia_ == nullptr) instancia_ = new VentanaConsola();
  return *instancia_;
}

bool VentanaConsola::cargada() { return instancia_ != nullptr; }

void VentanaConsola::destruir() {
  delete instancia_;
  instancia_ = nullptr;
}

VentanaConsola::VentanaConsola() : QPlainTextEdit(nullptr) {
  setObjectName("consola");
  setWindowFlag(Qt::Window);
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  // In the lower right corner of the screen, clear of the main window's
  // menus and toolbar when it is raised in front of them.
  QRect lugar(0, 0, 640, 360);
  if (const QScreen* pantalla = QGuiApplication::primaryScreen()) {
    const QRect disponible = pantalla->availableGeometry();
    constexpr int borde = 8;  // room for the window manager's border
    lugar.moveBottomRight(disponible.bottomRight() - QPoint(borde, borde));
    lugar = lugar.intersected(disponible);
  }
  setGeometry(lugar);
}

void VentanaConsola::empezar(const QString& titulo, const QString& programa, int estilo) {
  clear();
  const QString nombre = QFileInfo(programa).fileName();
  setWindowTitle(titulo.isEmpty() ? nombre : titulo + " - " + nombre);
  if (estilo == 0) return;
  const bool con_foco = estilo >= 1 && estilo <= 3;
  setAttribute(Qt::WA_ShowWithoutActivating, !con_foco);
  switch (estilo) {
    case 2:
    case 6: showMinimized(); break;
    case 3: showMaximized(); break;
    default: showNormal(); break;
  }
  if (con_foco) {
    raise();
    activateWindow();
  }
}

void VentanaConsola::mostrar_delante() {
  setAttribute(Qt::WA_ShowWithoutActivating, false);
  if (isMinimized() || !isVisible()) showNormal();
  raise();
  activateWindow();
}

void VentanaConsola::anadir(const QString& texto) {
  QString limpio = texto;
  limpio.remove('\r');
  if (limpio.isEmpty()) return;
  QScrollBar* barra = verticalScrollBar();
  const bool al_final = barra->value() == barra->maximum();
  QTextCursor c(document());
  c.movePosition(QTextCursor::End);
  c.insertText(limpio);
  if (al_final) barra->setValue(barra->maximum());
}

}  // namespace plataforma
