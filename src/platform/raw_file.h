// Read-only byte access to a file by offset. The reader keeps its own buffers
// and asks for whole blocks, so this layer stays thin: one system call per
// block and no file pointer of its own to keep in step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kinfold {

class RawFile {
 public:
    RawFile() = default;
    ~RawFile();
    RawFile(const RawFile&) = delete;
    RawFile& operator=(const RawFile&) = delete;

    // Opens `path` (bytes, passed to the system unchanged) for binary reading,
    // letting others read and write it meanwhile. Closes any file open before.
    bool Open(std::string_view path);
    void Close();
    bool IsOpen() const { return handle_ != kNoHandle; }

    // Size in bytes as it was when the file was opened.
    uint64_t Size() const { return size_; }
    // Size in bytes now, which others may have changed; 0 when it cannot be
    // told. One system call.
    uint64_t CurrentSize() const;

    // Reads up to `count` bytes at `offset`; fewer (or 0) at the end of the
    // file or on an error. The file may have shrunk since Open.
    size_t ReadAt(uint64_t offset, char* buffer, size_t count);

 private:
    // A descriptor on POSIX, a HANDLE on Windows; -1 is "none" for both.
    static constexpr intptr_t kNoHandle = -1;
    intptr_t handle_ = kNoHandle;
    uint64_t size_ = 0;
};

}  // namespace kinfold
