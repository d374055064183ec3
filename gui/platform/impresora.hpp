#pragma once
// The printer: one job at a time, positions in twips from the top left
// corner of the printable area. Printing a text leaves the position behind
// it; ending a line puts CurrentX back to 0 and moves CurrentY one line
// down. A job begins with its first output and ends with EndDoc, or is
// abandoned by KillDoc; a NewPage that nothing follows adds no page.
#include <QFont>
#include <QImage>
#include <QString>
#include <atomic>
#include <memory>
#include <vector>

namespace plataforma {

class Progreso;

// How a print job ended, for the caller to tell the user.
struct FinTrabajo {
  enum Estado {
    Impreso,    // on the printer
    EnFichero,  // not on a printer (see causa): written to the file `destino`
    Fallo,      // the printer or the file `destino` failed
    Abandonado  // KillDoc, or cancelled while the print server was awaited: nothing printed, no file replaced
  } estado = Impreso;
  // EnFichero: why the job did not go to a printer.
  enum Causa {
    SinImpresora,  // the machine has none
    SinRespuesta,  // the print server did not answer in time
    SinConexion    // the print server could not be asked
  } causa = SinImpresora;
  QString destino;
  QString motivo;  // Fallo, SinRespuesta, SinConexion: why, when the printer or the system says
};

class Impresora {
 public:
  virtual ~Impresora() = default;

  // Set-up of the job; 9 is A4.
  void setPaperSize(int codigo) { papel_ = codigo; }
  int PaperSize() const { return papel_; }
  void setFontName(const QString& nombre) { letra_.setFamily(nombre); }
  void setFontSize(double puntos) { letra_.setPointSizeF(puntos); }
  const QFont& Font() const { return letra_; }

  double CurrentX = 0;
  double CurrentY = 0;

  // The printable width and height of the page.
  virtual double ScaleWidth() const = 0;
  virtual double ScaleHeight() const = 0;
  // The printed size of a text in the current font.
  virtual double TextWidth(const QString& texto) const = 0;
  virtual double TextHeight(const QString& texto) const = 0;

  // The number of the page being printed, from 1.
  int Page() const { return pagina_; }

  void Print(const QString& texto);
  void FinLinea();
  void NewPage();
  FinTrabajo EndDoc();
  // Abandons the job: what it printed so far goes nowhere.
  void KillDoc();
  // A picture at its own size on screen, its top left corner at (x, y).
  void PaintPicture(const QImage& imagen, double x, double y);
  // A picture stretched to ancho by alto twips, its top left corner at (x, y).
  void PaintPicture(const QImage& imagen, double x, double y, double ancho, double alto);

  // The window of the job being printed, and the text it shows while the
  // printer waits for its print server: there the user can cancel the job.
  // nullptr: the printer waits in a window of its own.
  void fijar_progreso(Progreso* progreso, const QString& texto_espera) {
    progreso_ = progreso;
    texto_espera_ = texto_espera;
  }

 protected:
  Progreso* progreso_ = nullptr;
  QString texto_espera_;

  // The back end's own output. Each is called inside a job, on the current page.
  virtual void texto(double x, double y, const QString& texto) = 0;
  virtual void imagen(double x, double y, double ancho, double alto, const QImage& imagen) = 0;
  virtual void pagina_siguiente() = 0;
  virtual FinTrabajo fin_trabajo() = 0;
  virtual void abandonar_trabajo() = 0;

 private:
  void salida();
  void reiniciar();

  int papel_ = 9;
  QFont letra_;
  int pagina_ = 1;
  bool en_trabajo_ = false;
  bool pagina_pendiente_ = false;
};

// The printer the program prints on: the system's, unless replaced.
Impresora& Printer();
// Replaces the printer (tests); nullptr goes back to the system's.
void fijar_impresora(std::unique_ptr<Impresora> impresora);

// The print queue of the machine's default printer. It takes a job only
// whole, as one PDF file of all its pages, so that a job abandoned on the
// way never reaches it. Its calls may talk to a print server that takes its
// time or never answers: the system printer makes them on a thread of their
// own and waits for them while the window's events go on. Each call may come
// on another thread, and several at once. `abandonada` is set once the
// caller no longer waits for the call (the user cancelled, or the server
// took too long): the call may then end as soon as it can, its answer unread.
class ColaImpresion {
 public:
  virtual ~ColaImpresion() = default;
  struct Destino {
    QString nombre;  // the default printer; "" when the machine has none
    QString error;   // not "" when the print server could not be asked: why
  };
  virtual Destino destino(const std::atomic<bool>& abandonada) = 0;
  // Hands the PDF file to the printer of that name as one job titled
  // titulo, on paper of the given code (9 A4, 1 Letter); the file stays
  // while the call lasts and may go once it returns. "" when the printer
  // took it, otherwise why not.
  virtual QString enviar(const QString& impresora, const QString& fichero, const QString& titulo, int papel,
                         const std::atomic<bool>& abandonada) = 0;
  // The print server the queue talks to, as the user would name it.
  virtual QString servidor() { return {}; }
};

// The queue the system printer hands its jobs to: the CUPS server's
// (CUPS_SERVER, or the machine's own), unless replaced. The calls under way
// keep the queue they were made on.
std::shared_ptr<ColaImpresion> cola_impresion();
// Replaces the queue (tests); nullptr goes back to the system's.
void fijar_cola_impresion(std::unique_ptr<ColaImpresion> cola);

// The machine's default printer. Every job is painted into a PDF file first:
// a complete job goes to the print queue as that one file, and an abandoned
// one goes nowhere. With no printer installed, or when asked to, a job goes
// to a PDF file in the program folder instead: written under a temporary
// name and put in place of the former file only when the job is complete.
class ImpresoraSistema : public Impresora {
 public:
  explicit ImpresoraSistema(bool siempre_pdf = false);
  ~ImpresoraSistema() override;

  // The PDF file a job without a printer goes to.
  static QString fichero_pdf();
  // How long the print server is awaited at each call, in milliseconds
  // (20 s; tests shorten it). A server that takes longer is told, and the
  // job goes to the PDF file instead.
  static int limite_servidor();
  static void fijar_limite_servidor(int milisegundos);

  double ScaleWidth() const override;
  double ScaleHeight() const override;
  double TextWidth(const QString& texto) const override;
  double TextHeight(const QString& texto) const override;

 protected:
  void texto(double x, double y, const QString& texto) override;
  void imagen(double x, double y, double ancho, double alto, const QImage& imagen) override;
  void pagina_siguiente() override;
  FinTrabajo fin_trabajo() override;
  void abandonar_trabajo() override;

 private:
  struct Trabajo;
  Trabajo& trabajo();
  void buscar_impresora(Trabajo& t);
  void enviar(Trabajo& t, FinTrabajo& fin);
  // Keeps the complete job of a printer as the program folder's PDF file.
  void guardar_en_pdf(Trabajo& t, FinTrabajo& fin);
  bool siempre_pdf_;
  std::unique_ptr<Trabajo> trabajo_;
};

// Records every output for tests. Letters are fixed-pitch: each character
// is 0.6 em wide, a line 1.2 em high (Courier New 10: 120 by 240 twips).
class ImpresoraGrabadora : public Impresora {
 public:
  ImpresoraGrabadora(double ancho = 11000, double alto = 16000) : ancho_(ancho), alto_(alto) {}

  struct Orden {
    enum Tipo { Texto, Imagen, Pagina, Fin, Abandono } tipo = Texto;
    double x = 0, y = 0;
    QString texto;            // Texto
    double ancho = 0, alto = 0;  // Imagen: its size in twips
    QImage imagen;            // Imagen
    int pagina = 0;           // the page it stands on
    int papel = 0;            // the paper size of the job
    QFont letra;              // Texto: the font
  };
  std::vector<Orden> ordenes;

  double ScaleWidth() const override { return ancho_; }
  double ScaleHeight() const override { return alto_; }
  double TextWidth(const QString& texto) const override;
  double TextHeight(const QString& texto) const override;

 protected:
  void texto(double x, double y, const QString& texto) override;
  void imagen(double x, double y, double ancho, double alto, const QImage& imagen) override;
  void pagina_siguiente() override;
  FinTrabajo fin_trabajo() override;
  void abandonar_trabajo() override;

 private:
  Orden orden(Orden::Tipo tipo, double x, double y) const;
  double ancho_, alto_;
  int pagina_grabada_ = 1;
};

}  // namespace plataforma
