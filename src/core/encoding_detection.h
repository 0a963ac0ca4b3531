// How a file is to be decoded when its host asks for automatic decoding:
// from its byte-order mark, the zero bytes of UTF-16, the header's CHAR line
// or, failing those, whether its bytes are valid UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "core/text_encoding.h"

namespace kinfold {

enum class Utf16 { None, LittleEndian, BigEndian };

struct EncodingChoice {
    TextEncoding encoding = TextEncoding::Bytes;
    // Set when the reader must read this instead of the file: UTF-16 made
    // UTF-8, and any line ended by a lone CR given a LF in its place (the
    // same length, so a file of 8-bit text keeps its positions).
    bool useImage = false;
    std::string image;
    // The byte order of a UTF-16 file, and whether it starts with a mark;
    // a copy of the file is written back the same way.
    Utf16 utf16 = Utf16::None;
    bool utf16Mark = false;
};

// `bytes`: the whole file.
EncodingChoice ChooseEncoding(std::string bytes);

// The encoding the "1 CHAR" line at the start of a file names, looked for
// from the second line up to the next level-0 line (`start` with LF line
// ends); Bytes when there is none or its name is not known. Without a
// byte-order mark, ChooseEncoding goes by all the file's bytes then.
TextEncoding CharLineEncoding(std::string_view start);

// The encoding a header's CHAR value names; Bytes for a value it does not
// know, which leaves the choice to the bytes.
TextEncoding EncodingNamed(std::string_view charValue);

// UTF-8 text as UTF-16 bytes in `order`, without a mark; a malformed
// sequence gives U+FFFD.
std::string Utf8ToUtf16(std::string_view utf8, Utf16 order);

}  // namespace kinfold
