// The index `kinfold check` builds in its one pass: every ID a level-0 line
// defines and every pointer, kept as numbers, so that pointers naming no
// record and family links that only one side states are found at the end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "check/problem.h"

namespace kinfold::cli {

// How a pointer takes part in the links between individuals and families.
enum class LinkSide : uint8_t { None, Person, Family };

class LinkIndex {
   public:
    // A level-0 line defining `id` as a record of kind `tag`; a later
    // definition of the same ID replaces it, as in the loader's store.
    void Define(std::string_view id, std::string_view tag, uint32_t line);

    // A pointer of the record `owner` (empty for records without an ID).
    // `loaderLinks` says the loader resolves it and refuses the file when it
    // names no record of the right kind.
    void Point(std::string_view owner, std::string_view tag, std::string_view target, uint32_t line,
               LinkSide side, bool loaderLinks);

    // Reports what the whole file shows: records replaced by a later one
    // with their ID, pointers that name no record or a record of another
    // kind, and one-sided family links.
    void Resolve(Problems& problems) const;

   private:
    struct Definition {
        uint32_t line = 0;  // 0 while only pointed at
        uint32_t kind = 0;
    };
    struct Pointer {
        uint32_t line;
        uint32_t owner;
        uint32_t target;
        uint32_t tag;
        LinkSide side;
        bool loaderLinks;
    };

    uint32_t Number(std::string_view id);
    uint32_t Word(std::string_view word);
    void ResolveFamilyLinks(Problems& problems) const;
    // The kind a tag's pointer must name, or "" when any kind will do.
    static std::string_view ExpectedKind(std::string_view tag);

    std::unordered_map<std::string, uint32_t> numbers_;
    std::vector<std::string_view> ids_;  // by number, viewing the map's keys
    std::vector<Definition> definitions_;
    // Tags and record kinds, numbered as IDs are; a file has few of them.
    std::unordered_map<std::string, uint32_t> wordNumbers_;
    std::vector<std::string> words_;
    std::vector<Pointer> pointers_;
    // Definitions a later one replaced: ID number and line.
    std::vector<std::pair<uint32_t, uint32_t>> replaced_;
};

}  // namespace kinfold::cli
