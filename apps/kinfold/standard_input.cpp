#include "standard_input.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "temporary_name.h"

namespace kinfold::cli {

StandardInputCopy::~StandardInputCopy() {
    if (!path_.empty()) std::remove(path_.c_str());
}

bool StandardInputCopy::Make(std::string* error) {
#ifdef _WIN32
    // Bytes as they are: text mode would turn CRLF into LF and stop at Ctrl-Z.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    path_ = UnusedTemporaryName("stdin");
    std::FILE* copy = std::fopen(path_.c_str(), "wb");
    if (copy == nullptr) {
        *error = "cannot copy standard input to " + path_ + ": " + std::strerror(errno);
        path_.clear();
        return false;
    }
    char buffer[65536];
    size_t read = 0;
    bool written = true;
    while (written && (read = std::fread(buffer, 1, sizeof(buffer), stdin)) > 0)
        written = std::fwrite(buffer, 1, read, copy) == read;
    const bool failedRead = std::ferror(stdin) != 0;
    written = std::fclose(copy) == 0 && written;
    if (failedRead || !written) {
        *error = failedRead
                     ? "cannot read standard input"
                     : "cannot copy standard input to " + path_ + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace kinfold::cli
