// A REPO record, or a repository citation under a source, with its call
// numbers built while loading. A citation that points to a repository record
// answers its name, address, notes and record number from it; its call
// numbers, ID, change date, reference numbers and host tag are its own.
#pragma once

#include <string>

#include "access/host_tag.h"
#include "core/record_list.h"
#include "records/source/linked_record.h"

namespace kinfold {

class GDRepositoryRecord
    : public LinkedRecord<IGDRepositoryRecord, RecordKind::Repository, IGDRepositoryRecord> {
   public:
    bool TakeSubLine(const GedcomLine& line, RecordBase** child) override;
    HRESULT Link(RecordHost& database) override;
    void DropReferences() override;

    HRESULT STDMETHODCALLTYPE get_Name(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_CallNumbers(IGDCallNumbers** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Address(IGDAddressRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_LastModified(IGDChangeDateRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_UserRefNumbers(IGDReferenceNumbers** pVal) override;
    HRESULT STDMETHODCALLTYPE get_RecordID(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Tag(VARIANT* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE putref_Tag(VARIANT newVal) override;

    const RecordList& CallNumbers() const { return callNumbers_; }
    // The name a footnote shows: as Name, but empty for a pointer that names
    // no repository.
    std::string FootnoteName() const;

   private:
    bool IsPointer() const { return Form() == ReferenceForm::Pointer; }

    RecordList callNumbers_;
    HostTag tag_;
};

class GDCallNumberRecord : public RecordObject<IGDCallNumberRecord, IGDCallNumberRecord> {
   public:
    HRESULT STDMETHODCALLTYPE get_CallNumber(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Media(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Tag(VARIANT* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE putref_Tag(VARIANT newVal) override;

   private:
    HostTag tag_;
};

}  // namespace kinfold
