// A footnote format compiled into tokens, once per format change: runs of
// literal text and two-character codes (%a, %t, %R ... %R, ...). A citation's
// footnote is a walk over these tokens.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kinfold {

constexpr std::string_view kDefaultFootnoteFormat = "%a%. %t%. %p%. %f%. %R%r%.%C%c%.%C%R";

class FootnoteFormat {
   public:
    static constexpr size_t kNoEnd = static_cast<size_t>(-1);

    struct Token {
        // The code character after '%', or 0 for literal text.
        char code = 0;
        std::string text;
        // For %R, %C and %N: the last later token with the same code, which
        // closes the block this one opens; kNoEnd when there is none.
        size_t blockEnd = kNoEnd;
    };

    FootnoteFormat() { Compile(kDefaultFootnoteFormat); }

    // Never fails on content: an unknown code keeps its character and loses
    // its '%', and a '%' at the very end is dropped. May throw bad_alloc, in
    // which case the format is left as it was.
    void Compile(std::string_view format);

    // The format as the host set it.
    const std::string& Text() const { return text_; }
    const std::vector<Token>& Tokens() const { return tokens_; }

   private:
    std::string text_;
    std::vector<Token> tokens_;
};

}  // namespace kinfold
