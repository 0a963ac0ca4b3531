#include "check/link_index.h"

#include <algorithm>
#include <tuple>

namespace kinfold::cli {

namespace {

struct PointerKind {
    const char* tag;
    const char* kind;
};

// What each pointer tag must name. ASSO is left out: its TYPE picks the kind.
const PointerKind kPointerKinds[] = {
    {"FAMC", "FAM"},  {"FAMS", "FAM"},  {"HUSB", "INDI"}, {"WIFE", "INDI"}, {"CHIL", "INDI"},
    {"ALIA", "INDI"}, {"SOUR", "SOUR"}, {"REPO", "REPO"}, {"NOTE", "NOTE"}, {"OBJE", "OBJE"},
    {"SUBM", "SUBM"}, {"SUBN", "SUBN"}, {"ANCI", "SUBM"}, {"DESI", "SUBM"},
};

}  // namespace

std::string Printable(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        out.append("\\x").push_back(kHex[c >> 4]);
        out.push_back(kHex[c & 0xF]);
    }
    return out;
}

uint32_t LinkIndex::Number(std::string_view id) {
    auto found = numbers_.find(std::string(id));
    if (found != numbers_.end()) return found->second;
    const uint32_t number = static_cast<uint32_t>(ids_.size());
    found = numbers_.emplace(std::string(id), number).first;
    ids_.push_back(found->first);
    definitions_.emplace_back();
    return number;
}

uint32_t LinkIndex::Word(std::string_view word) {
    auto found = wordNumbers_.find(std::string(word));
    if (found != wordNumbers_.end()) return found->second;
    words_.emplace_back(word);
    const uint32_t number = static_cast<uint32_t>(words_.size() - 1);
    wordNumbers_.emplace(words_.back(), number);
    return number;
}

std::string_view LinkIndex::ExpectedKind(std::string_view tag) {
    for (const PointerKind& entry : kPointerKinds)
        if (tag == entry.tag) return entry.kind;
    return {};
}

void LinkIndex::Define(std::string_view id, std::string_view tag, uint32_t line) {
    const uint32_t number = Number(id);
    Definition& definition = definitions_[number];
    if (definition.line != 0) replaced_.push_back({number, definition.line});
    definition.line = line;
    definition.kind = Word(tag);
}

void LinkIndex::Point(std::string_view owner, std::string_view tag, std::string_view target,
                      uint32_t line, LinkSide side, bool loaderLinks) {
    const uint32_t ownerNumber = Number(owner);
    pointers_.push_back({line, ownerNumber, Number(target), Word(tag), side, loaderLinks});
}

void LinkIndex::Resolve(Problems& problems) const {
    // A later record with the same ID replaces the earlier one in the store.
    for (const auto& [number, line] : replaced_) {
        const uint32_t winner = definitions_[number].line;
        problems.push_back({line, "duplicate-id",
                            Printable(ids_[number]) +
                                " is defined again later; the record at line " +
                                std::to_string(winner) + " wins and this one is lost",
                            Severity::Error});
    }
    for (const Pointer& pointer : pointers_) {
        const Definition& target = definitions_[pointer.target];
        const std::string& tag = words_[pointer.tag];
        std::string message = Printable(tag) + " " + Printable(ids_[pointer.target]);
        const std::string_view expected = ExpectedKind(tag);
        if (target.line == 0) {
            message += " names no record";
        } else if (!expected.empty() && words_[target.kind] != expected) {
            message += " names the " + Printable(words_[target.kind]) + " record of line " +
                       std::to_string(target.line) + ", not a " + std::string(expected);
        } else {
            continue;
        }
        problems.push_back(
            {pointer.line, "pointer", message, Severity::Error, pointer.loaderLinks});
    }
    ResolveFamilyLinks(problems);
}

// A person's FAMS is answered by the family's HUSB or WIFE, a FAMC by CHIL,
// and the other way round. Each link is keyed by person, family and role;
// a key that only one side states is one-sided.
void LinkIndex::ResolveFamilyLinks(Problems& problems) const {
    struct Link {
        uint32_t person, family;
        bool child;
        LinkSide side;
        const Pointer* pointer;
    };
    std::vector<Link> links;
    for (const Pointer& pointer : pointers_) {
        if (pointer.side == LinkSide::None) continue;
        const Definition& target = definitions_[pointer.target];
        const bool fromPerson = pointer.side == LinkSide::Person;
        if (target.line == 0 || words_[target.kind] != (fromPerson ? "FAM" : "INDI")) continue;
        const std::string& tag = words_[pointer.tag];
        const bool child = tag == "FAMC" || tag == "CHIL";
        links.push_back({fromPerson ? pointer.owner : pointer.target,
                         fromPerson ? pointer.target : pointer.owner, child, pointer.side,
                         &pointer});
    }
    const auto key = [](const Link& link) {
        return std::make_tuple(link.person, link.family, link.child);
    };
    std::sort(links.begin(), links.end(),
              [&](const Link& a, const Link& b) { return key(a) < key(b); });
    for (size_t begin = 0, end = 0; begin < links.size(); begin = end) {
        bool person = false, family = false;
        for (end = begin; end < links.size() && key(links[end]) == key(links[begin]); ++end)
            (links[end].side == LinkSide::Person ? person : family) = true;
        if (person && family) continue;
        for (size_t i = begin; i < end; ++i) {
            const Link& link = links[i];
            const std::string personId = Printable(ids_[link.person]);
            const std::string familyId = Printable(ids_[link.family]);
            const std::string& tag = words_[link.pointer->tag];
            std::string message =
                Printable(tag) + " " + Printable(ids_[link.pointer->target]) + ": ";
            if (person)
                message += familyId + " does not name " + personId +
                           (link.child ? " as CHIL" : " as HUSB or WIFE");
            else
                message += personId + " has no " + (link.child ? "FAMC " : "FAMS ") + familyId;
            problems.push_back({link.pointer->line, "one-sided-link", message, Severity::Warning});
        }
    }
}

}  // namespace kinfold::cli
