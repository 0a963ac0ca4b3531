// Whether the bytes of a file fit the character set its header declares
// (HEAD.CHAR). The reader keeps bytes as they are, so a wrong byte only shows
// later, as a wrong letter in some host; the checker finds it here.
#pragma once

#include <string>
#include <string_view>

namespace kinfold::cli {

struct CharsetRule;

class TextEncoding {
   public:
    // Checks as UTF-8, the character set of a file that declares none.
    TextEncoding();

    // Takes the value of HEAD.CHAR; false when the checker knows no rule for
    // it (IBMPC and other code pages, where every byte means something), and
    // then lets every byte pass.
    bool Declare(std::string_view charset);
    // True when the declaration says UTF-16, which an 8-bit file cannot be.
    bool DeclaresUtf16() const;

    // Checks the next piece of text; `continues` says it carries on the text
    // before it (a CONC line, or the rest of a cut line), so that a UTF-8
    // character split between the two is whole. Returns "" when the bytes fit,
    // else what is wrong, as "byte 0xAF is not defined in ANSEL".
    std::string Check(std::string_view text, bool continues);
    // What is wrong with the end of the text checked last (a UTF-8 character
    // left unfinished), or "" when it ended whole. Call it before a piece
    // that does not continue, to blame the piece that ended badly.
    std::string Finish();

   private:
    const CharsetRule* rule_;
    // UTF-8: the first byte of the character being read, continuation bytes
    // still due and the range the next must be in.
    unsigned char lead_ = 0;
    int due_ = 0;
    unsigned char low_ = 0x80;
    unsigned char high_ = 0xBF;
};

}  // namespace kinfold::cli
