#include "platform/output_file.h"

#include <string>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace kinfold {

namespace {

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

std::string SystemMessage(DWORD code) {
    char text[256] = {};
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                         0, text, sizeof text, nullptr);
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(code) : message;
}

}  // namespace

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
    temporaryPath_ = path_ + ".kinfold-" + std::to_string(::GetCurrentProcessId()) + "-" +
                     std::to_string(::GetTickCount());
    const HANDLE file = ::CreateFileA(temporaryPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        failure_ = SystemMessage(::GetLastError());
        temporaryPath_.clear();
        return false;
    }
    handle_ = reinterpret_cast<intptr_t>(file);
    buffer_.reserve(kBufferBytes);
    return true;
}

void OutputFile::Flush() {
    for (size_t done = 0; done < buffer_.size() && !failed_;) {
        DWORD written = 0;
        const size_t left = buffer_.size() - done;
        const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        if (!::WriteFile(AsHandle(handle_), buffer_.data() + done, chunk, &written, nullptr) ||
            written == 0) {
            failed_ = true;
            failure_ = SystemMessage(::GetLastError());
            break;
        }
        done += written;
    }
    buffer_.clear();
}

bool OutputFile::Commit() {
    if (handle_ == kNoHandle) return false;
    Flush();
    if (!::CloseHandle(AsHandle(handle_)) && !failed_) {
        failed_ = true;
        failure_ = SystemMessage(::GetLastError());
    }
    handle_ = kNoHandle;
    if (!failed_ &&
        !::MoveFileExA(temporaryPath_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        failed_ = true;
        failure_ = SystemMessage(::GetLastError());
    }
    if (failed_) {
        Discard();
        return false;
    }
    temporaryPath_.clear();
    return true;
}

void OutputFile::Discard() {
    if (handle_ != kNoHandle) ::CloseHandle(AsHandle(handle_));
    handle_ = kNoHandle;
    if (!temporaryPath_.empty()) ::DeleteFileA(temporaryPath_.c_str());
    temporaryPath_.clear();
    buffer_.clear();
}

}  // namespace kinfold
