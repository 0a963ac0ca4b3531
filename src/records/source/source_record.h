// A SOUR line in any of its three forms: a source record, a citation that
// holds its text in place, or a citation that points to a source record
// (which, with the database's merge option, answers most members for it).
// Repository citations under it are built while loading; everything else is
// read from the file at each call.
#pragma once

#include <string>

#include "access/host_tag.h"
#include "core/record_list.h"
#include "records/source/linked_record.h"

namespace kinfold {

class GDSourceRecord : public LinkedRecord<IGDSourceRecord, RecordKind::Source, IGDSourceRecord> {
   public:
    bool TakeSubLine(const GedcomLine& line, RecordBase** child) override;
    HRESULT Link(RecordHost& database) override;
    void DropReferences() override;

    HRESULT STDMETHODCALLTYPE get_Footnote(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Author(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Certainty(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_EventCitedFrom(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Page(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_RecordID(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_PublicationFacts(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Title(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_RecordType(gd_SourceRecordType* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Repositories(IGDRepositories** pVal) override;
    HRESULT STDMETHODCALLTYPE get_MasterSource(IGDSourceRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Tag(VARIANT* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE putref_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE get_Multimedia(IGDMultimedia** pVal) override;
    HRESULT STDMETHODCALLTYPE get_LastModified(IGDChangeDateRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_UserRefNumbers(IGDReferenceNumbers** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Data(IGDSourceDataRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_AbbreviatedTitle(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_RoleInEvent(BSTR* pVal) override;

    const RecordList& Repositories() const { return repositories_; }
    // The source record a pointer citation names; null for the other forms.
    GDSourceRecord* Master() const { return static_cast<GDSourceRecord*>(Target()); }
    // The title without merging: the TITL text of a source record, the
    // citation's own text in place, nothing for a pointer.
    std::string OwnTitle() const;

   private:
    // A pointer citation while the database merges citations with their
    // source records.
    bool IsMerged() const;

    RecordList repositories_;
    HostTag tag_;
};

}  // namespace kinfold
