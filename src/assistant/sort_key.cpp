#include "assistant/sort_key.h"

#include <algorithm>

#include "assistant/soundex.h"
#include "db/gedcom_db.h"
#include "records/person/fact_event_record.h"
#include "records/person/individual_entry.h"
#include "records/person/name_record.h"

namespace kinfold {
namespace {

constexpr char kFieldEnd = '\x01';

enum KeyCode : uint32_t { kSurname = 1, kGivenName = 2, kSoundex = 3, kBirth = 4, kDeath = 5 };

// Reads the stored fields, never the members that hide confidential data:
// whether the data is hidden is decided here, by the order.
struct KeySource {
    const PrimaryNameParts name;
    const IndividualEntry& individual;
    const GEDCOMdb& database;
    bool ignoreConfidentiality;

    bool NameHidden() const { return !ignoreConfidentiality && name.confidentialState == 1; }
    std::string_view Notice() const { return database.Options().confidentialNotice; }
};

void AppendNameField(std::string& key, std::string_view field, const KeySource& source) {
    if (source.NameHidden()) {
        key += source.Notice();
        return;
    }
    key += field;
    key += kFieldEnd;
}

void AppendSoundex(std::string& key, const KeySource& source) {
    if (source.NameHidden()) {
        key += SoundexCode(source.Notice());
        return;
    }
    key += SoundexCode(source.name.surname);
    key += kFieldEnd;
}

// A missing event reads as the blank event does: no date, not confidential.
void AppendYear(std::string& key, const SubLine& event, const KeySource& source) {
    if (source.ignoreConfidentiality || event.ConfidentialState() != 1)
        key += YearKey(event.ReadTagValue("DATE"));
    key += kFieldEnd;
}

void AppendField(std::string& key, uint32_t code, const KeySource& source) {
    switch (code) {
        case kSurname:
            return AppendNameField(key, source.name.surname, source);
        case kGivenName:
            return AppendNameField(key, source.name.givenName, source);
        case kSoundex:
            return AppendSoundex(key, source);
        case kBirth:
            return AppendYear(key, source.individual.Birth(), source);
        case kDeath:
            return AppendYear(key, source.individual.Death(), source);
        default:
            return;
    }
}

}  // namespace

PrimaryNameParts PrimaryName(const IndividualEntry& individual, const GEDCOMdb& database) {
    if (const NameLine* first = individual.Names().Front())
        return {first->Surname(), first->GivenName(), first->ConfidentialState()};
    const auto& blank = *static_cast<const GDNameRecord*>(database.BlankName());
    return {blank.Surname(), blank.GivenName(), blank.ConfidentialState()};
}

std::string_view YearKey(std::string_view date) {
    const size_t blank = date.rfind(' ');
    const std::string_view word =
        blank == std::string_view::npos || blank == 0 ? date : date.substr(blank + 1);
    const size_t slash = word.find('/');
    return slash == std::string_view::npos || slash == 0 ? word : word.substr(0, slash);
}

std::string BuildSortKey(const IndividualEntry& individual, int32_t order,
                         const GEDCOMdb& database) {
    const bool ignore = order < 0;
    uint32_t codes = static_cast<uint32_t>(ignore ? ~order : order);
    const KeySource source{PrimaryName(individual, database), individual, database, ignore};
    std::string key;
    for (int field = 0; field < 4; ++field, codes <<= 8) AppendField(key, codes >> 24, source);
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

void SortedIndividuals::Add(IndividualEntry& individual) {
    entries_.push_back({&individual, BuildSortKey(individual, order_, database_)});
}

IndividualSequence SortedIndividuals::TakeSorted() {
    // std::string compares its bytes as unsigned char.
    std::sort(entries_.begin(), entries_.end(),
              [](const Entry& a, const Entry& b) { return a.key < b.key; });
    IndividualSequence sorted;
    sorted.reserve(entries_.size());
    for (const Entry& entry : entries_) sorted.push_back(entry.individual);
    entries_.clear();
    return sorted;
}

}  // namespace kinfold
