#include "platform/raw_file.h"

#include <string>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace kinfold {

namespace {

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

RawFile::~RawFile() { Close(); }

bool RawFile::Open(std::string_view path) {
    Close();
    // A NUL inside the path would silently name another file.
    if (path.empty() || path.find('\0') != std::string_view::npos) return false;
    const std::string terminated(path);
    const HANDLE file =
        ::CreateFileA(terminated.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file, &size)) {
        ::CloseHandle(file);
        return false;
    }
    handle_ = reinterpret_cast<intptr_t>(file);
    size_ = static_cast<uint64_t>(size.QuadPart);
    return true;
}

void RawFile::Close() {
    if (handle_ == kNoHandle) return;
    ::CloseHandle(AsHandle(handle_));
    handle_ = kNoHandle;
    size_ = 0;
}

uint64_t RawFile::CurrentSize() const {
    LARGE_INTEGER size;
    if (handle_ == kNoHandle || !::GetFileSizeEx(AsHandle(handle_), &size)) return 0;
    return static_cast<uint64_t>(size.QuadPart);
}

size_t RawFile::ReadAt(uint64_t offset, char* buffer, size_t count) {
    if (handle_ == kNoHandle) return 0;
    size_t done = 0;
    while (done < count) {
        // The offset travels in the OVERLAPPED block, so no shared file pointer
        // is involved; on a synchronous handle the call still completes here.
        const uint64_t at = offset + done;
        OVERLAPPED where = {};
        where.Offset = static_cast<DWORD>(at & 0xFFFFFFFFu);
        where.OffsetHigh = static_cast<DWORD>(at >> 32);
        const size_t remaining = count - done;
        const DWORD chunk = remaining > 0x40000000u ? 0x40000000u : static_cast<DWORD>(remaining);
        DWORD got = 0;
        // Past the end ReadFile fails with ERROR_HANDLE_EOF; either way we stop.
        if (!::ReadFile(AsHandle(handle_), buffer + done, chunk, &got, &where) || got == 0) break;
        done += got;
    }
    return done;
}

}  // namespace kinfold
