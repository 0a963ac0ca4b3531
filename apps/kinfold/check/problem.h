// One thing wrong with a GEDCOM file, found by `kinfold check`.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kinfold::cli {

// An error makes the loader refuse the file or lose what the file says;
// a warning is unusual but leaves the data as the file gives it.
enum class Severity : uint8_t { Error, Warning };

struct Problem {
    uint32_t line = 0;  // 1-based, counting line feeds as an editor does
    // One word for programs: pointer, one-sided-link, duplicate-id,
    // long-line, blank-line, level, record, user-record, structure,
    // encoding or line-end.
    const char* kind = "";
    std::string message;  // for people, without the line number
    Severity severity = Severity::Error;
    bool corrupt = false;  // makes the loader refuse the file as corrupt
};

using Problems = std::vector<Problem>;

// `text` from the file as a message may quote it: a tag or ID of a broken
// file may hold any byte, so those outside printable ASCII show as \xNN and
// the report stays valid text (and valid JSON) whatever the file holds.
std::string Printable(std::string_view text);

}  // namespace kinfold::cli
