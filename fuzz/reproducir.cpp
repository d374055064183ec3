// Runs a fuzz target without libFuzzer: every file named on the command line,
// and every file of every folder named, is given to the target once, in name
// order. The sanitizer build and the tests use it to replay the seeds and the
// inputs that once broke a reader.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    std::vector<fs::path> ficheros;
    for (int i = 1; i < argc; ++i) {
        const fs::path p(argv[i]);
        if (fs::is_directory(p)) {
            for (const auto& e : fs::recursive_directory_iterator(p))
                if (e.is_regular_file()) ficheros.push_back(e.path());
        } else {
            ficheros.push_back(p);
        }
    }
    std::sort(ficheros.begin(), ficheros.end());
    for (const fs::path& p : ficheros) {
        std::ifstream f(p, std::ios::binary);
        if (!f) {
            std::fprintf(stderr, "%s: cannot be read\n", p.c_str());
            return 1;
        }
        const std::vector<char> bytes{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs, no fault\n", ficheros.size());
    return 0;
}
