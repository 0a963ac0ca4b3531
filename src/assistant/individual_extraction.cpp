// The assistant's members that select and order individuals.
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "access/collections.h"
#include "access/out_param.h"
#include "assistant/gd_assistant.h"
#include "assistant/host_individuals.h"
#include "assistant/sort_key.h"
#include "assistant/soundex.h"
#include "core/fixed_string.h"
#include "db/gedcom_db.h"
#include "platform/text.h"

namespace kinfold {
namespace {

// The criterion as text, numbers included; the conversion's code when it has none.
HRESULT PatternOf(VARIANT& criteria, std::string& pattern) {
    VARIANT text;
    VariantInit(&text);
    const HRESULT hr = VariantChangeType(&text, &criteria, 0, VT_BSTR);
    if (FAILED(hr)) return hr;
    pattern = BoundText(BstrToText(V_BSTR(&text)));
    VariantClear(&text);
    return S_OK;
}

// The text of `individual` that `subCategory` matches against the pattern;
// false for a category that is none of the four.
bool CandidateOf(const GDIndividualRecord& individual, gd_SubCategories subCategory,
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

// The individuals of the database whose candidate text matches `pattern`,
// in key order. Confidentiality plays no part in the choice.
HRESULT FindMatching(GEDCOMdb* database, gd_SubCategories subCategory, std::string_view pattern,
                     int32_t order, IndividualSequence& found) {
    if (database == nullptr) return S_OK;
    SortedIndividuals sorted(order, *database);
    std::string candidate;
    for (RecordBase* record : database->IndividualStore()) {
        auto& individual = static_cast<GDIndividualRecord&>(*record);
        if (!CandidateOf(individual, subCategory, *database, candidate)) return E_INVALIDARG;
        if (MatchPattern(BoundText(candidate), pattern)) sorted.Add(individual);
    }
    found = sorted.TakeSorted();
    return S_OK;
}

IndividualSequence Sorted(const IndividualSequence& individuals, int32_t order,
                          const GEDCOMdb* database) {
    if (individuals.empty()) return {};
    SortedIndividuals sorted(order, *database);
    for (GDIndividualRecord* individual : individuals) sorted.Add(*individual);
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
    std::string pattern;
    hr = PatternOf(Criteria, pattern);
    if (FAILED(hr)) return hr;
    try {
        // Every comparison in the process ignores case meanwhile, ID lookups
        // and the DATE lines read for the keys included.
        const CompareCaseScope ignoringCase(0);
        IndividualSequence found;
        hr = FindMatching(database_, SubCategory, pattern, OrderNumber(SortOrder), found);
        if (FAILED(hr)) return hr;
        return MakeBuiltCollection(pVal, HeldList(found));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
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
