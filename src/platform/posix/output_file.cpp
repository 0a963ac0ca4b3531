#include "platform/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kinfold {

OutputFile::~OutputFile() { Discard(); }

bool OutputFile::Create(std::string_view path) {
    Discard();
    failed_ = false;
    failure_.clear();
    if (path.empty() || path.find('\0') != std::string_view::npos) {
        failure_ = "no such file name";
        return false;
    }
    path_.assign(path);
    temporaryPath_ = path_ + ".kinfold-XXXXXX";
    const int fd = ::mkstemp(temporaryPath_.data());
    if (fd < 0) {
        failure_ = std::strerror(errno);
        temporaryPath_.clear();
        return false;
    }
    ::fchmod(fd, 0644);
    handle_ = fd;
    buffer_.reserve(kBufferBytes);
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

bool OutputFile::Commit() {
    if (handle_ == kNoHandle) return false;
    Flush();
    if (::close(static_cast<int>(handle_)) != 0 && !failed_) {
        failed_ = true;
        failure_ = std::strerror(errno);
    }
    handle_ = kNoHandle;
    if (!failed_ && std::rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
        failed_ = true;
        failure_ = std::strerror(errno);
    }
    if (failed_) {
        Discard();
        return false;
    }
    temporaryPath_.clear();
    return true;
}

void OutputFile::Discard() {
    if (handle_ != kNoHandle) ::close(static_cast<int>(handle_));
    handle_ = kNoHandle;
    if (!temporaryPath_.empty()) ::unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
    buffer_.clear();
}

}  // namespace kinfold
