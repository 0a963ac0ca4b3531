// What the last load left out or changed while reading a file tolerantly
// (each with the line it concerns, the record that line sits in and what
// happened), and why the last load failed, for hosts and for the tools that
// tell their users.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kinfold {

class GedcomReader;

class LoadReport {
   public:
    // Forgets the last load: a new one starts.
    void Clear();

    // A line at byte `position` of the file: `text` as read, the ID of the
    // record it sits in (empty outside a record) and what became of it.
    void Note(int32_t position, std::string_view text, std::string_view record,
              std::string_view what);
    // The load failed: why, as the user reads it. A pointer that names no
    // record is told by its line (SetFailedLine); anything else here.
    void SetFailure(std::string_view reason);
    void SetFailedLine(int32_t position, std::string_view text, std::string_view what);

    // Finds the line number of every position noted, from the file the
    // reader holds; called once the load has ended.
    void Finish(GedcomReader& reader);

    // One text per line noted, in file order: "line N in @I1@: TEXT: WHAT".
    std::vector<std::string> Texts() const;
    // "line N: TEXT WHAT" for a failed line, the reason for another
    // failure, empty after a load that succeeded.
    std::string Failure() const;

   private:
    struct Entry {
        int32_t position;
        uint32_t lineNumber;
        std::string text;
        std::string record;
        std::string what;
    };

    std::vector<Entry> entries_;
    Entry failedLine_{-1, 0, {}, {}, {}};
    std::string failure_;
};

}  // namespace kinfold
