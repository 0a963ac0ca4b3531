// An OBJE line: a multimedia record, an object written in place under
// another record, or a pointer to a multimedia record, which answers every
// member from the record it names. Its files are built while loading, in
// either GEDCOM form: FILE lines with their own FORM, or a FORM beside a
// single FILE.
#pragma once

#include "access/host_tag.h"
#include "core/compact_text.h"
#include "core/record_list.h"
#include "records/source/linked_record.h"

namespace kinfold {

class GDMultimediaRecord
    : public LinkedRecord<IGDMultimediaRecord, RecordKind::Multimedia, IGDMultimediaRecord> {
   public:
    bool TakeSubLine(const GedcomLine& line, RecordBase** child) override;
    void DropReferences() override;

    HRESULT STDMETHODCALLTYPE get_MediaFiles(IGDMediaFiles** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Sources(IGDSources** pVal) override;
    HRESULT STDMETHODCALLTYPE get_ID(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_LastModified(IGDChangeDateRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_UserRefNumbers(IGDReferenceNumbers** pVal) override;
    HRESULT STDMETHODCALLTYPE get_RecordID(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Title(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Tag(VARIANT* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE putref_Tag(VARIANT newVal) override;

   private:
    bool IsPointer() const { return Form() == ReferenceForm::Pointer; }

    RecordList mediaFiles_;
    // Set once a FORM, TYPE or MEDI line stood directly under the object: the
    // older form, where one file is described beside the object's lines.
    bool implicitFile_ = false;
    HostTag tag_;
};

// One file of a multimedia object: its FILE line (none in the older form
// until one comes) and the format and media type met under it.
class GDMediaFileRecord : public RecordObject<IGDMediaFileRecord, IGDMediaFileRecord> {
   public:
    bool TakeSubLine(const GedcomLine& line, RecordBase** child) override;

    HRESULT STDMETHODCALLTYPE get_Path(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Format(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Title(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_MediaType(BSTR* pVal) override;

   private:
    CompactText format_;
    CompactText mediaType_;
};

}  // namespace kinfold
