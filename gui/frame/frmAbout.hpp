#pragma once
// The about box: the program's title and texts, the system-information tool
// and the project's page.
#include <QDialog>
#include <QUrl>

class QLabel;
class QPushButton;

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  static frmAbout& instancia();
  static bool cargado();
  static void destruir();

  QLabel* lblTitle;
  QLabel* lblDescription;
  QLabel* lblVersion;
  QLabel* lblDisclaimer;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* lblweb;
  QPushButton* cmdSysInfo;
  QPushButton* cmdOK;

  // The project's page: acerca.html in the program folder.
  static QUrl direccion_web();

  // Shows the window modeless.
  void Show();

  void Form_Load();
  void cmdOK_Click();
  void cmdSysInfo_Click();
  void lblweb_Click();
  // Starts the desktop's system-information tool, or says that there is none.
  void StartSysInfo();

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  frmAbout();
  void crear_controles();
};
