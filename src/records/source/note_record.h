// A note in any of its three forms: a NOTE record, a note written in place
// under another line, or a pointer to a NOTE record. A pointer answers for
// the record it names, so the host sees the same note whichever form the
// file used. Nothing under the note's line is kept: every member re-reads it.
#pragma once

#include <string>

#include "access/host_tag.h"
#include "records/source/linked_record.h"

namespace kinfold {

class GDNoteRecord : public LinkedRecord<IGDNoteRecord, RecordKind::Note, IGDNoteRecord> {
   public:
    HRESULT STDMETHODCALLTYPE get_Note(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_UserRefNumbers(IGDReferenceNumbers** pVal) override;
    HRESULT STDMETHODCALLTYPE get_RecordID(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_ID(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Sources(IGDSources** pVal) override;
    HRESULT STDMETHODCALLTYPE get_LastModified(IGDChangeDateRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Tag(VARIANT* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE putref_Tag(VARIANT newVal) override;

    // The note's text: its own, or that of the note record a pointer names
    // (empty when it names none).
    std::string Text() const;

   private:
    bool IsPointer() const { return Form() == ReferenceForm::Pointer; }

    HostTag tag_;
};

}  // namespace kinfold
