#include "temporary_name.h"

#include <filesystem>
#include <random>

namespace kinfold::cli {

std::string UnusedTemporaryName(const std::string& stem) {
    std::error_code failed;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(failed);
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (;;) {
        const std::filesystem::path path =
            (failed ? std::filesystem::path(".") : folder) /
            ("kinfold-" + stem + "-" + std::to_string(random() % 1000000000) + ".ged");
        if (!std::filesystem::exists(path)) return path.string();
    }
}

}  // namespace kinfold::cli
