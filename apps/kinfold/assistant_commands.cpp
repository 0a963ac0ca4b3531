// kinfold find, relatives, relationship and phonetic: the questions the database's
// assistant answers. A build whose assistant does not answer yet makes them
// fail with a one-line message and exit code 4.
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iterator>
#include <map>
#include <vector>

#include "case_folding.h"
#include "commands.h"
#include "core/fixed_string.h"
#include "person_summary.h"
#include "server/entry_points.h"

namespace kinfold::cli {
namespace {

struct Choice {
    const char* name;
    long value;
    // The part of the name a pattern matches here rather than in the
    // assistant; none for the criteria the assistant answers.
    HRESULT (STDMETHODCALLTYPE IGDNameRecord::*part)(BSTR*);
};

// --phonetic's subcategory comes from its method (kMethods).
const Choice kCriteria[] = {{"--surname", gd_subcatSurname, &IGDNameRecord::get_Surname},
                            {"--given", gd_subcatGivenName, &IGDNameRecord::get_GivenName},
                            {"--soundex", gd_subcatSoundex, nullptr},
                            {"--sex", gd_subcatSex, nullptr},
                            {"--phonetic", 0, nullptr}};

// The subcategory that finds surnames sharing a code by each method. Soundex
// finds by the code itself, the others by the name.
struct Method {
    const char* name;
    gd_SubCategories subCategory;
};

const Method kMethods[] = {
    {"soundex", gd_subcatSoundex}, {"dm", gd_subcatDaitchMokotoff}, {"cologne", gd_subcatCologne}};

// Whether each order walks up to ancestors or down to descendants.
struct Order {
    const char* name;
    gd_RelationalColType type;
    bool upwards;
};

const Order kOrders[] = {
    {"ancestors", gd_relAncestors, true},
    {"descendants", gd_relDescendants, false},
    {"paternal", gd_relPaternalAnc, true},
    {"paternal-reversed", gd_relPaternalAnc_Reversed, true},
    {"maternal", gd_relMaternalAnc, true},
    {"maternal-reversed", gd_relMaternalAnc_Reversed, true},
    {"family-roots", gd_relFamilyRoots, true},
};

Report PeopleList(IGDIndividuals* people) {
    Report list = Report::List();
    ForEach<IGDIndividualRecord>(
        people, [&](IGDIndividualRecord* person) { list.Append(PersonSummary(person)); });
    return list;
}

// The codes of `name` by `method`, in `codes`. A method the library does not
// know is a bad command line, told in the library's own words.
int PhoneticCodes(IGDAssistant2* assistant, const std::string& name, const std::string& method,
                  std::vector<std::string>* codes, std::string* error) {
    HRESULT hr = E_NOTIMPL;
    Ref<IGDList> list;
    if (assistant != nullptr) {
        BSTR nameText = AllocBstr(name);
        BSTR methodText = AllocBstr(method);
        hr = assistant->PhoneticCodes(nameText, methodText, &list);
        SysFreeString(nameText);
        SysFreeString(methodText);
    }
    if (hr == E_INVALIDARG) {
        *error = ErrorDescription();
        if (error->empty()) *error = FailureText("PhoneticCodes", hr);
        return kBadCommandLine;
    }
    if (FAILED(hr)) {
        *error = FailureText("PhoneticCodes", hr);
        return kCannotAnswer;
    }
    const long count = CountOf(list.get());
    for (long i = 1; i <= count; ++i) {
        VARIANT code;
        VariantInit(&code);
        if (SUCCEEDED(list->get_Item(i, &code)) && code.vt == VT_BSTR)
            codes->push_back(BstrToText(code.bstrVal));
        VariantClear(&code);
    }
    return kDone;
}

// "--surname, --given, ... or --phonetic".
std::string CriteriaNames() {
    std::string names;
    const size_t count = std::size(kCriteria);
    for (size_t i = 0; i < count; ++i)
        names += (i == 0 ? "" : i + 1 == count ? " or " : ", ") + std::string(kCriteria[i].name);
    return names;
}

// The people ExtractIndividuals finds under `subCategory`, sorted by surname
// and given name.
int Extract(IGDAssistant* assistant, gd_SubCategories subCategory, const std::string& criterion,
            Report* report, std::string* error) {
    VARIANT pattern;
    VariantInit(&pattern);
    pattern.vt = VT_BSTR;
    pattern.bstrVal = AllocBstr(criterion);
    Ref<IGDIndividuals> found;
    const HRESULT hr =
        assistant->ExtractIndividuals(subCategory, pattern, gd_sortSurnameGiven, &found);
    VariantClear(&pattern);
    if (FAILED(hr)) {
        *error = FailureText("ExtractIndividuals", hr);
        return kCannotAnswer;
    }
    *report = PeopleList(found.get());
    return kDone;
}

// find --phonetic METHOD NAME. The library checks the method first, so an
// unknown one reads the same as in kinfold phonetic.
int FindAlike(const CommandLine& line, IGDAssistant* assistant, Report* report,
              std::string* error) {
    const std::string method = line.Option("--phonetic");
    const std::string& name = line.arguments[1];
    std::vector<std::string> codes;
    const int code = PhoneticCodes(Query<IGDAssistant2>(assistant, IID_IGDAssistant2).get(), name,
                                   method, &codes, error);
    if (code != kDone) return code;
    for (const Method& known : kMethods) {
        if (!EqualsIgnoringAsciiCase(method, known.name)) continue;
        if (known.subCategory != gd_subcatSoundex)
            return Extract(assistant, known.subCategory, name, report, error);
        // A name with no Soundex code has no one alike; an empty code
        // would match everyone.
        if (codes.empty()) {
            *report = Report::List();
            return kDone;
        }
        return Extract(assistant, gd_subcatSoundex, codes.front(), report, error);
    }
    *error = "find --phonetic takes soundex, dm or cologne, not '" + method + "'";
    return kBadCommandLine;
}

std::u32string FoldedPart(IGDIndividualRecord* person,
                          HRESULT (STDMETHODCALLTYPE IGDNameRecord::*part)(BSTR*)) {
    Ref<IGDNameRecord> name = ObjectOf(person, &IGDIndividualRecord::get_Name);
    BSTR text = nullptr;
    if (name) (name.get()->*part)(&text);
    std::u32string folded = FoldedText(text);
    SysFreeString(text);
    return folded;
}

// Names are matched on the text the file's decoding gives, with case folded
// for every letter: the assistant compares the file's bytes and folds ASCII
// only, so "Frém" would miss "Frémont" in an ANSEL file. The assistant still
// puts everyone in order.
HRESULT MatchNames(IGEDCOMdb* db, IGDAssistant* assistant, const Choice& criterion,
                   const std::string& pattern, Report* report) {
    Ref<IGDIndividuals> everyone = ObjectOf(db, &IGEDCOMdb::get_Individuals);
    VARIANT list;
    VariantInit(&list);
    list.vt = VT_DISPATCH;
    list.pdispVal = everyone.get();
    Ref<IGDIndividuals> sorted;
    const HRESULT hr = assistant->SortIndividuals(list, gd_sortSurnameGiven, &sorted);
    if (FAILED(hr)) return hr;
    BSTR patternText = AllocBstr(pattern);
    const std::u32string folded = FoldedText(patternText);
    SysFreeString(patternText);
    *report = Report::List();
    ForEach<IGDIndividualRecord>(sorted.get(), [&](IGDIndividualRecord* person) {
        if (MatchesPattern(FoldedPart(person, criterion.part), folded))
            report->Append(PersonSummary(person));
    });
    return S_OK;
}

// Each relative's distance in generations from `root`, walking parents
// (upwards) or children (downwards), nearest first.
std::map<std::string, long> Generations(IGDIndividualRecord* root, bool upwards) {
    std::map<std::string, long> found;
    std::deque<std::pair<Ref<IGDIndividualRecord>, long>> queue;
    auto visit = [&](Ref<IGDIndividualRecord> person, long generation) {
        if (!person) return;
        const std::string id = TextOf(person.get(), &IGDIndividualRecord::get_ID);
        if (!found.emplace(id, generation).second) return;
        queue.emplace_back(std::move(person), generation);
    };
    visit(Ref<IGDIndividualRecord>::Share(root), 0);
    while (!queue.empty()) {
        IGDIndividualRecord* person = queue.front().first.get();
        const long next = queue.front().second + 1;
        if (upwards) {
            visit(ObjectOf(person, &IGDIndividualRecord::get_Father), next);
            visit(ObjectOf(person, &IGDIndividualRecord::get_Mother), next);
        } else {
            Ref<IGDFamilies> families = ObjectOf(person, &IGDIndividualRecord::get_SpouseFamilies);
            ForEach<IGDFamilyRecord>(families.get(), [&](IGDFamilyRecord* family) {
                Ref<IGDIndividuals> children = ObjectOf(family, &IGDFamilyRecord::get_Children);
                ForEach<IGDIndividualRecord>(children.get(), [&](IGDIndividualRecord* child) {
                    visit(Ref<IGDIndividualRecord>::Share(child), next);
                });
            });
        }
        queue.pop_front();
    }
    return found;
}

}  // namespace

int RunFind(const CommandLine& line, const LoadedFile& file, Report* report, std::string* error) {
    const std::string names = CriteriaNames();
    const Choice* criterion = nullptr;
    for (const Choice& choice : kCriteria) {
        if (!line.Has(choice.name)) continue;
        if (criterion != nullptr) {
            *error =
                "find takes one of " + names + ", not " + criterion->name + " and " + choice.name;
            return kBadCommandLine;
        }
        criterion = &choice;
    }
    if (criterion == nullptr) {
        *error = "find needs one of " + names;
        return kBadCommandLine;
    }
    Ref<IGDAssistant> assistant = AssistantOf(file.db.get());
    if (criterion->part != nullptr) {
        const HRESULT hr = MatchNames(file.db.get(), assistant.get(), *criterion,
                                      line.Option(criterion->name), report);
        if (FAILED(hr)) *error = FailureText("SortIndividuals", hr);
        return FAILED(hr) ? kCannotAnswer : kDone;
    }
    if (std::strcmp(criterion->name, "--phonetic") == 0)
        return FindAlike(line, assistant.get(), report, error);
    return Extract(assistant.get(), static_cast<gd_SubCategories>(criterion->value),
                   line.Option(criterion->name), report, error);
}

// People read one code a line; programs a list.
int RunPhonetic(const CommandLine& line, Report* report, std::string* error) {
    Ref<IClassFactory> factory;
    Ref<IGDAssistant2> assistant;
    if (SUCCEEDED(DllGetClassObject(CLSID_GDAssistant, IID_IClassFactory,
                                    reinterpret_cast<void**>(&factory))))
        factory->CreateInstance(nullptr, IID_IGDAssistant2, reinterpret_cast<void**>(&assistant));
    std::vector<std::string> codes;
    const int code =
        PhoneticCodes(assistant.get(), line.arguments.front(),
                      line.Has("--method") ? line.Option("--method") : "soundex", &codes, error);
    if (code != kDone) return code;
    if (line.json) {
        *report = Report::List();
        for (const std::string& text : codes) report->Append(Report::Text(text));
        return kDone;
    }
    std::string lines;
    for (const std::string& text : codes) lines += (lines.empty() ? "" : "\n") + text;
    *report = codes.empty() ? Report::List() : Report::Text(lines);
    return kDone;
}

int RunRelatives(const CommandLine& line, const LoadedFile& file, Report* report,
                 std::string* error) {
    const Order* order = nullptr;
    for (const Order& candidate : kOrders)
        if (line.Option("--order") == candidate.name) order = &candidate;
    if (order == nullptr) {
        *error = line.Has("--order")
                     ? "unknown --order '" + line.Option("--order") + "'; see kinfold --help"
                     : "relatives needs --order (see kinfold --help)";
        return kBadCommandLine;
    }
    long limit = -1;
    if (line.Has("--generations")) {
        char* end = nullptr;
        const std::string text = line.Option("--generations");
        limit = std::strtol(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || limit < 0) {
            *error = "--generations needs a whole number of 0 or more, not '" + text + "'";
            return kBadCommandLine;
        }
    }
    const std::string& id = line.arguments[1];
    BSTR key = AllocBstr(id);
    Ref<IGDIndividualRecord> person;
    file.db->GetIndividualFromID(key, &person);
    SysFreeString(key);
    if (!person) {
        *error = "no individual has the ID " + id;
        return kNoSuchRecord;
    }
    VARIANT source, omitted = Omitted();
    VariantInit(&source);
    source.vt = VT_DISPATCH;
    source.pdispVal = person.get();
    Ref<IGDIndividuals> relatives;
    Ref<IGDAssistant> assistant = AssistantOf(file.db.get());
    const HRESULT hr = assistant->ExtractRelatives(order->type, source, omitted, &relatives);
    if (FAILED(hr)) {
        *error = FailureText("ExtractRelatives", hr);
        return kCannotAnswer;
    }
    const std::map<std::string, long> generations = Generations(person.get(), order->upwards);
    *report = Report::List();
    ForEach<IGDIndividualRecord>(relatives.get(), [&](IGDIndividualRecord* relative) {
        Report entry = PersonSummary(relative);
        auto found = generations.find(TextOf(relative, &IGDIndividualRecord::get_ID));
        if (found != generations.end() && limit >= 0 && found->second > limit) return;
        if (found != generations.end())
            entry.Add("generation", Report::Number(static_cast<double>(found->second)));
        report->Append(std::move(entry));
    });
    return kDone;
}

// One relationship: its name and kind, and the individuals it goes through.
Report RelationshipReport(IGDRelationship* relationship) {
    Report entry = Report::Object();
    entry.Add("relationship", Report::Text(TextOf(relationship, &IGDRelationship::get_Name)));
    entry.Add("kind", Report::Text(TextOf(relationship, &IGDRelationship::get_Kind)));
    entry.Add("common_ancestors",
              PeopleList(ObjectOf(relationship, &IGDRelationship::get_CommonAncestors).get()));
    entry.Add("path", PeopleList(ObjectOf(relationship, &IGDRelationship::get_Path).get()));
    return entry;
}

// The closest relationship and how many more there are; every one in JSON.
int RunRelationship(const CommandLine& line, const LoadedFile& file, Report* report,
                    std::string* error) {
    Ref<IGDIndividualRecord> people[2];
    for (int i = 0; i < 2; ++i) {
        const std::string& id = line.arguments[i + 1];
        BSTR key = AllocBstr(id);
        file.db->GetIndividualFromID(key, &people[i]);
        SysFreeString(key);
        if (!people[i]) {
            *error = "no individual has the ID " + id;
            return kNoSuchRecord;
        }
    }
    Ref<IGDAssistant2> assistant =
        Query<IGDAssistant2>(AssistantOf(file.db.get()).get(), IID_IGDAssistant2);
    Ref<IGDRelationships> found;
    const HRESULT hr =
        assistant ? assistant->Relationship(people[0].get(), people[1].get(), &found) : E_NOTIMPL;
    if (FAILED(hr)) {
        *error = FailureText("Relationship", hr);
        return kCannotAnswer;
    }
    std::vector<Report> entries;
    ForEach<IGDRelationship>(found.get(), [&](IGDRelationship* relationship) {
        entries.push_back(RelationshipReport(relationship));
    });
    if (line.json || entries.empty()) {
        *report = Report::List();
        for (Report& entry : entries) report->Append(std::move(entry));
        return kDone;
    }
    *report = std::move(entries.front());
    if (entries.size() > 1)
        report->Add("more", Report::Text("and " + std::to_string(entries.size() - 1) + " more"));
    return kDone;
}

}  // namespace kinfold::cli
