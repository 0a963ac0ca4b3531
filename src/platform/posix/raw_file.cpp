#include "platform/raw_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/fault_injection.h"

namespace kinfold {

RawFile::~RawFile() { Close(); }

bool RawFile::Open(std::string_view path) {
    Close();
    // A NUL inside the path would silently name another file.
    if (path.empty() || path.find('\0') != std::string_view::npos) return false;
    const std::string terminated(path);
    int fd;
    do {
        fd = ::open(terminated.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return false;
    struct stat info;
    // Windows refuses to open a directory as a file; do the same here.
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return false;
    }
    handle_ = fd;
    size_ = static_cast<uint64_t>(info.st_size);
    return true;
}

void RawFile::Close() {
    if (handle_ == kNoHandle) return;
    ::close(static_cast<int>(handle_));
    handle_ = kNoHandle;
    size_ = 0;
}

uint64_t RawFile::CurrentSize() const {
    struct stat info;
    if (handle_ == kNoHandle || ::fstat(static_cast<int>(handle_), &info) != 0) return 0;
    return static_cast<uint64_t>(info.st_size);
}

size_t RawFile::ReadAt(uint64_t offset, char* buffer, size_t count) {
    if (handle_ == kNoHandle) return 0;
    count = fault::ReadLimit(count);
    const int fd = static_cast<int>(handle_);
    size_t done = 0;
    while (done < count) {
        const ssize_t got =
            ::pread(fd, buffer + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    return done;
}

}  // namespace kinfold
