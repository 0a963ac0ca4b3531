// A file written whole or not at all: the bytes go to a temporary file
// beside the destination, which takes the destination's name only when
// every byte is written, so a failed write never leaves half a file where
// the user asked for one, nor harms a file already there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kinfold {

class OutputFile {
   public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Starts writing for `path` (bytes, passed to the system unchanged).
    bool Create(std::string_view path);
    // Appends `bytes`; a failure is kept and reported by Commit.
    void Write(std::string_view bytes) {
        if (handle_ == kNoHandle || failed_) return;
        buffer_.append(bytes);
        if (buffer_.size() >= kBufferBytes) Flush();
    }
    // Gives the written file its name; false, with the file removed, when
    // anything went wrong since Create.
    bool Commit();
    // Why the last Create or Commit failed, as the system says it.
    const std::string& Failure() const { return failure_; }

   private:
    void Flush();
    void Discard();
    // Marks the file failed with what the system says of its last error.
    void Fail();

    // Each platform's own: opens a new temporary file beside path_ (naming
    // it in temporaryPath_), closes handle_ and sets it to kNoHandle, gives
    // the temporary file path_'s name, removes it, and words the system's
    // last error.
    bool OpenTemporary();
    bool CloseFile();
    bool MoveIntoPlace();
    void RemoveTemporary();
    static std::string SystemFailure();

    static constexpr intptr_t kNoHandle = -1;
    static constexpr size_t kBufferBytes = 1 << 20;
    intptr_t handle_ = kNoHandle;
    std::string path_;
    std::string temporaryPath_;
    std::string buffer_;
    std::string failure_;
    bool failed_ = false;
};

}  // namespace kinfold
