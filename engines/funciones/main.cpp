#include <iostream>
#include <string>
#include <vector>

#include "funciones/ejecucion.hpp"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return funciones::ejecutar(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout, std::cerr);
}
