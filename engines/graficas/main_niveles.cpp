#include <iostream>
#include <string>
#include <vector>

#include "graficas/programas.hpp"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return niveles::ejecutar(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout, std::cerr);
}
