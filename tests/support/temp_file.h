// A file in the system's temporary folder holding the bytes a test gives it,
// removed again when the test is done with it.
#pragma once

#include <string>
#include <string_view>

namespace kinfold::test {

class TempFile {
 public:
    // Writes `contents` byte for byte (no line-end translation).
    explicit TempFile(std::string_view contents, std::string_view extension = ".ged");
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return path_; }
    // Replaces the whole contents; readers that hold the file open see the change.
    void Rewrite(std::string_view contents) const;

 private:
    std::string path_;
};

// A path in the temporary folder that names no existing file.
std::string UnusedTempPath(std::string_view extension = ".ged");

}  // namespace kinfold::test
