// kinfold find and kinfold relatives: the questions the database's
// assistant answers. A build whose assistant does not answer yet makes them
// fail with a one-line message and exit code 4.
#include <cstdlib>
#include <deque>
#include <map>

#include "case_folding.h"
#include "commands.h"
#include "person_summary.h"

namespace kinfold::cli {
namespace {

struct Choice {
    const char* name;
    long value;
    // The part of the name a pattern matches here rather than in the
    // assistant; none for the criteria the assistant answers.
    HRESULT (STDMETHODCALLTYPE IGDNameRecord::*part)(BSTR*);
};

const Choice kCriteria[] = {{"--surname", gd_subcatSurname, &IGDNameRecord::get_Surname},
                            {"--given", gd_subcatGivenName, &IGDNameRecord::get_GivenName},
                            {"--soundex", gd_subcatSoundex, nullptr},
                            {"--sex", gd_subcatSex, nullptr}};

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

Ref<IGDAssistant> AssistantOf(IGEDCOMdb* db) { return ObjectOf(db, &IGEDCOMdb::get_Assistant); }

Report PeopleList(IGDIndividuals* people) {
    Report list = Report::List();
    ForEach<IGDIndividualRecord>(
        people, [&](IGDIndividualRecord* person) { list.Append(PersonSummary(person)); });
    return list;
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
    const Choice* criterion = nullptr;
    for (const Choice& choice : kCriteria) {
        if (!line.Has(choice.name)) continue;
        if (criterion != nullptr) {
            *error = std::string("find takes one of --surname, --given, --soundex or --sex, not ") +
                     criterion->name + " and " + choice.name;
            return kBadCommandLine;
        }
        criterion = &choice;
    }
    if (criterion == nullptr) {
        *error = "find needs one of --surname, --given, --soundex or --sex";
        return kBadCommandLine;
    }
    Ref<IGDAssistant> assistant = AssistantOf(file.db.get());
    if (criterion->part != nullptr) {
        const HRESULT hr = MatchNames(file.db.get(), assistant.get(), *criterion,
                                      line.Option(criterion->name), report);
        if (FAILED(hr)) *error = FailureText("SortIndividuals", hr);
        return FAILED(hr) ? kCannotAnswer : kDone;
    }
    VARIANT pattern;
    VariantInit(&pattern);
    pattern.vt = VT_BSTR;
    pattern.bstrVal = AllocBstr(line.Option(criterion->name));
    Ref<IGDIndividuals> found;
    const HRESULT hr = assistant->ExtractIndividuals(
        static_cast<gd_SubCategories>(criterion->value), pattern, gd_sortSurnameGiven, &found);
    VariantClear(&pattern);
    if (FAILED(hr)) {
        *error = FailureText("ExtractIndividuals", hr);
        return kCannotAnswer;
    }
    *report = PeopleList(found.get());
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

}  // namespace kinfold::cli
