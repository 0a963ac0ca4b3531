#include "platform/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kinfold {

bool OutputFile::OpenTemporary() {
    temporaryPath_ = path_ + ".kinfold-XXXXXX";
    const int fd = ::mkstemp(temporaryPath_.data());
    if (fd < 0) return false;
    ::fchmod(fd, 0644);
    handle_ = fd;
    return true;
}

void OutputFile::Flush() {
    for (size_t done = 0; done < buffer_.size() && !failed_;) {
        const ssize_t written =
            ::write(static_cast<int>(handle_), buffer_.data() + done, buffer_.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            failed_ = true;
            failure_ = written < 0 ? std::strerror(errno) : "nothing written";
            break;
        }
        done += static_cast<size_t>(written);
    }
    buffer_.clear();
}

bool OutputFile::CloseFile() {
    const bool closed = ::close(static_cast<int>(handle_)) == 0;
    handle_ = kNoHandle;
    return closed;
}

bool OutputFile::MoveIntoPlace() { return std::rename(temporaryPath_.c_str(), path_.c_str()) == 0; }

void OutputFile::RemoveTemporary() { ::unlink(temporaryPath_.c_str()); }

std::string OutputFile::SystemFailure() { return std::strerror(errno); }

}  // namespace kinfold
