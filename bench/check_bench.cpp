// Runs the checker of kinfold check over a GEDCOM file and prints how fast:
// MB/s and lines per second of the best run, the problems found and the peak
// resident memory (the pass keeps only the index of IDs and pointers).
//
//     check_bench FILE [REPEATS]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "check/file_check.h"
#include "platform/process_memory.h"
#include "platform/raw_file.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: check_bench FILE [REPEATS]\n");
        return 2;
    }
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 1;
    kinfold::RawFile file;
    if (!file.Open(argv[1])) {
        std::fprintf(stderr, "check_bench: cannot open %s\n", argv[1]);
        return 1;
    }
    const double megabytes = static_cast<double>(file.Size()) / 1e6;
    double best = 1e30;
    kinfold::cli::CheckResult result;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        result = kinfold::cli::CheckFile(argv[1]);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (seconds < best) best = seconds;
    }
    if (!result.unreadable.empty()) {
        std::fprintf(stderr, "check_bench: %s %s\n", argv[1], result.unreadable.c_str());
        return 1;
    }
    std::printf("file: %s (%.1f MB, %u lines)\n", argv[1], megabytes, result.lines);
    std::printf("check: %.3f s, %.1f MB/s, %.0f lines/s (best of %d)\n", best, megabytes / best,
                result.lines / best, repeats);
    std::printf("problems: %zu\n", result.problems.size());
    std::printf("peak resident memory: %.1f MB\n", kinfold::PeakResidentBytes() / 1e6);
    return 0;
}
