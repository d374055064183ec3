#pragma once
// Work arrays of the engines. Their sizes come from the problem; an array
// that cannot be created (its size overflows, it would not fit in the
// machine's memory, or the allocation fails) throws io::SinMemoria, which the
// engine reports as "INSUFFICIENT MEMORY".
#include <cstddef>
#include <span>
#include <vector>

namespace problema {

// n zeros; `n` is computed by the caller from 32-bit counts.
std::vector<double> reservar(long long n);
// a × b zeros, with the product checked for overflow.
std::vector<double> reservar(long long a, long long b);

// A square matrix of order n stored by columns, indexed from 1.
class Matriz {
public:
    Matriz() = default;
    explicit Matriz(int n) : n_(n), a_(reservar(n, n)) {}
    int orden() const { return n_; }
    double& operator()(int i, int j) { return a_[static_cast<size_t>(j - 1) * n_ + (i - 1)]; }
    double operator()(int i, int j) const { return a_[static_cast<size_t>(j - 1) * n_ + (i - 1)]; }
    double* datos() { return a_.data(); }
    const double* datos() const { return a_.data(); }
    std::span<const double> elementos() const { return a_; }

private:
    int n_ = 0;
    std::vector<double> a_;
};

} // namespace problema
