#include "engines/motor.hpp"

#include <bit>
#include <cstdint>
#include <iomanip>

#include "calculos/matrices.hpp"
#include "problema/gendat.hpp"

namespace prueba {

Motor::Motor() : m(io::Consola(consola), (dir / "idioma.lng").string()) {
    dir.escribir("idioma.lng", idioma_de_prueba());
    m.leer_seccion();
}

problema::Problema Motor::leer(const ProblemaPrueba& p, const problema::Reglas& r) {
    std::istringstream is(texto_problema(p));
    io::Fuente f = io::Fuente::flujo(is, "p.dat");
    return problema::leer_problema(f, m, r);
}

calculos::Trabajo Motor::construir(const problema::Problema& p) {
    calculos::Trabajo t(p);
    problema::SegmentoRecordado s;
    problema::GENDAT(p, t.XMALLA, t.VMALLA, p.NPUNTOS, m, -1, s);
    calculos::construir_matrices(p, t, m);
    return t;
}

calculos::Trabajo Motor::calcular(const problema::Problema& p, long limite) {
    calculos::Trabajo t = construir(p);
    io::Consola c(consola);
    calculos::JACOBI(p.NBASE, t.HAM, t.VECT, t.ENER, calculos::umbral_relativo(p.NBASE, t.HAM, 1e-7), -1, c,
                     {limite, nullptr});
    return t;
}

namespace {
bool iguales(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }
} // namespace

::testing::AssertionResult mismos_bits(const problema::Matriz& a, const problema::Matriz& b) {
    if (a.orden() != b.orden())
        return ::testing::AssertionFailure() << "orders " << a.orden() << " and " << b.orden();
    for (int j = 1; j <= a.orden(); ++j)
        for (int i = 1; i <= a.orden(); ++i)
            if (!iguales(a(i, j), b(i, j)))
                return ::testing::AssertionFailure()
                       << std::setprecision(17) << "element (" << i << ", " << j << "): " << a(i, j) << " and " << b(i, j);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult mismos_bits(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) return ::testing::AssertionFailure() << "sizes " << a.size() << " and " << b.size();
    for (size_t k = 0; k < a.size(); ++k)
        if (!iguales(a[k], b[k]))
            return ::testing::AssertionFailure() << std::setprecision(17) << "element " << k + 1 << ": " << a[k] << " and " << b[k];
    return ::testing::AssertionSuccess();
}

} // namespace prueba
