// How a file is to be decoded when its host asks for automatic decoding:
// from its byte-order mark, the zero bytes of UTF-16, the header's CHAR line
// or, failing those, whether its bytes are valid UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "core/text_encoding.h"

namespace kinfold {

struct EncodingChoice {
    TextEncoding encoding = TextEncoding::Bytes;
    // Set when the reader must read this instead of the file: UTF-16 made
    // UTF-8, and any line ended by a lone CR given a LF in its place (the
    // same length, so a file of 8-bit text keeps its positions).
    bool useImage = false;
    std::string image;
};

// `bytes`: the whole file.
EncodingChoice ChooseEncoding(std::string bytes);

// The encoding a header's CHAR value names; Bytes for a value it does not
// know, which leaves the choice to the bytes.
TextEncoding EncodingNamed(std::string_view charValue);

}  // namespace kinfold
