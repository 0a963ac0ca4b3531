// Runs kinfold check's checker over the input as a file: whatever the bytes,
// it must report and return, never crash or read out of bounds.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "check/file_check.h"

namespace {

std::string inputPath;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* dir = std::getenv("TMPDIR");
    std::string pattern = std::string(dir != nullptr ? dir : "/tmp") + "/kinfold_check_XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) std::abort();
    close(fd);
    inputPath = pattern;
    std::atexit([] { unlink(inputPath.c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int fd = open(inputPath.c_str(), O_WRONLY | O_TRUNC);
    if (fd < 0 || write(fd, data, size) != static_cast<ssize_t>(size)) std::abort();
    close(fd);
    const kinfold::cli::CheckResult result = kinfold::cli::CheckFile(inputPath);
    // Every problem names a line of the file.
    for (const kinfold::cli::Problem& problem : result.problems)
        if (problem.line == 0 || problem.line > result.lines + 1 || problem.message.empty())
            std::abort();
    return 0;
}
