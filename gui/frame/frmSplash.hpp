#pragma once
// The start-up window: sets up the process, the language and the main window
// (loaded hidden), shows its texts for five ticks of a second, or until a
// click, and hands over to the main window.
#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

class frmSplash : public QWidget {
  Q_OBJECT

 public:
  // The start-up window, created and loaded (which starts the program) on first use.
  static frmSplash& instancia();
  static bool cargado();
  static void destruir();

  QFrame* fraMainFrame;
  QLabel* lblCompanyProduct;
  QLabel* lblProductName;
  QLabel* lblProductDescription;
  QLabel* lblPlatform;
  QLabel* lblWarning;
  QLabel* lblVersion;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Image1;
  QLabel* Image2;
  QTimer* Timer1;

  int ticks() const { return ticks_; }

  void Form_Load();
  void Timer1_Timer();
  void fraMainFrame_Click();

 private:
  frmSplash();
  void crear_controles();

  int ticks_ = 0;
  bool entregado_ = false;
  QString problema_idiomas_;
};
