// The assistant's members that select and order individuals.
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "access/collections.h"
#include "access/out_param.h"
#include "assistant/gd_assistant.h"
#include "assistant/host_individuals.h"
#include "assistant/phonetic_codes.h"
#include "assistant/sort_key.h"
#include "assistant/soundex.h"
#include "core/fixed_string.h"
#include "db/gedcom_db.h"
#include "platform/text.h"

namespace kinfold {
namespace {

// The criterion as text, numbers included, as the host gave it; the
// conversion's code when it has none.
HRESULT CriterionText(VARIANT& criteria, BSTR* text) {
    VARIANT converted;
    VariantInit(&converted);
    const HRESULT hr = VariantChangeType(&converted, &criteria, 0, VT_BSTR);
    if (FAILED(hr)) return hr;
    *text = V_BSTR(&converted);
    return S_OK;
}

// The method of a category that matches the codes of names rather than a
// pattern; false for the others.
bool PhoneticMethodOf(gd_SubCategories subCategory, PhoneticMethod* method) {
    if (subCategory == gd_subcatDaitchMokotoff) *method = PhoneticMethod::DaitchMokotoff;
    if (subCategory == gd_subcatCologne) *method = PhoneticMethod::Cologne;
    return subCategory == gd_subcatDaitchMokotoff || subCategory == gd_subcatCologne;
}

// The text of `individual` that `subCategory` matches against the pattern;
// false for a category that matches no pattern.
bool CandidateOf(const IndividualEntry& individual, gd_SubCategories subCategory,
                 const GEDCOMdb& database, std::string& candidate) {
    const PrimaryNameParts name = PrimaryName(individual, database);
    switch (subCategory) {
        case gd_subcatSurname:
            candidate = name.surname;
            return true;
        case gd_subcatGivenName:
            candidate = name.givenName;
            return true;
        case gd_subcatSoundex:
            candidate = SoundexCode(name.surname);
            return true;
        case gd_subcatSex:
            // A SEX line without a value leaves no character at all.
            candidate = individual.Sex() != '\0' ? std::string(1, individual.Sex()) : "";
            return true;
        case gd_subcatDaitchMokotoff:
        case gd_subcatCologne:
            break;
    }
    return false;
}

// What ExtractIndividuals selects by: a pattern over one field, or the
// codes of a name that a surname must share one of.
class Criterion {
   public:
    Criterion(gd_SubCategories subCategory, BSTR text, GEDCOMdb& database)
        : subCategory_(subCategory),
          database_(database),
          encoding_(database.Reader().Encoding()),
          phonetic_(PhoneticMethodOf(subCategory, &method_)),
          pattern_(BoundText(BstrToText(text))) {
        if (phonetic_) codes_ = HostNameCodes(text, method_);
    }

    // Whether `individual` is selected, in `matches`; false for a category
    // that is none of the gd_SubCategories.
    bool Check(const IndividualEntry& individual, bool& matches) {
        if (!phonetic_) {
            if (!CandidateOf(individual, subCategory_, database_, candidate_)) return false;
            matches = MatchPattern(BoundText(candidate_), pattern_);
            return true;
        }
        // A name with no letter to code shares no code, with any surname.
        const std::string_view surname = PrimaryName(individual, database_).surname;
        matches = !codes_.empty() && ShareACode(FileNameCodes(surname, encoding_, method_), codes_);
        return true;
    }

   private:
    gd_SubCategories subCategory_;
    const GEDCOMdb& database_;
    TextEncoding encoding_;
    PhoneticMethod method_ = PhoneticMethod::Soundex;
    bool phonetic_;
    std::string pattern_;
    std::vector<std::string> codes_;
    std::string candidate_;
};

// The individuals of the database that `criteria` selects under
// `subCategory`, in key order. Confidentiality plays no part in the choice.
HRESULT FindMatching(GEDCOMdb* database, gd_SubCategories subCategory, BSTR criteria, int32_t order,
                     IndividualSequence& found) {
    if (database == nullptr) return S_OK;
    Criterion criterion(subCategory, criteria, *database);
    SortedIndividuals sorted(order, *database);
    for (RecordBase* record : database->IndividualStore()) {
        auto& individual = static_cast<IndividualEntry&>(*record);
        bool matches = false;
        if (!criterion.Check(individual, matches)) return E_INVALIDARG;
        if (matches) sorted.Add(individual);
    }
    found = sorted.TakeSorted();
    return S_OK;
}

IndividualSequence Sorted(const IndividualSequence& individuals, int32_t order,
                          const GEDCOMdb* database) {
    if (individuals.empty()) return {};
    SortedIndividuals sorted(order, *database);
    for (IndividualEntry* individual : individuals) sorted.Add(*individual);
    return sorted.TakeSorted();
}

// A sort order as the number it is. Orders that ignore confidentiality are
// negative, which the enumeration's own values never are, so the argument's
// bytes are read rather than the enumeration value.
int32_t OrderNumber(const gd_IndSortOrder& order) {
    int32_t number;
    static_assert(sizeof number == sizeof order, "an enumeration argument is 32 bits");
    std::memcpy(&number, &order, sizeof number);
    return number;
}

}  // namespace

HRESULT GDAssistant::ExtractIndividuals(gd_SubCategories SubCategory, VARIANT Criteria,
                                        gd_IndSortOrder SortOrder, IGDIndividuals** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    BSTR criteria = nullptr;
    hr = CriterionText(Criteria, &criteria);
    if (FAILED(hr)) return hr;
    hr = CatchOutOfMemory([&] {
        // Every comparison in the process ignores case meanwhile, ID lookups
        // and the DATE lines read for the keys included.
        const CompareCaseScope ignoringCase(0);
        IndividualSequence found;
        const HRESULT searched =
            FindMatching(database_, SubCategory, criteria, OrderNumber(SortOrder), found);
        if (FAILED(searched)) return searched;
        return MakeBuiltCollection(pVal, HeldList(found));
    });
    SysFreeString(criteria);
    return hr;
}

HRESULT GDAssistant::SortIndividuals(VARIANT IndList, gd_IndSortOrder SortOrder,
                                     IGDIndividuals** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    try {
        IndividualSequence individuals;
        hr = ReadIndividualList(IndList, database_, individuals);
        if (FAILED(hr)) return hr;
        return MakeBuiltCollection(pVal, HeldList(Sorted(individuals, OrderNumber(SortOrder), database_)));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace kinfold
