#include "support/temp_file.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <system_error>

namespace kinfold::test {

namespace {

// Test runs may overlap (the native and the Wine suite, several builds), so
// names carry a random part as well as a counter.
std::string NextName(std::string_view extension) {
    static const unsigned long long runId = [] {
        std::random_device source;
        return (static_cast<unsigned long long>(source()) << 32) ^ source();
    }();
    static std::atomic<unsigned> counter{0};
    return "kinfold-" + std::to_string(runId) + "-" + std::to_string(counter++) +
           std::string(extension);
}

}  // namespace

std::string UnusedTempPath(std::string_view extension) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    for (;;) {
        const std::filesystem::path candidate = folder / NextName(extension);
        if (!std::filesystem::exists(candidate)) return candidate.string();
    }
}

TempFile::TempFile(std::string_view contents, std::string_view extension)
    : path_(UnusedTempPath(extension)) {
    Rewrite(contents);
}

TempFile::~TempFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

void TempFile::Rewrite(std::string_view contents) const {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    if (!out.flush()) throw std::runtime_error("cannot write test file " + path_);
}

}  // namespace kinfold::test
