#include "support/level_rules.h"

#include <cstdint>
#include <string_view>

#include "platform/text.h"

namespace kinfold::test {

const std::vector<std::string> kLevelRuleTags = {"NAME", "SURN", "GIVN", "SEX",  "FAMS", "FAMC",
                                                 "PEDI", "BIRT", "DEAT", "DATE", "PLAC", "HUSB",
                                                 "WIFE", "CHIL", "MARR", "DIV"};

namespace {

// Pointers name one of this many records of each kind, by line index.
constexpr size_t kTargets = 16;

bool IsPointerTag(std::string_view tag) {
    return tag == "FAMS" || tag == "FAMC" || tag == "HUSB" || tag == "WIFE" || tag == "CHIL";
}

// The text after the tag of sub-line `index`.
std::string TextAfterTag(const std::string& tag, size_t index) {
    const std::string n = std::to_string(index % kTargets);
    if (tag == "NAME") return "G" + n + " /S" + n + "/";
    if (tag == "FAMS" || tag == "FAMC") return "@U" + n + "@";
    if (IsPointerTag(tag)) return "@T" + n + "@";
    if (tag == "SEX") return std::string(1, static_cast<char>('A' + index % 26));
    if (tag == "SURN" || tag == "GIVN" || tag == "PEDI" || tag == "DATE" || tag == "PLAC")
        return tag + "-" + n;
    return "";
}

std::string RecordId(const GeneratedRecord& record, size_t index) {
    return (record.family ? "@F" : "@I") + std::to_string(index) + "@";
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

struct Record {
    char sex = '?';
    std::vector<Name> names;
    std::vector<Link> childLinks, spouseLinks;
    std::vector<Event> events;
    long birth = -1, death = -1, married = -1;
    std::string husband = "none", wife = "none";
    std::vector<std::string> children;
};

Name SplitGeneratedName(const std::string& value) {
    if (value.empty()) return {};
    const size_t slash = value.find(" /");
    Name name{value.substr(0, slash), value.substr(slash + 2, value.size() - slash - 3), ""};
    name.full = name.given + " " + name.surname;
    return name;
}

// What stands open on the context stack.
enum class Open { Individual, Family, Name, ChildLink, SpouseLink, RefusesAll };
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

// ---- The answers, in one form for both sides ----

template <class Item>
std::string Numbered(const char* what, size_t index, const Item& text) {
    return std::string(what) + " " + std::to_string(index) + ": " + text;
}

std::string Text(BSTR text) {
    std::string out = BstrToText(text);
    SysFreeString(text);
    return out;
}

template <class Object, class Getter>
std::string TextOf(Object* object, Getter getter) {
    if (object == nullptr) return "none";
    BSTR text = nullptr;
    if (FAILED((object->*getter)(&text))) return "failed";
    return Text(text);
}

template <class Object>
void Release(Object* object) {
    if (object != nullptr) object->Release();
}

// Item's index, counted from 1: a long for most collections, a VARIANT for
// those that also take an ID.
struct ItemIndex {
    long i;
    operator LONG() const { return static_cast<LONG>(i + 1); }
    operator VARIANT() const {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = static_cast<LONG>(i + 1);
        return v;
    }
};

// Calls `visit(item, index)` for every item of `collection`, then lets go.
template <class Item, class Collection, class Visit>
void ForEachItem(Collection* collection, Visit visit) {
    if (collection == nullptr) return;
    LONG count = 0;
    collection->get_Count(&count);
    for (long i = 0; i < count; ++i) {
        Item* item = nullptr;
        collection->get_Item(ItemIndex{i}, &item);
        visit(item, static_cast<size_t>(i));
        Release(item);
    }
    collection->Release();
}

std::string DateOf(IGDFactEventRecord* event) {
    return event == nullptr ? "none" : TextOf(event, &IGDFactEventRecord::get_Date);
}

void AddEvents(std::vector<std::string>& out, IGDFactEvents* events) {
    ForEachItem<IGDFactEventRecord>(events, [&](IGDFactEventRecord* event, size_t i) {
        out.push_back(
            Numbered("event", i,
                     TextOf(event, &IGDFactEventRecord::get_GEDCOMTag) + " date " + DateOf(event)));
    });
}

void AddLinks(std::vector<std::string>& out, const char* what, IGDFamilyLinks* links) {
    ForEachItem<IGDFamilyLinkRecord>(links, [&](IGDFamilyLinkRecord* link, size_t i) {
        IGDFamilyRecord* family = nullptr;
        if (link != nullptr) link->get_Link(&family);
        out.push_back(Numbered(what, i,
                               TextOf(family, &IGDFamilyRecord::get_ID) + " " +
                                   TextOf(link, &IGDFamilyLinkRecord::get_PedigreeLinkageType)));
        Release(family);
    });
}

VARIANT Omitted() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

std::vector<std::string> IndividualAnswers(IGDIndividualRecord* person) {
    std::vector<std::string> out;
    if (person == nullptr) return {"no such individual"};
    out.push_back("sex " + TextOf(person, &IGDIndividualRecord::get_Sex));
    IGDNames* names = nullptr;
    person->get_Names(&names);
    ForEachItem<IGDNameRecord>(names, [&](IGDNameRecord* name, size_t i) {
        out.push_back(Numbered("name", i,
                               TextOf(name, &IGDNameRecord::get_GivenName) + "|" +
                                   TextOf(name, &IGDNameRecord::get_Surname) + "|" +
                                   TextOf(name, &IGDNameRecord::get_FullName)));
    });
    IGDFamilyLinks* links = nullptr;
    person->get_ChildFamilyLinks(&links);
    AddLinks(out, "child link", links);
    links = nullptr;
    person->get_SpouseFamilyLinks(&links);
    AddLinks(out, "spouse link", links);
    IGDFactEvents* events = nullptr;
    person->get_Events(Omitted(), &events);
    AddEvents(out, events);
    for (bool birth : {true, false}) {
        IGDFactEventRecord* event = nullptr;
        birth ? person->get_Birth(&event) : person->get_Death(&event);
        out.push_back((birth ? "birth " : "death ") + DateOf(event));
        Release(event);
    }
    return out;
}

std::vector<std::string> FamilyAnswers(IGDFamilyRecord* family) {
    std::vector<std::string> out;
    if (family == nullptr) return {"no such family"};
    for (bool husband : {true, false}) {
        IGDIndividualRecord* partner = nullptr;
        husband ? family->get_Husband(&partner) : family->get_Wife(&partner);
        out.push_back((husband ? "husband " : "wife ") +
                      TextOf(partner, &IGDIndividualRecord::get_ID));
        Release(partner);
    }
    IGDIndividuals* children = nullptr;
    family->get_Children(&children);
    ForEachItem<IGDIndividualRecord>(children, [&](IGDIndividualRecord* child, size_t i) {
        out.push_back(Numbered("child", i, TextOf(child, &IGDIndividualRecord::get_ID)));
    });
    IGDFactEvents* events = nullptr;
    family->get_Events(Omitted(), &events);
    AddEvents(out, events);
    IGDFactEventRecord* married = nullptr;
    family->get_Married(&married);
    out.push_back("married " + DateOf(married));
    Release(married);
    return out;
}

}  // namespace

std::string GeneratedFile(const std::vector<GeneratedRecord>& records) {
    std::string file = "0 HEAD\n";
    for (size_t r = 0; r < records.size(); ++r) {
        file += "0 " + RecordId(records[r], r) + (records[r].family ? " FAM\n" : " INDI\n");
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
        file += "0 @T" + std::to_string(n) + "@ INDI\n";
        file += "0 @U" + std::to_string(n) + "@ FAM\n";
    }
    return file + "0 TRLR\n";
}

std::vector<std::string> AnswersByRules(const GeneratedRecord& generated) {
    Record r;
    // The record's own line, as PushContext leaves it: no ID, no value.
    Line current{0, generated.family ? "FAM" : "INDI", "", "", 0};
    std::vector<Line> lines{current};
    std::vector<Context> stack{{generated.family ? Open::Family : Open::Individual, 0}};
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

    std::vector<std::string> out;
    if (generated.family) {
        out.push_back("husband " + r.husband);
        out.push_back("wife " + r.wife);
        for (size_t i = 0; i < r.children.size(); ++i)
            out.push_back(Numbered("child", i, r.children[i]));
    } else {
        out.push_back("sex " + std::string(1, r.sex));
        for (size_t i = 0; i < r.names.size(); ++i) {
            const Name& n = r.names[i];
            out.push_back(Numbered("name", i, n.given + "|" + n.surname + "|" + n.full));
        }
        for (size_t i = 0; i < r.childLinks.size(); ++i)
            out.push_back(
                Numbered("child link", i, r.childLinks[i].family + " " + r.childLinks[i].pedigree));
        for (size_t i = 0; i < r.spouseLinks.size(); ++i)
            out.push_back(Numbered("spouse link", i,
                                   r.spouseLinks[i].family + " " + r.spouseLinks[i].pedigree));
    }
    for (size_t i = 0; i < r.events.size(); ++i)
        out.push_back(Numbered("event", i,
                               r.events[i].tag + " date " + Dated(r, lines, static_cast<long>(i))));
    if (generated.family) {
        out.push_back("married " + Dated(r, lines, r.married));
    } else {
        out.push_back("birth " + Dated(r, lines, r.birth));
        out.push_back("death " + Dated(r, lines, r.death));
    }
    return out;
}

std::vector<std::string> AnswersOf(IGEDCOMdb* db, const std::vector<GeneratedRecord>& records,
                                   size_t index) {
    BSTR id = AllocBstr(RecordId(records[index], index));
    std::vector<std::string> out;
    if (records[index].family) {
        IGDFamilies* families = nullptr;
        IGDFamilyRecord* family = nullptr;
        VARIANT key;
        VariantInit(&key);
        key.vt = VT_BSTR;
        key.bstrVal = id;
        if (SUCCEEDED(db->get_Families(&families))) families->get_Item(key, &family);
        out = FamilyAnswers(family);
        Release(family);
        Release(families);
    } else {
        IGDIndividualRecord* person = nullptr;
        db->GetIndividualFromID(id, &person);
        out = IndividualAnswers(person);
        Release(person);
    }
    SysFreeString(id);
    return out;
}

std::string DifferencesFromRules(IGEDCOMdb* db, const std::vector<GeneratedRecord>& records) {
    std::string report;
    for (size_t r = 0; r < records.size(); ++r) {
        const std::vector<std::string> library = AnswersOf(db, records, r);
        const std::vector<std::string> rules = AnswersByRules(records[r]);
        if (library == rules) continue;
        report += "record " + RecordId(records[r], r) + ":\n";
        ForEachWrittenLine(records[r], [&](const GeneratedLine& line, size_t i) {
            report += line.blank ? "  (blank)\n"
                                 : "  " + std::to_string(line.level) + " " + line.tag + " " +
                                       TextAfterTag(line.tag, i) + "\n";
        });
        report += " library:";
        for (const std::string& answer : library) report += " [" + answer + "]";
        report += "\n rules:  ";
        for (const std::string& answer : rules) report += " [" + answer + "]";
        report += "\n";
    }
    return report;
}

}  // namespace kinfold::test
