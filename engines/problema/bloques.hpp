#pragma once
// A run of indexes walked in blocks, as the matrix builders and the zone
// probabilities walk the samples of a zone.
#include <algorithm>

namespace problema {

// Calls f(inicio, cuantos) for the blocks of at most `bloque` (≥ 1)
// consecutive indexes that cover 0 to total − 1, in order. The counter is
// 64-bit: up to 2147483647 samples a zone, an int counter would overflow on
// its step past the last block.
template <class F>
void por_bloques(int total, int bloque, F&& f) {
    for (long long inicio = 0; inicio < total; inicio += bloque)
        f(static_cast<int>(inicio), static_cast<int>(std::min<long long>(bloque, total - inicio)));
}

} // namespace problema
