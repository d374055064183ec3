#pragma once
// A read-only box for long plain texts (reports of hundreds of megabytes):
// it keeps the file's Windows-1252 bytes as they are, one byte a character,
// with the start of each line, and draws only the lines in view, in its
// font (a fixed-pitch one). The arrows, Page Up and Page Down, Home and End
// move the view; Ctrl+Home and Ctrl+End go to the start and the end. The
// mouse selects text (a drag; a double click a word; Shift with a click
// extends), Ctrl+A selects all, Ctrl+C or Ctrl+Insert copies the selection.
#include <QAbstractScrollArea>
#include <QByteArray>
#include <compare>
#include <QString>
#include <vector>

namespace plataforma {

class TextoLargo : public QAbstractScrollArea {
 public:
  explicit TextoLargo(QWidget* padre = nullptr);

  // Shows the text of a file's bytes (CR LF, CR or LF end a line). The box
  // keeps the bytes themselves.
  void cargar(QByteArray bytes);
  // Frees the text.
  void clear();

  // The text with its lines joined by line feeds.
  QString toPlainText() const;
  qsizetype lineas() const { return static_cast<qsizetype>(inicios_.size()); }
  // Line i (from 0) as shown, tabs expanded.
  QString linea(qsizetype i) const;
  // The first line in view.
  qsizetype primera_visible() const;

  // A place in the text: a line and a column of the line as shown.
  struct Lugar {
    qsizetype linea = 0;
    qsizetype columna = 0;
    auto operator<=>(const Lugar&) const = default;
  };
  void seleccionar(Lugar desde, Lugar hasta);
  void selectAll();
  // The selected text as shown, its lines joined by line feeds.
  QString selectedText() const;
  void copy() const;
  bool isReadOnly() const { return true; }

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void resizeEvent(QResizeEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
  void mousePressEvent(QMouseEvent* evento) override;
  void mouseMoveEvent(QMouseEvent* evento) override;
  void mouseReleaseEvent(QMouseEvent* evento) override;
  void mouseDoubleClickEvent(QMouseEvent* evento) override;
  void changeEvent(QEvent* evento) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  QByteArrayView bytes_linea(qsizetype i) const;
  void ajustar_barras();
  int alto_linea() const;
  int ancho_caracter() const;
  Lugar lugar_en(QPoint punto) const;
  Lugar fin_del_texto() const;


  QByteArray bytes_;
  std::vector<qsizetype> inicios_;  // the start of each line in bytes_
  qsizetype columnas_ = 0;          // the longest line, tabs expanded
  Lugar ancla_, cursor_;            // the selection lies between them
  bool arrastrando_ = false;
};

}  // namespace plataforma
