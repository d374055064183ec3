#pragma once
// The main window: an MDI parent with the menus, the toolbar and the status
// bar; it names the current problem in its caption, keeps the toolbar in step
// with the problem's state, stores its placement and routes every command.
#include <QMainWindow>
#include <QString>
#include <vector>

#include "platform/dialogos.hpp"
#include "platform/ficheros.hpp"

namespace problema_texto {
struct Problema;
}

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QStatusBar;
class QTimer;
class QToolBar;

class frmMain : public QMainWindow {
  Q_OBJECT

 public:
  // The one main window, created and loaded on first use.
  static frmMain& instancia();
  static bool cargado();
  // Destroys the window without unloading it (end of the program, tests).
  static void destruir();

  // The file that Save writes and the engines read: the one archivo was
  // resolved to, or archivo itself when it was set otherwise.
  QString fichero_en_disco() const;
  // When the problem file on disk is no longer the one opened or saved,
  // says so with the text of key clave and the file's name; true then.
  bool avisar_si_cambiado(int clave);

  // Controls.
  QMdiArea* mdiArea;
  QMenu* mnuFile;
  QAction* mnuFileNew;
  QAction* mnuFileOpen;
  QAction* mnuFileBar0;
  QAction* mnuFileSave;
  QAction* mnuFileSaveAs;
  QAction* mnuFileBar1;
  QAction* mnuFilePrint;
  QAction* mnuFileBar2;
  QAction* mnuFileExit;
  QMenu* mnuView;
  QAction* mnuViewToolbar;
  QAction* mnuViewStatusBar;
  QMenu* mnuidioma;
  QMenu* mnuWindow;
  QAction* mnuWindowNewWindow;
  QAction* mnuWindowBar0;
  QAction* mnuWindowCascade;
  QAction* mnuWindowTileHorizontal;
  QAction* mnuWindowTileVertical;
  QAction* mnuWindowArrangeIcons;
  QMenu* mnuHelp;
  QAction* mnuHelpContents;
  QAction* mnuHelpBar0;
  QAction* mnuHelpAbout;
  QToolBar* tbToolBar;
  QStatusBar* sbStatusBar;
  plataforma::DialogoComun dlgCommonDialog;

  // Item Index (from 1) of the language menu. The window is created with ten
  // hidden items; asking for a further one adds it, so the menu can hold any
  // number of languages.
  QAction* mnuidiomas(int Index);
  int mnuidiomas_Count() const { return static_cast<int>(idiomas_.size()); }
  // Toolbar button by key ("Nuevo", "Abrir", ...); nullptr for no such key.
  QAction* tbToolBar_Buttons(const QString& Key) const;
  // Status bar panel 1 (text), 2 (date) or 3 (time).
  QLabel* sbStatusBar_Panels(int Index) const;

  // Placement in twips.
  double Left() const;
  double Top() const;
  double Width() const;
  double Height() const;
  void colocar(double left, double top, double width, double height);

  // Public operations.
  void cambia_titulo();
  void salir();
  void mostrar_edicion(int modo);
  void escribir_archivo_pantalla(const QString& ruta);
  void editar_datos();
  void editar_resultados();
  void editar_graficos();
  void Arrange(int estilo);

  // Problem files. escribir_datos writes the whole problem to the file at
  // ruta; false, with a message and the problem still marked modified, when
  // the file cannot be written. abrirfichero loads a file chosen in the Open
  // dialog; true when it was loaded completely.
  bool escribir_datos(const QString& ruta);
  static QString leedato(const QString& linea);
  bool abrirfichero();
  void guardar_fichero(QString& ruta);
  void inicializar();

  // Event handlers.
  void MDIForm_Load();
  void MDIForm_Unload();
  void tbToolBar_ButtonClick(QAction* Button);
  void mnuidiomas_Click(int Index);
  void mnuFileNew_Click();
  void mnuFileOpen_Click();
  void mnuFileSave_Click();
  void mnuFileSaveAs_Click();
  void mnuFilePrint_Click();
  void mnuFileExit_Click();
  void mnuViewToolbar_Click();
  void mnuViewStatusBar_Click();
  void mnuWindowNewWindow_Click();
  void mnuWindowCascade_Click();
  void mnuWindowTileHorizontal_Click();
  void mnuWindowTileVertical_Click();
  void mnuWindowArrangeIcons_Click();
  void mnuHelpContents_Click();
  void mnuHelpAbout_Click();

 protected:
  void closeEvent(QCloseEvent* evento) override;
  void changeEvent(QEvent* evento) override;
  void moveEvent(QMoveEvent* evento) override;
  void resizeEvent(QResizeEvent* evento) override;

 private:
  frmMain();
  void crear_menus();
  void crear_barra();
  void crear_estado();
  void actualizar_reloj();
  void ejecutar();
  // The Exit question of a modified problem (Yes saves); false when the
  // program stays: the save was cancelled or failed.
  bool guardar_al_salir();
  // The Exit question is up.
  bool cerrando_ = false;
  // New's question about unsaved changes (Yes saves); false when the problem
  // stays: Cancel, or a save that was cancelled or failed.
  bool guardar_antes();
  // New with its question; false when the problem stays (Cancel, or a save
  // that did not happen).
  bool nuevo();
  // Puts a problem read from a file into the problem data and the
  // problem-data window; true when it was read completely. A value that its
  // box refuses ends the reading there, as p then tells.
  bool aplicar_problema(problema_texto::Problema& p);
  void habilitar(const QString& clave, bool habilitado);

  // The problem file as it was when it was last opened or saved: the name
  // it was given (archivo then) and the file that name was resolved to,
  // once, at Open or Save As.
  struct EnDisco {
    QString archivo;
    plataforma::Identidad identidad;
  };
  EnDisco en_disco_;
  // The file that now answers to that name on disk (actual) is no longer the
  // one opened or saved: written over, replaced, gone, or another whose
  // name differs only in case in its place.
  bool fichero_cambiado(plataforma::Identidad& actual) const;
  // Save of a problem that has a file: a file changed on disk is replaced
  // only after a question; false when nothing was written.
  bool guardar_en_su_fichero();
  // Writes the problem to the file fichero, under the name nombre, which
  // becomes archivo once the file holds it, and remembers the file written;
  // false when it cannot be written.
  bool escribir_en(QString nombre, const QString& fichero);
  // A name of the program's own in its folder is refused with a message;
  // true then.
  bool rechazar_nombre_propio(const QString& ruta);
  // Closes the views of what has gone stale: the results (the results and
  // graph-data dialogs, the graph window, the viewer of the report or its
  // reduced copy), the viewer of the problem file, or both.
  enum class Caducado { resultados, fichero, todo };
  void cerrar_vistas(Caducado que);
  // Counts the times the results went stale (cerrar_vistas of the results).
  int caducidades_ = 0;
  void mosaico(bool horizontal);

  // The twips last set, kept while the window stays where they put it, so
  // that placement survives the rounding to pixels.
  struct Colocacion {
    double left = 0, top = 0, width = 0, height = 0;
    QRect pixeles;
  };
  Colocacion colocacion_;
  // The placement of the normal window in twips, kept while the window is
  // maximised.
  void recordar_normal();
  struct Normal {
    double left = 0, top = 0, width = 0, height = 0;
  };
  Normal normal_;

  QString titulo_base_ = QStringLiteral("Tarvo-Olvex");
  std::vector<QAction*> idiomas_;  // item i at [i - 1]
  QLabel* panel_estado_;
  QLabel* panel_fecha_;
  QLabel* panel_hora_;
  QTimer* reloj_;
};
