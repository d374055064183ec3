#pragma once
// The problem being edited and the values that several windows share, as
// process-wide data that live for the whole run.
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace plataforma {
class FicheroLectura;
}

namespace global {

struct tvertice {
  double x = 0;
  double y = 0;
};

// A growable list of points indexed from 1. Its storage outlives a count set
// to 0; redim_preserve keeps the contents when the size changes.
class lista_vertices {
 public:
  tvertice& operator()(int i) { return puntos_.at(static_cast<std::size_t>(i - 1)); }
  const tvertice& operator()(int i) const { return puntos_.at(static_cast<std::size_t>(i - 1)); }
  void redim_preserve(int n) { puntos_.resize(static_cast<std::size_t>(n < 0 ? 0 : n)); }
  int ubound() const { return static_cast<int>(puntos_.size()); }

 private:
  std::vector<tvertice> puntos_;
};

// Thirteen coefficients indexed -6 to 6.
class coeficientes_zona {
 public:
  double& operator()(int k) { return c_.at(static_cast<std::size_t>(k + 6)); }
  double operator()(int k) const { return c_.at(static_cast<std::size_t>(k + 6)); }

 private:
  std::array<double, 13> c_{};
};

struct tzona {
  double xini = 0;
  double xfin = 0;
  std::int16_t tipo = 0;  // 0 constant, 1 polygonal, 2 vibration, 3 power series
  std::int16_t nvertices = 0;
  lista_vertices vertices;
  coeficientes_zona coeficientes;
  double x0 = 0;
  tvertice minimo_zona;
  tvertice maximo_zona;
  std::int16_t ncurva = 0;
  lista_vertices curva;
};

inline std::array<tzona, 10> zonas;
inline std::int16_t nzonas = 0;
inline std::int16_t zona_actual = 0;
inline bool modificado = false;
inline QString archivo;

// The shared message box: set mensaje, estilo and titulo_mensaje, call
// preguntar(), then test respuesta.
inline QString mensaje;
inline QString titulo_mensaje;
inline std::int16_t estilo = 0;
inline std::int16_t respuesta = 0;
void preguntar();

// Next token of a text file: the characters that follow at least one blank,
// up to the next blank (consumed) or the line end (CR and the character after
// it; a lone LF also ends the line). A first character that follows no blank
// is dropped. Reading past the end throws plataforma::ErrorLectura.
QString leepalabra(plataforma::FicheroLectura& fichero);

// Lower-left and upper-right corners of puntos(1) to puntos(n); puntos(1)
// must exist.
void extremos(int n, const lista_vertices& puntos, tvertice& minimo, tvertice& maximo);

}  // namespace global
