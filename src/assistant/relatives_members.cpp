// The assistant's members about relatives: each turns the host's individuals
// into the database's own and asks the walks of relatives.cpp, or the search of
// relationship.cpp.
#include <new>
#include <utility>

#include "access/collections.h"
#include "access/out_param.h"
#include "assistant/gd_assistant.h"
#include "assistant/gd_relationship.h"
#include "assistant/host_individuals.h"
#include "assistant/relatives.h"
#include "records/person/family_entry.h"

namespace kinfold {
namespace {

// Whether `type` names an order; `needsAncestor` tells whether it is one of
// the two lines between a descendant and an ancestor.
bool IsOrder(gd_RelationalColType type, bool& needsAncestor) {
    needsAncestor = type == gd_relAnc2Desc || type == gd_relDesc2Anc;
    return type >= gd_relDescendants && type <= gd_relFamilyRoots;
}

// Resolves `object` when there is one; none leaves `individual` null.
HRESULT ResolveIfGiven(IUnknown* object, const GEDCOMdb* database,
                       IndividualEntry** individual) {
    *individual = nullptr;
    return object != nullptr ? ResolveIndividual(object, database, individual) : S_OK;
}

// Without an individual the result is left as the host gave it.
HRESULT CountGenerations(int (*generations)(IndividualEntry&), IGDIndividualRecord* given,
                         const GEDCOMdb* database, int* out) {
    if (out == nullptr) return E_POINTER;
    if (given == nullptr) return S_OK;
    IndividualEntry* individual = nullptr;
    const HRESULT hr = ResolveIndividual(given, database, &individual);
    if (FAILED(hr)) return hr;
    try {
        *out = generations(*individual);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace

HRESULT GDAssistant::ExtractRelatives(gd_RelationalColType ColType, VARIANT Source_Descendant,
                                      VARIANT Ancestor, IGDIndividuals** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    IUnknown* givenDescendant = nullptr;
    IUnknown* givenAncestor = nullptr;
    hr = ReadOptionalIndividual(Source_Descendant, &givenDescendant);
    if (SUCCEEDED(hr)) hr = ReadOptionalIndividual(Ancestor, &givenAncestor);
    IndividualEntry* descendant = nullptr;
    IndividualEntry* ancestor = nullptr;
    if (SUCCEEDED(hr)) hr = ResolveIfGiven(givenDescendant, database_, &descendant);
    if (SUCCEEDED(hr)) hr = ResolveIfGiven(givenAncestor, database_, &ancestor);
    if (FAILED(hr)) return hr;
    bool needsAncestor = false;
    if (!IsOrder(ColType, needsAncestor) || descendant == nullptr ||
        (needsAncestor && ancestor == nullptr))
        return E_INVALIDARG;
    try {
        IndividualSequence relatives;
        hr = CollectRelatives(static_cast<RelativesOrder>(ColType), *descendant, ancestor,
                              relatives);
        if (FAILED(hr)) return hr;
        return MakeBuiltCollection(pVal, HeldList(relatives));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT GDAssistant::GenerationsOfAncestors(IGDIndividualRecord* Ind, int* pVal) {
    return CountGenerations(&kinfold::GenerationsOfAncestors, Ind, database_, pVal);
}

HRESULT GDAssistant::GenerationsOfDescendants(IGDIndividualRecord* Ind, int* pVal) {
    return CountGenerations(&kinfold::GenerationsOfDescendants, Ind, database_, pVal);
}

HRESULT GDAssistant::IsAncestor(IGDIndividualRecord* Ancestor, IGDIndividualRecord* Descendant,
                                VARIANT_BOOL* pVal) {
    if (pVal == nullptr) return E_POINTER;
    *pVal = VARIANT_FALSE;
    if (Ancestor == nullptr || Descendant == nullptr) return S_OK;
    IndividualEntry* ancestor = nullptr;
    IndividualEntry* descendant = nullptr;
    HRESULT hr = ResolveIndividual(Ancestor, database_, &ancestor);
    if (SUCCEEDED(hr)) hr = ResolveIndividual(Descendant, database_, &descendant);
    if (FAILED(hr)) return hr;
    try {
        return ReturnBool(pVal, IsAncestorOf(*ancestor, *descendant));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

// The order of the two spouses does not matter, and one alone finds his or
// her first family without another spouse.
HRESULT GDAssistant::GetFamilyFromSpouses(IGDIndividualRecord* Spouse1,
                                          IGDIndividualRecord* Spouse2, IGDFamilyRecord** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    IndividualEntry* first = nullptr;
    IndividualEntry* second = nullptr;
    hr = ResolveIfGiven(Spouse1, database_, &first);
    if (SUCCEEDED(hr)) hr = ResolveIfGiven(Spouse2, database_, &second);
    if (FAILED(hr)) return hr;
    if (first == nullptr) std::swap(first, second);
    if (first == nullptr) return S_OK;
    return ReturnObject(pVal, static_cast<RecordBase*>(FamilyOfSpouses(*first, second)));
}

// Without both individuals there is nothing to relate: an empty collection.
HRESULT GDAssistant::Relationship(IGDIndividualRecord* Ind1, IGDIndividualRecord* Ind2,
                                  IGDRelationships** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    IndividualEntry* from = nullptr;
    IndividualEntry* to = nullptr;
    hr = ResolveIfGiven(Ind1, database_, &from);
    if (SUCCEEDED(hr)) hr = ResolveIfGiven(Ind2, database_, &to);
    if (FAILED(hr)) return hr;
    return CatchOutOfMemory([&] {
        std::vector<Relation> relations;
        if (from != nullptr && to != nullptr) relations = FindRelations(*from, *to);
        return MakeRelationships(pVal, std::move(relations));
    });
}

}  // namespace kinfold
