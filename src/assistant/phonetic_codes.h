// The phonetic codes of names by a method a host chooses: Soundex, or
// beyond it Daitch-Mokotoff Soundex and Cologne phonetics; and whether two
// names share a code.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/text_encoding.h"
#include "platform/automation.h"

namespace kinfold {

enum class PhoneticMethod { Soundex, DaitchMokotoff, Cologne };

// The method a host names: soundex, dm or cologne in any case, and the
// empty text (a C++ caller's NULL) for soundex, the default; false for any
// other name.
bool FindPhoneticMethod(std::string_view name, PhoneticMethod* method);

// The codes of a name a host gives; none when it has no letter to code.
// Soundex reads it as the Soundex member does, so the two always agree; the
// others read its letters straight from the UTF-16, so no code page stands
// between the host and an accented letter.
std::vector<std::string> HostNameCodes(const OLECHAR* name, PhoneticMethod method);

// The codes of a name as the database keeps it: the file's bytes, decoded
// by `encoding` first unless that is Bytes. Soundex reads the bytes, as
// extraction and sorting by Soundex do.
std::vector<std::string> FileNameCodes(std::string_view name, TextEncoding encoding,
                                       PhoneticMethod method);

bool ShareACode(const std::vector<std::string>& some, const std::vector<std::string>& others);

}  // namespace kinfold
