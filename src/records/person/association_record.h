// One ASSO line of an individual: a pointer to a record of the kind its TYPE
// line names (an individual when it names none), with the relation in words.
// Made from the file at each read; linking resolves the pointer.
#pragma once

#include <cstdint>

#include "access/record_object.h"

namespace kinfold {

class GDAssociationRecord
    : public WithTarget<RecordObject<IGDAssociationRecord, IGDAssociationRecord>> {
   public:
    HRESULT Link(RecordHost& database) override;

    HRESULT STDMETHODCALLTYPE get_Association(VARIANT* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Relation(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Sources(IGDSources** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Type(BSTR* pVal) override;

   private:
    // Index of the TYPE value in the table of record kinds; -1 for a kind
    // the table does not hold.
    int8_t kind_ = -1;
};

}  // namespace kinfold
