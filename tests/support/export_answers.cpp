#include "support/export_answers.h"

#include <algorithm>

#include "support/interface_reading.h"
#include "support/level_rules.h"

namespace kinfold::test {
namespace {

bool IsConfidential(IGDIndividualRecord* person) {
    VARIANT_BOOL confidential = VARIANT_FALSE;
    return person != nullptr && SUCCEEDED(person->get_Confidential(&confidential)) &&
           confidential == VARIANT_TRUE;
}

template <class Collection>
LONG CountOf(Collection* collection) {
    LONG count = -1;
    if (collection != nullptr) collection->get_Count(&count);
    Release(collection);
    return count;
}

std::string Joined(const std::vector<std::string>& answers) {
    std::string text;
    for (const std::string& answer : answers) text += "  " + answer + "\n";
    return text;
}

}  // namespace

DatabaseAnswers AnswersForExport(IGEDCOMdb* db, bool onDemandCounts) {
    DatabaseAnswers all;
    IGDIndividuals* people = nullptr;
    IGDFamilies* families = nullptr;
    if (FAILED(db->get_Individuals(&people)) || FAILED(db->get_Families(&families))) {
        Release(people);
        return all;
    }
    ForEachItem<IGDIndividualRecord>(people, [&](IGDIndividualRecord* person, size_t) {
        all.individuals[TextOf(person, &IGDIndividualRecord::get_ID)].hidden =
            IsConfidential(person);
    });
    ForEachItem<IGDFamilyRecord>(families, [&](IGDFamilyRecord* family, size_t) {
        IGDIndividualRecord* partners[2] = {};
        if (family != nullptr) {
            family->get_Husband(&partners[0]);
            family->get_Wife(&partners[1]);
        }
        all.families[TextOf(family, &IGDFamilyRecord::get_ID)].hidden =
            (partners[0] != nullptr || partners[1] != nullptr) &&
            std::all_of(std::begin(partners), std::end(partners), [](IGDIndividualRecord* partner) {
                return partner == nullptr || IsConfidential(partner);
            });
        for (IGDIndividualRecord* partner : partners) Release(partner);
    });
    db->ClearConfidentiality();
    // The walks above let go of both collections.
    people = nullptr;
    families = nullptr;
    if (FAILED(db->get_Individuals(&people)) || FAILED(db->get_Families(&families))) {
        Release(people);
        return all;
    }
    ForEachItem<IGDIndividualRecord>(people, [&](IGDIndividualRecord* person, size_t) {
        std::vector<std::string>& answers =
            all.individuals[TextOf(person, &IGDIndividualRecord::get_ID)].answers;
        answers = IndividualAnswers(person);
        if (person == nullptr || !onDemandCounts) return;
        IGDNotes* notes = nullptr;
        IGDSources* sources = nullptr;
        IGDFactEvents* attributes = nullptr;
        person->get_Notes(&notes);
        person->get_Sources(&sources);
        person->get_Attributes(Omitted(), &attributes);
        answers.push_back("notes " + std::to_string(CountOf(notes)) + " sources " +
                          std::to_string(CountOf(sources)) + " attributes " +
                          std::to_string(CountOf(attributes)));
    });
    ForEachItem<IGDFamilyRecord>(families, [&](IGDFamilyRecord* family, size_t) {
        all.families[TextOf(family, &IGDFamilyRecord::get_ID)].answers = FamilyAnswers(family);
    });
    return all;
}

std::vector<std::string> KeptOfHidden(const std::vector<std::string>& answers) {
    std::vector<std::string> kept;
    for (const std::string& answer : answers)
        if (answer.rfind("sex ", 0) == 0 || answer.rfind("child link ", 0) == 0 ||
            answer.rfind("spouse link ", 0) == 0 || answer.rfind("husband ", 0) == 0 ||
            answer.rfind("wife ", 0) == 0 || answer.rfind("child ", 0) == 0)
            kept.push_back(answer);
    return kept;
}

namespace {

// The differences of one kind of record; `count` of them at most in all.
void AddDifferences(const AnswersById& before, const AnswersById& after, const std::string& standIn,
                    size_t& count, std::string& differences) {
    for (const auto& [id, record] : before) {
        if (count == 5) return;
        const auto found = after.find(id);
        if (found == after.end()) {
            differences += id + ": not in the copy\n";
            ++count;
            continue;
        }
        const std::vector<std::string>& copied = found->second.answers;
        const bool same = record.hidden ? KeptOfHidden(copied) == KeptOfHidden(record.answers)
                                        : copied == record.answers;
        const bool individual =
            !record.answers.empty() && record.answers.front().rfind("sex ", 0) == 0;
        const bool standInName = !record.hidden || !individual ||
                                 std::find(copied.begin(), copied.end(), standIn) != copied.end();
        if (same && standInName) continue;
        differences += id + (record.hidden ? " (hidden)" : "") + ":\n" + Joined(record.answers) +
                       " copied as\n" + Joined(copied);
        ++count;
    }
}

}  // namespace

std::string ExportDifferences(const DatabaseAnswers& before, const DatabaseAnswers& after,
                              const std::string& livingName) {
    std::string differences;
    size_t count = 0;
    const std::string standIn = "name 0: " + livingName + "||" + livingName;
    AddDifferences(before.individuals, after.individuals, standIn, count, differences);
    AddDifferences(before.families, after.families, standIn, count, differences);
    return differences;
}

}  // namespace kinfold::test
