// SUBM and SUBN lines: the submitter and submission records, and the
// pointers to them (under the header, a family, an individual, and an
// individual's ANCI and DESI lines), which answer from the record they name.
// Everything is read from the file at each call.
#pragma once

#include "access/host_tag.h"
#include "records/source/linked_record.h"

namespace kinfold {

class GDSubmitterRecord
    : public LinkedRecord<IGDSubmitterRecord, RecordKind::Submitter, IGDSubmitterRecord> {
   public:
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_LastModified(IGDChangeDateRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Address(IGDAddressRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Multimedia(IGDMultimedia** pVal) override;
    HRESULT STDMETHODCALLTYPE get_LanguagePreference(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_RegisteredRefNum(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_RecordID(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_ID(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Tag(VARIANT* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE putref_Tag(VARIANT newVal) override;

   private:
    bool IsPointer() const { return Form() == ReferenceForm::Pointer; }

    HostTag tag_;
};

// A pointer to the submission always means the file's one submission record.
class GDSubmissionRecord
    : public WithTarget<RecordObject<IGDSubmissionRecord, IGDSubmissionRecord>> {
   public:
    void TakeOpeningLine(const GedcomLine& line) override;
    HRESULT Link(RecordHost& database) override;

    HRESULT STDMETHODCALLTYPE get_Submitter(IGDSubmitterRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_FamilyFileName(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_TempleCode(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_GenerationsOfAncestors(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_GenerationsOfDescendants(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_OrdinanceProcessFlag(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_RecordID(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_LastModified(IGDChangeDateRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_ID(BSTR* pVal) override;

   private:
    bool IsPointer() const { return form_ == ReferenceForm::Pointer; }

    ReferenceForm form_ = ReferenceForm::Inline;
};

}  // namespace kinfold
