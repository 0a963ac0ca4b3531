// "-" as FILE: the library reads a file by its path, and reads it again by
// byte position while a command runs, so standard input is copied to a
// temporary file first. The copy is removed when this object goes.
#pragma once

#include <string>

namespace kinfold::cli {

class StandardInputCopy {
   public:
    StandardInputCopy() = default;
    StandardInputCopy(const StandardInputCopy&) = delete;
    StandardInputCopy& operator=(const StandardInputCopy&) = delete;
    ~StandardInputCopy();

    // Copies all of standard input; false with the reason in `error`.
    bool Make(std::string* error);
    const std::string& Path() const { return path_; }

   private:
    std::string path_;
};

}  // namespace kinfold::cli
