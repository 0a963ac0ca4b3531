// A record that can appear as a pointer to a level-0 record of its own kind:
// its link step resolves that pointer in the store `StoreOf` picks.
#pragma once

#include "access/file_text.h"
#include "access/out_param.h"
#include "access/record_object.h"
#include "core/gedcom_line.h"
#include "core/record_factory.h"
#include "records/source/reference_form.h"

namespace kinfold {

template <class Iface, RecordKind StoreKind, class Base = Unimplemented<Iface>>
class LinkedRecord : public WithTarget<RecordObject<Iface, Base>> {
   public:
    void TakeOpeningLine(const GedcomLine& line) override {
        RecordBase::TakeOpeningLine(line);
        form_ = DecideReferenceForm(*this);
    }
    // A level-0 record has a pointer of its own only when it has no ID.
    // Where the database drops pointers that name no record, such a record
    // loses its pointer and holds its data itself.
    HRESULT Link(RecordHost& database) override {
        if (form_ != ReferenceForm::Pointer) return S_OK;
        const HRESULT hr = this->LinkPointer(database, StoreKind);
        if (SUCCEEDED(hr) || this->Level() != 0) return hr;
        if (!database.DropDanglingPointer(*this, this->Position())) return hr;
        form_ = ReferenceForm::Inline;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_ID(BSTR* pVal) override {
        return ReturnFileText(*this, pVal, this->Id());
    }

    ReferenceForm Form() const { return form_; }

   private:
    ReferenceForm form_ = ReferenceForm::Inline;
};

}  // namespace kinfold
