#include "assistant/gd_relationship.h"

#include <utility>

#include "access/collections.h"
#include "access/object_list.h"
#include "access/out_param.h"
#include "assistant/individual_sequence.h"

namespace kinfold {

HRESULT GDRelationship::get_Name(BSTR* pVal) { return ReturnText(pVal, name_); }
HRESULT GDRelationship::get_Kind(BSTR* pVal) { return ReturnText(pVal, kind_); }

HRESULT GDRelationship::get_CommonAncestors(IGDIndividuals** pVal) {
    return MakeLiveCollection(pVal, *commonAncestors_, static_cast<IGDRelationship*>(this));
}

HRESULT GDRelationship::get_Path(IGDIndividuals** pVal) {
    return MakeLiveCollection(pVal, *path_, static_cast<IGDRelationship*>(this));
}

HRESULT GDRelationship::get_Tag(VARIANT* pVal) { return hostTag_.Get(pVal); }
HRESULT GDRelationship::put_Tag(VARIANT newVal) { return hostTag_.Put(newVal); }
HRESULT GDRelationship::putref_Tag(VARIANT newVal) { return hostTag_.Put(newVal); }

HRESULT MakeRelationships(IGDRelationships** out, std::vector<Relation> relations) {
    HRESULT hr = BeginOut(out);
    if (FAILED(hr)) return hr;
    std::unique_ptr<ObjectList<IGDRelationship>> list(new (std::nothrow)
                                                          ObjectList<IGDRelationship>);
    if (list == nullptr) return E_OUTOFMEMORY;
    for (Relation& relation : relations) {
        std::unique_ptr<RecordList> commonAncestors = HeldList(relation.commonAncestors);
        std::unique_ptr<RecordList> path = HeldList(relation.path);
        if (commonAncestors == nullptr || path == nullptr) return E_OUTOFMEMORY;
        IGDRelationship* object = nullptr;
        hr = CreateObject<GDRelationship>(&object, std::move(relation.name),
                                          std::move(relation.kind), std::move(commonAncestors),
                                          std::move(path));
        if (FAILED(hr)) return hr;
        if (!list->Adopt(object)) return E_OUTOFMEMORY;
    }
    return CreateObject<Collection<IGDRelationships, ObjectList<IGDRelationship>>>(out,
                                                                                   std::move(list));
}

}  // namespace kinfold
