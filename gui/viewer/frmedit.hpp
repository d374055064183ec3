#pragma once
// The text viewer: shows one text file (the problem file, the report or its
// reduced copy) read-only in a fixed-pitch font, and prints it on numbered
// pages with a two-line header. Printing and closing unload it.
#include <QString>
#include <QWidget>

#include "platform/texto_largo.hpp"

class QPushButton;

class frmedit : public QWidget {
  Q_OBJECT

 public:
  // The one viewer, created on first use.
  static frmedit& instancia();
  static bool cargado();
  static void destruir();
  ~frmedit() override;

  // Controls.
  plataforma::TextoLargo* rtxtdatos;
  QPushButton* btprint;
  QPushButton* btdaceptar;

  // The file-name property of rtxtdatos: setting it loads the file's text.
  // False, with the text left empty, when the file cannot be read; what is
  // no regular file (a named pipe, a device) is said so with a message.
  bool rtxtdatos_FileName(const QString& ruta);
  const QString& rtxtdatos_FileName() const { return fichero_; }

  // The name the second header line gives the file: the part of its path
  // after the last "/", less a three-letter extension and its point.
  static QString nombre_impreso(const QString& ruta);

  void Unload();

  // Event handlers.
  void btprint_Click();
  void btdaceptar_Click();

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  frmedit();
  QString fichero_;
};
