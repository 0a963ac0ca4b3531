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

bool OutputFile::OpenTemporary() {
    temporaryPath_ = path_ + ".kinfold-" + std::to_string(::GetCurrentProcessId()) + "-" +
                     std::to_string(::GetTickCount());
    const HANDLE file = ::CreateFileA(temporaryPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<intptr_t>(file);
    return true;
}

void OutputFile::Flush() {
    for (size_t done = 0; done < buffer_.size() && !failed_;) {
        DWORD written = 0;
        const size_t left = buffer_.size() - done;
        const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        if (!::WriteFile(AsHandle(handle_), buffer_.data() + done, chunk, &written, nullptr) ||
            written == 0) {
            Fail();
            break;
        }
        done += written;
    }
    buffer_.clear();
}

bool OutputFile::CloseFile() {
    const bool closed = ::CloseHandle(AsHandle(handle_)) != FALSE;
    handle_ = kNoHandle;
    return closed;
}

bool OutputFile::MoveIntoPlace() {
    return ::MoveFileExA(temporaryPath_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

void OutputFile::RemoveTemporary() { ::DeleteFileA(temporaryPath_.c_str()); }

std::string OutputFile::SystemFailure() { return SystemMessage(::GetLastError()); }

}  // namespace kinfold
