#include "platform/output_file.h"

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
    if (!OpenTemporary()) {
        failure_ = SystemFailure();
        temporaryPath_.clear();
        return false;
    }
    buffer_.reserve(kBufferBytes);
    return true;
}

bool OutputFile::Commit() {
    if (handle_ == kNoHandle) return false;
    Flush();
    if (!CloseFile() && !failed_) Fail();
    if (!failed_ && !MoveIntoPlace()) Fail();
    if (failed_) {
        Discard();
        return false;
    }
    temporaryPath_.clear();
    return true;
}

void OutputFile::Fail() {
    failed_ = true;
    failure_ = SystemFailure();
}

void OutputFile::Discard() {
    if (handle_ != kNoHandle) CloseFile();
    if (!temporaryPath_.empty()) RemoveTemporary();
    temporaryPath_.clear();
    buffer_.clear();
}

}  // namespace kinfold
