#pragma once
// The potential sampler of both engines: in every zone, n equally spaced
// points from its left to its right limit, with the zone's potential there.
#include <span>

#include "ini/mensajes.hpp"
#include "problema/problema.hpp"

namespace problema {

// The polygonal segment the sampler remembers from point to point, zone to
// zone and call to call: its end abscissae and potentials. A power-series
// point keeps its two running sums in the storage of VA and VB.
struct SegmentoRecordado {
    double XA = 0.0, XB = 0.0, VA = 0.0, VB = 0.0;
};
// The engine's own remembered segment: all four zero when the engine starts.
SegmentoRecordado& segmento_recordado();

// Fills XMALLA and VMALLA (n · NZONAS values each; zone i owns positions
// (i − 1)·n to i·n − 1) with the abscissae and the potential of every zone.
// A point within 1e-8 of 0 of a power-series zone with a negative power
// writes key 1109 and throws io::Parada{estado_parada}; its abscissa is
// already stored. Without negative powers the series takes its constant
// term at 0.
void GENDAT(const Problema& p, std::span<double> XMALLA, std::span<double> VMALLA, int n, ini::Mensajes& m,
            int estado_parada, SegmentoRecordado& s = segmento_recordado());

namespace claves {
constexpr int origen_en_potencias = 1109;
} // namespace claves

} // namespace problema
