// The root object a host creates: it owns the loader with its reader, the
// record stores, the options, the three blank records and the assistant.
#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

#include "access/com_object.h"
#include "access/no_connection_points.h"
#include "core/database_options.h"
#include "core/gedcom_loader.h"
#include "core/record_host.h"
#include "core/record_store.h"
#include "core/type_name_set.h"
#include "db/handed_out_records.h"
#include "db/load_report.h"
#include "kinfold.h"

namespace kinfold {

class GEDCOMdb : public ObjectRoot,
                 public DualInterface<IGEDCOMdb3>,
                 public ErrorInfoSupport<IGEDCOMdb3, IGEDCOMdb2, IGEDCOMdb>,
                 public NoConnectionPoints,
                 public RecordHost {
   public:
    GEDCOMdb();
    ~GEDCOMdb() override;

    // Makes the blank records, the assistant and the aggregated marshaler;
    // run once after construction.
    HRESULT Initialize() override;
    void* FindInterface(REFIID riid) override;

    // IGEDCOMdb
    HRESULT STDMETHODCALLTYPE LoadGEDCOMFile(BSTR FileName, VARIANT_BOOL* pVal) override;
    HRESULT STDMETHODCALLTYPE GetIndividualFromID(BSTR ID, IGDIndividualRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Individuals(IGDIndividuals** pVal) override;
    HRESULT STDMETHODCALLTYPE get_ReturnBlankNames(VARIANT_BOOL* pVal) override;
    HRESULT STDMETHODCALLTYPE put_ReturnBlankNames(VARIANT_BOOL newVal) override;
    HRESULT STDMETHODCALLTYPE get_ReturnBlankPlaces(VARIANT_BOOL* pVal) override;
    HRESULT STDMETHODCALLTYPE put_ReturnBlankPlaces(VARIANT_BOOL newVal) override;
    HRESULT STDMETHODCALLTYPE get_ReturnBlankEvents(VARIANT_BOOL* pVal) override;
    HRESULT STDMETHODCALLTYPE put_ReturnBlankEvents(VARIANT_BOOL newVal) override;
    HRESULT STDMETHODCALLTYPE get_ReturnBlankFlags(LONG* pVal) override;
    HRESULT STDMETHODCALLTYPE put_ReturnBlankFlags(LONG newVal) override;
    HRESULT STDMETHODCALLTYPE get_Families(IGDFamilies** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Repositories(IGDRepositories** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Sources(IGDSources** pVal) override;
    HRESULT STDMETHODCALLTYPE SetConfidentiality(LONG Years) override;
    HRESULT STDMETHODCALLTYPE ClearConfidentiality() override;
    HRESULT STDMETHODCALLTYPE get_DefaultConfidentialValue(LONG* pVal) override;
    HRESULT STDMETHODCALLTYPE put_DefaultConfidentialValue(LONG newVal) override;
    HRESULT STDMETHODCALLTYPE get_IndAttributeTypes(IGDFactEventTypes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_IndEventTypes(IGDFactEventTypes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_FamEventTypes(IGDFactEventTypes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Assistant(IGDAssistant** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Multimedia(IGDMultimedia** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Submitters(IGDSubmitters** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Header(IGDHeaderRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_ConcatenateWithSpace(VARIANT_BOOL* pVal) override;
    HRESULT STDMETHODCALLTYPE put_ConcatenateWithSpace(VARIANT_BOOL newVal) override;
    HRESULT STDMETHODCALLTYPE get_FileName(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_MergeCitationAndMasterSource(VARIANT_BOOL* pVal) override;
    HRESULT STDMETHODCALLTYPE put_MergeCitationAndMasterSource(VARIANT_BOOL newVal) override;
    HRESULT STDMETHODCALLTYPE get_SourceFootnoteFormat(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE put_SourceFootnoteFormat(BSTR newVal) override;
    HRESULT STDMETHODCALLTYPE get_ConfidentialNotice(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE put_ConfidentialNotice(BSTR newVal) override;

    // IGEDCOMdb2
    HRESULT STDMETHODCALLTYPE get_TextEncoding(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE put_TextEncoding(BSTR newVal) override;

    // IGEDCOMdb3
    HRESULT STDMETHODCALLTYPE get_DropDanglingPointers(VARIANT_BOOL* pVal) override;
    HRESULT STDMETHODCALLTYPE put_DropDanglingPointers(VARIANT_BOOL newVal) override;
    HRESULT STDMETHODCALLTYPE get_ReadLongLines(VARIANT_BOOL* pVal) override;
    HRESULT STDMETHODCALLTYPE put_ReadLongLines(VARIANT_BOOL newVal) override;
    HRESULT STDMETHODCALLTYPE get_JoinLinesWithoutLevel(VARIANT_BOOL* pVal) override;
    HRESULT STDMETHODCALLTYPE put_JoinLinesWithoutLevel(VARIANT_BOOL newVal) override;
    HRESULT STDMETHODCALLTYPE get_DroppedLines(IGDList** pVal) override;
    HRESULT STDMETHODCALLTYPE get_LoadError(BSTR* pVal) override;

    // RecordHost
    GedcomReader& Reader() override { return loader_.Reader(); }
    GedcomLoader& Loader() override { return loader_; }
    bool ConcatenateWithSpace() const override { return options_.concatenateWithSpace != 0; }
    const DatabaseOptions& Options() const override { return options_; }
    RecordBase* FindRecord(RecordKind kind, std::string_view id) const override;
    RecordBase* Submission() const override { return submission_; }
    RecordBase* BlankRecord(RecordKind kind) const override;
    void AddTypeName(TypeSet set, std::string_view name) override;
    void AddTypeNameBelow(TypeSet set, int32_t position) override;
    void ReadPendingTypeNames() override;
    HRESULT OpenTopLevelRecord(const GedcomLine& line, RecordBase** record) override;
    HRESULT LinkAll(Progress* window) override;
    HRESULT CreatePlainRecord(RecordBase** record) override;
    void NoteReadingChange(int32_t position, std::string_view text, std::string_view record,
                           std::string_view what) override;
    bool DropDanglingPointer(const RecordBase& owner, int32_t position) override;
    bool TrackHandedOut(RecordBase& record) override { return handedOut_.Add(record); }
    void ForgetHandedOut(RecordBase& record) override { handedOut_.Remove(record); }

    // The stores, for the database's own members, the assistant and tests.
    RecordStore& IndividualStore() { return individuals_; }
    RecordStore& FamilyStore() { return families_; }
    RecordStore& NoteStore() { return notes_; }
    RecordStore& SourceStore() { return sources_; }
    RecordStore& RepositoryStore() { return repositories_; }
    RecordStore& MultimediaStore() { return multimedia_; }
    RecordStore& SubmitterStore() { return submitters_; }
    RecordBase* BlankName() const { return blankName_; }
    RecordBase* BlankPlace() const { return blankPlace_; }
    RecordBase* BlankEvent() const { return blankEvent_; }
    TypeNameSet& IndividualEventTypes() { return individualEventTypes_; }
    TypeNameSet& IndividualAttributeTypes() { return individualAttributeTypes_; }
    TypeNameSet& FamilyEventTypes() { return familyEventTypes_; }

    // Drops every record and empties the type sets; the file stays open.
    void Clear();

   private:
    IUnknown* Self() { return static_cast<IGEDCOMdb*>(this); }
    // LinkAll's steps: the stores ordered and indexed, then the families
    // and individuals linked, each on two threads when `twoThreads`.
    void SealStores(bool twoThreads);
    HRESULT LinkPeople(bool twoThreads, uint32_t& done, ProgressMarks& marks);
    // Empties `stores`, releasing their records.
    void ReleaseRecords(std::initializer_list<RecordStore*> stores);

    GedcomLoader loader_;
    HandedOutRecords handedOut_;
    DatabaseOptions options_;
    LoadReport report_;
    RecordStore individuals_;
    RecordStore sources_;
    RecordStore notes_;
    RecordStore families_;
    RecordStore repositories_;
    RecordStore multimedia_;
    RecordStore submitters_;
    RecordBase* header_ = nullptr;
    RecordBase* submission_ = nullptr;
    TypeNameSet individualEventTypes_;
    TypeNameSet individualAttributeTypes_;
    TypeNameSet familyEventTypes_;
    struct PendingTypeName {
        TypeSet set;
        int32_t position;
    };
    std::vector<PendingTypeName> pendingTypeNames_;
    RecordBase* blankName_ = nullptr;
    RecordBase* blankPlace_ = nullptr;
    RecordBase* blankEvent_ = nullptr;
    IUnknown* assistant_ = nullptr;
    // The free-threaded marshaler's inner unknown (none natively).
    IUnknown* marshaler_ = nullptr;
};

// Creates a database and hands out `IGEDCOMdb` with one reference.
HRESULT CreateDatabase(IGEDCOMdb** database);

}  // namespace kinfold
