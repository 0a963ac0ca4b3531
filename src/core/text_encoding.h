// The character sets a GEDCOM file may be written in, and their decoding to
// UTF-16 for the host. A database decodes with one of them only when its
// host asked for automatic decoding; otherwise text crosses the boundary as
// the platform reads bytes (TextEncoding::Bytes).
#pragma once

#include <string>
#include <string_view>

namespace kinfold {

enum class TextEncoding : unsigned char {
    Bytes,
    Utf8,
    Windows1252,
    Cp437,
    MacRoman,
    Ascii,
    Ansel,
};

// `bytes` as UTF-16. A malformed UTF-8 sequence, a byte above 0x7F in ASCII
// and a byte ANSEL leaves unassigned give U+FFFD. Bytes reads as
// Windows-1252 here; the boundary never asks for it.
std::u16string DecodeText(TextEncoding encoding, std::string_view bytes);

// ANSEL, its combining marks moved after their base letter and composed with
// it where Latin has the precomposed letter.
std::u16string DecodeAnsel(std::string_view bytes);

// True when `text` stops inside a character that its next CONC line goes on
// with: a UTF-8 sequence short of its last bytes, or ANSEL marks still
// waiting for their letter. Such a join takes no separating space.
bool EndsInsideCharacter(TextEncoding encoding, std::string_view text);

// Whether every byte sequence of `bytes` is well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

}  // namespace kinfold
