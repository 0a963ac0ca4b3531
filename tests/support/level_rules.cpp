#include "support/level_rules.h"

#include <cstdint>
#include <string_view>

namespace kinfold::test {

const std::vector<std::string> kLevelRuleTags = {
    "NAME", "SURN", "GIVN", "SEX",  "FAMS", "FAMC", "PEDI", "BIRT", "DEAT", "DATE",
    "PLAC", "HUSB", "WIFE", "CHIL", "MARR", "DIV",  "DATA", "REPO", "CALN"};

namespace {

// Pointers name one of this many records of each kind, by line index.
constexpr size_t kTargets = 16;

bool IsPointerTag(std::string_view tag) {
    return tag == "FAMS" || tag == "FAMC" || tag == "HUSB" || tag == "WIFE" || tag == "CHIL" ||
           tag == "REPO";
}

// The text after the tag of sub-line `index`.
std::string TextAfterTag(const std::string& tag, size_t index) {
    const std::string n = std::to_string(index % kTargets);
    if (tag == "NAME") return "G" + n + " /S" + n + "/";
    if (tag == "FAMS" || tag == "FAMC") return "@U" + n + "@";
    if (tag == "REPO") return "@R" + n + "@";
    if (IsPointerTag(tag)) return "@T" + n + "@";
    if (tag == "SEX") return std::string(1, static_cast<char>('A' + index % 26));
    if (tag == "SURN" || tag == "GIVN" || tag == "PEDI" || tag == "DATE" || tag == "PLAC" ||
        tag == "CALN")
        return tag + "-" + n;
    return "";
}

// The name a repository target record gives for pointer `R<n>`.
std::string RepositoryName(const std::string& pointer) {
    return "r" + pointer.substr(2, pointer.size() - 3);
}

const char* TagOf(GeneratedKind kind) {
    switch (kind) {
        case GeneratedKind::Individual:
            return "INDI";
        case GeneratedKind::Family:
            return "FAM";
        case GeneratedKind::Source:
            break;
    }
    return "SOUR";
}

// The lines as the rules see them: blank lines before the first sub-line
// are not written.
template <class Visit>
void ForEachWrittenLine(const GeneratedRecord& record, Visit visit) {
    bool started = false;
    for (size_t i = 0; i < record.lines.size(); ++i) {
        started = started || !record.lines[i].blank;
        if (started) visit(record.lines[i], i);
    }
}

// ---- The rules ----

struct Line {
    int16_t level = 0;
    std::string tag, value, pointer;
    size_t content = 0;  // index among the record's lines that are not blank
};

struct Name {
    std::string given, surname, full;
};
struct Link {
    std::string family, pedigree;
};
struct Event {
    std::string tag;
    size_t content;
};
struct Repository {
    std::string name;
    std::vector<std::string> callNumbers;
};

struct Record {
    char sex = '?';
    std::vector<Name> names;
    std::vector<Link> childLinks, spouseLinks;
    std::vector<Event> events;
    long birth = -1, death = -1, married = -1;
    std::string husband = "none", wife = "none";
    std::vector<std::string> children;
    std::vector<Repository> repositories;
};

Name SplitGeneratedName(const std::string& value) {
    if (value.empty()) return {};
    const size_t slash = value.find(" /");
    Name name{value.substr(0, slash), value.substr(slash + 2, value.size() - slash - 3), ""};
    name.full = name.given + " " + name.surname;
    return name;
}

// What stands open on the context stack.
enum class Open { Individual, Family, Source, Name, ChildLink, SpouseLink, Repository, RefusesAll };
struct Context {
    Open kind;
    int16_t level;
};

// TakeSubLine of the open context: false refuses; `child` is set when the
// line opens a context of its own.
bool Offer(Record& r, Open context, const Line& line, Open* child, bool* hasChild) {
    *hasChild = false;
    const auto open = [&](Open kind) {
        *child = kind;
        *hasChild = true;
        return true;
    };
    const std::string& t = line.tag;
    switch (context) {
        case Open::Individual:
            if (t == "SEX") r.sex = line.value.empty() ? '\0' : line.value[0];
            if (t == "NAME") r.names.push_back(SplitGeneratedName(line.value));
            if (t == "NAME") return open(Open::Name);
            if (t == "FAMS") r.spouseLinks.push_back({line.pointer, "spouse"});
            if (t == "FAMS") return open(Open::SpouseLink);
            if (t == "FAMC") r.childLinks.push_back({line.pointer, "birth"});
            if (t == "FAMC") return open(Open::ChildLink);
            if (t != "BIRT" && t != "DEAT") return false;
            r.events.push_back({t, line.content});
            if (t == "BIRT" && r.birth < 0) r.birth = static_cast<long>(r.events.size()) - 1;
            if (t == "DEAT" && r.death < 0) r.death = static_cast<long>(r.events.size()) - 1;
            return open(Open::RefusesAll);
        case Open::Family:
            if (t == "CHIL") r.children.push_back(line.pointer);
            if (t == "HUSB") r.husband = line.pointer;
            if (t == "WIFE") r.wife = line.pointer;
            if (t == "CHIL" || t == "HUSB" || t == "WIFE") return open(Open::RefusesAll);
            if (t != "MARR" && t != "DIV") return false;
            r.events.push_back({t, line.content});
            if (t == "MARR") r.married = static_cast<long>(r.events.size()) - 1;
            return open(Open::RefusesAll);
        case Open::Source:
            if (t == "DATA") return true;
            if (t != "REPO") return false;
            r.repositories.push_back({RepositoryName(line.pointer), {}});
            return open(Open::Repository);
        case Open::Repository:
            if (t != "CALN") return false;
            r.repositories.back().callNumbers.push_back(line.value);
            return open(Open::RefusesAll);
        case Open::Name:
            if (t == "SURN") r.names.back().surname = line.value;
            if (t == "GIVN") r.names.back().given = line.value;
            return false;
        case Open::ChildLink:
        case Open::SpouseLink:
            if (t != "PEDI") return false;
            (context == Open::ChildLink ? r.childLinks : r.spouseLinks).back().pedigree =
                line.value;
            return true;
        case Open::RefusesAll:
            break;
    }
    return false;
}

// FindSubTag from content line `start`: the first `tag` line directly
// under it, passing over the lines under lines of other tags.
std::string FindValue(const std::vector<Line>& lines, size_t start, const std::string& tag) {
    const int16_t base = lines[start].level;
    uint32_t skip = UINT32_MAX;
    for (size_t i = start + 1; i < lines.size(); ++i) {
        const int16_t level = lines[i].level;
        if (level <= base) break;
        const uint32_t unsignedLevel = static_cast<uint32_t>(static_cast<int32_t>(level));
        if (unsignedLevel > skip) continue;
        if (lines[i].tag == tag) return lines[i].value;
        skip = unsignedLevel;
    }
    return "";
}

std::string Dated(const Record& r, const std::vector<Line>& lines, long event) {
    return event < 0 ? "none"
                     : FindValue(lines, r.events[static_cast<size_t>(event)].content, "DATE");
}

// The record the rules build from the generated lines, and every line of it
// that is not blank, for the searches made after loading.
Record RunRules(const GeneratedRecord& generated, std::vector<Line>& lines) {
    Record r;
    // The record's own line, as PushContext leaves it: no ID, no value.
    Line current{0, TagOf(generated.kind), "", "", 0};
    lines.assign(1, current);
    const Open own = generated.kind == GeneratedKind::Individual ? Open::Individual
                     : generated.kind == GeneratedKind::Family   ? Open::Family
                                                                 : Open::Source;
    std::vector<Context> stack{{own, 0}};
    uint16_t skip = UINT16_MAX;
    ForEachWrittenLine(generated, [&](const GeneratedLine& g, size_t i) {
        if (!g.blank) {
            const std::string after = TextAfterTag(g.tag, i);
            const bool pointer = IsPointerTag(g.tag);
            current = Line{static_cast<int16_t>(g.level), g.tag, pointer ? "" : after,
                           pointer ? after : "", lines.size()};
            lines.push_back(current);
        }
        const int16_t level = current.level;
        if (static_cast<uint16_t>(level) > skip) return;
        if (level == 0) {  // none of the tags opens a record
            skip = 0;
            return;
        }
        while (!stack.empty() && stack.back().level >= level) stack.pop_back();
        Open child = Open::RefusesAll;
        bool hasChild = false;
        const bool accepted =
            !stack.empty() && Offer(r, stack.back().kind, current, &child, &hasChild);
        skip = accepted ? UINT16_MAX : static_cast<uint16_t>(level);
        if (!hasChild) return;
        stack.push_back({child, level});
        current.value.clear();
    });
    return r;
}

}  // namespace

std::string NumberedAnswer(const char* what, size_t index, const std::string& text) {
    return std::string(what) + " " + std::to_string(index) + ": " + text;
}

std::string GeneratedId(const GeneratedRecord& record, size_t index) {
    const char* letter = record.kind == GeneratedKind::Individual ? "@I"
                         : record.kind == GeneratedKind::Family   ? "@F"
                                                                  : "@S";
    return letter + std::to_string(index) + "@";
}

std::string GeneratedFile(const std::vector<GeneratedRecord>& records) {
    std::string file = "0 HEAD\n";
    for (size_t r = 0; r < records.size(); ++r) {
        file += "0 " + GeneratedId(records[r], r) + " " + TagOf(records[r].kind) + "\n";
        ForEachWrittenLine(records[r], [&](const GeneratedLine& line, size_t i) {
            if (line.blank) {
                file += "\n";
                return;
            }
            const std::string after = TextAfterTag(line.tag, i);
            file += std::to_string(line.level) + " " + line.tag + (after.empty() ? "" : " ") +
                    after + "\n";
        });
    }
    for (size_t n = 0; n < kTargets; ++n) {
        const std::string i = std::to_string(n);
        file += "0 @T" + i + "@ INDI\n0 @U" + i + "@ FAM\n0 @R" + i + "@ REPO\n1 NAME r" + i + "\n";
    }
    return file + "0 TRLR\n";
}

std::string WrittenLines(const GeneratedRecord& record) {
    std::string text;
    ForEachWrittenLine(record, [&](const GeneratedLine& line, size_t i) {
        text += line.blank ? "  (blank)\n"
                           : "  " + std::to_string(line.level) + " " + line.tag + " " +
                                 TextAfterTag(line.tag, i) + "\n";
    });
    return text;
}

std::vector<std::string> AnswersByRules(const GeneratedRecord& generated) {
    std::vector<Line> lines;
    const Record r = RunRules(generated, lines);
    std::vector<std::string> out;
    switch (generated.kind) {
        case GeneratedKind::Individual:
            out.push_back("sex " + std::string(1, r.sex));
            for (size_t i = 0; i < r.names.size(); ++i) {
                const Name& n = r.names[i];
                out.push_back(NumberedAnswer("name", i, n.given + "|" + n.surname + "|" + n.full));
            }
            for (const auto& [what, links] :
                 {std::pair{"child link", &r.childLinks}, std::pair{"spouse link", &r.spouseLinks}})
                for (size_t i = 0; i < links->size(); ++i)
                    out.push_back(
                        NumberedAnswer(what, i, (*links)[i].family + " " + (*links)[i].pedigree));
            break;
        case GeneratedKind::Family:
            out.push_back("husband " + r.husband);
            out.push_back("wife " + r.wife);
            for (size_t i = 0; i < r.children.size(); ++i)
                out.push_back(NumberedAnswer("child", i, r.children[i]));
            break;
        case GeneratedKind::Source:
            for (size_t i = 0; i < r.repositories.size(); ++i) {
                std::string calls;
                for (const std::string& call : r.repositories[i].callNumbers)
                    calls += " [" + call + "]";
                out.push_back(NumberedAnswer("repository", i, r.repositories[i].name + calls));
            }
            return out;
    }
    for (size_t i = 0; i < r.events.size(); ++i)
        out.push_back(NumberedAnswer(
            "event", i, r.events[i].tag + " date " + Dated(r, lines, static_cast<long>(i))));
    if (generated.kind == GeneratedKind::Family) {
        out.push_back("married " + Dated(r, lines, r.married));
    } else {
        out.push_back("birth " + Dated(r, lines, r.birth));
        out.push_back("death " + Dated(r, lines, r.death));
    }
    return out;
}

std::string DifferencesFromRules(IGEDCOMdb* db, const std::vector<GeneratedRecord>& records) {
    std::string report;
    for (size_t r = 0; r < records.size(); ++r) {
        const std::vector<std::string> library = AnswersOf(db, records, r);
        const std::vector<std::string> rules = AnswersByRules(records[r]);
        if (library == rules) continue;
        report += "record " + GeneratedId(records[r], r) + ":\n" + WrittenLines(records[r]);
        report += " library:";
        for (const std::string& answer : library) report += " [" + answer + "]";
        report += "\n rules:  ";
        for (const std::string& answer : rules) report += " [" + answer + "]";
        report += "\n";
    }
    return report;
}

}  // namespace kinfold::test
