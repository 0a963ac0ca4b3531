#include "db/gedcom_db.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <new>

#include "access/collections.h"
#include "access/instance_creator.h"
#include "access/out_param.h"
#include "core/gedcom_line.h"
#include "core/record_factory.h"
#include "db/assistant_factory.h"
#include "db/confidentiality.h"
#include "platform/free_threaded_marshaler.h"
#include "platform/progress.h"
#include "platform/text.h"

namespace kinfold {
namespace {

// The level-0 tags the database keeps, compared exactly, in this order.
struct TopLevelKind {
    std::string_view tag;
    RecordKind kind;
};
constexpr TopLevelKind kTopLevelKinds[] = {
    {"INDI", RecordKind::Individual}, {"FAM", RecordKind::Family},
    {"NOTE", RecordKind::Note},       {"SOUR", RecordKind::Source},
    {"REPO", RecordKind::Repository}, {"OBJE", RecordKind::Multimedia},
    {"SUBN", RecordKind::Submission}, {"SUBM", RecordKind::Submitter},
    {"HEAD", RecordKind::Header},
};

void ReleaseSlot(RecordBase*& slot) {
    if (slot == nullptr) return;
    slot->DropReferences();
    slot->Release();
    slot = nullptr;
}

}  // namespace

GEDCOMdb::GEDCOMdb() : loader_(*this) {}

GEDCOMdb::~GEDCOMdb() {
    Clear();
    for (RecordBase** blank : {&blankName_, &blankPlace_, &blankEvent_}) ReleaseSlot(*blank);
    if (assistant_ != nullptr) assistant_->Release();
    if (marshaler_ != nullptr) marshaler_->Release();
    loader_.Reset();
    loader_.Reader().Open("");
}

HRESULT GEDCOMdb::Initialize() {
    const struct {
        RecordKind kind;
        RecordBase** slot;
    } blanks[] = {{RecordKind::Name, &blankName_},
                  {RecordKind::Place, &blankPlace_},
                  {RecordKind::FactEvent, &blankEvent_}};
    for (const auto& blank : blanks) {
        HRESULT hr = CreateRecord(blank.kind, blank.slot);
        if (FAILED(hr)) return hr;
        (*blank.slot)->SetDatabase(this);
    }
    HRESULT hr = CreateAssistant(*this, &assistant_);
    if (FAILED(hr)) return hr;
    // Self() delegates to the outer object when the database is aggregated,
    // so the marshaler always aggregates into the controlling unknown.
    return CreateFreeThreadedMarshaler(Self(), &marshaler_);
}

void* GEDCOMdb::FindInterface(REFIID riid) {
    if (marshaler_ != nullptr && IsEqualIID(riid, IID_IMarshal)) {
        // The marshaler's answer carries a reference on us, and our caller
        // adds its own; give one back so that the count stays right.
        void* marshal = nullptr;
        if (FAILED(marshaler_->QueryInterface(riid, &marshal))) return nullptr;
        static_cast<IUnknown*>(marshal)->Release();
        return marshal;
    }
    return LookupInterface<IGEDCOMdb3, IGEDCOMdb2, IGEDCOMdb, ISupportErrorInfo,
                           IConnectionPointContainer>(this, riid);
}

HRESULT GEDCOMdb::LoadGEDCOMFile(BSTR FileName, VARIANT_BOOL* pVal) {
    if (pVal == nullptr) return E_POINTER;
    Clear();
    report_.Clear();
    // The platform's display: the progress window on Windows, a line on a
    // terminal natively; either lets the user cancel.
    std::unique_ptr<Progress> window = CreateProgressDisplay();
    bool loaded = false;
    try {
        loaded = window && SUCCEEDED(loader_.Load(BstrToText(FileName), *window));
        if (!loaded && !loader_.FailureReason().empty())
            report_.SetFailure(loader_.FailureReason());
        report_.Finish(loader_.Reader());
    } catch (const std::bad_alloc&) {
        // Out of memory part way: a failed load, which leaves nothing behind.
        report_.SetFailure("ran out of memory");
    }
    if (!loaded) Clear();
    *pVal = loaded ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT GEDCOMdb::GetIndividualFromID(BSTR ID, IGDIndividualRecord** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    return CatchOutOfMemory([&] { return ReturnObject(pVal, individuals_.Find(BstrToText(ID))); });
}

HRESULT GEDCOMdb::get_Individuals(IGDIndividuals** pVal) {
    return MakeStoreCollection(pVal, individuals_, Self());
}
HRESULT GEDCOMdb::get_Families(IGDFamilies** pVal) {
    return MakeStoreCollection(pVal, families_, Self());
}
HRESULT GEDCOMdb::get_Notes(IGDNotes** pVal) { return MakeStoreCollection(pVal, notes_, Self()); }
HRESULT GEDCOMdb::get_Repositories(IGDRepositories** pVal) {
    return MakeStoreCollection(pVal, repositories_, Self());
}
HRESULT GEDCOMdb::get_Sources(IGDSources** pVal) {
    return MakeStoreCollection(pVal, sources_, Self());
}
HRESULT GEDCOMdb::get_Multimedia(IGDMultimedia** pVal) {
    return MakeStoreCollection(pVal, multimedia_, Self());
}
HRESULT GEDCOMdb::get_Submitters(IGDSubmitters** pVal) {
    return MakeStoreCollection(pVal, submitters_, Self());
}
HRESULT GEDCOMdb::get_IndAttributeTypes(IGDFactEventTypes** pVal) {
    return MakeTypeNameCollection(pVal, individualAttributeTypes_, Self());
}
HRESULT GEDCOMdb::get_IndEventTypes(IGDFactEventTypes** pVal) {
    return MakeTypeNameCollection(pVal, individualEventTypes_, Self());
}
HRESULT GEDCOMdb::get_FamEventTypes(IGDFactEventTypes** pVal) {
    return MakeTypeNameCollection(pVal, familyEventTypes_, Self());
}

HRESULT GEDCOMdb::get_Assistant(IGDAssistant** pVal) { return ReturnObject(pVal, assistant_); }
HRESULT GEDCOMdb::get_Header(IGDHeaderRecord** pVal) { return ReturnObject(pVal, header_); }

HRESULT GEDCOMdb::get_ReturnBlankNames(VARIANT_BOOL* pVal) {
    return ReturnValue(pVal, options_.returnBlankNames);
}
HRESULT GEDCOMdb::put_ReturnBlankNames(VARIANT_BOOL newVal) {
    options_.returnBlankNames = newVal;
    return S_OK;
}
HRESULT GEDCOMdb::get_ReturnBlankPlaces(VARIANT_BOOL* pVal) {
    return ReturnValue(pVal, options_.returnBlankPlaces);
}
HRESULT GEDCOMdb::put_ReturnBlankPlaces(VARIANT_BOOL newVal) {
    options_.returnBlankPlaces = newVal;
    return S_OK;
}
HRESULT GEDCOMdb::get_ReturnBlankEvents(VARIANT_BOOL* pVal) {
    return ReturnValue(pVal, options_.returnBlankEvents);
}
HRESULT GEDCOMdb::put_ReturnBlankEvents(VARIANT_BOOL newVal) {
    options_.returnBlankEvents = newVal;
    return S_OK;
}

// The three options as bits; a true VARIANT_BOOL has every bit set.
HRESULT GEDCOMdb::get_ReturnBlankFlags(LONG* pVal) {
    const LONG flags = (options_.returnBlankNames & gd_ReturnBlankNames) |
                       (options_.returnBlankEvents & gd_ReturnBlankEvents) |
                       (options_.returnBlankPlaces & gd_ReturnBlankPlaces);
    return ReturnValue(pVal, flags);
}
HRESULT GEDCOMdb::put_ReturnBlankFlags(LONG newVal) {
    auto bit = [newVal](LONG mask) { return (newVal & mask) ? VARIANT_TRUE : VARIANT_FALSE; };
    options_.returnBlankNames = bit(gd_ReturnBlankNames);
    options_.returnBlankEvents = bit(gd_ReturnBlankEvents);
    options_.returnBlankPlaces = bit(gd_ReturnBlankPlaces);
    return S_OK;
}

HRESULT GEDCOMdb::SetConfidentiality(LONG Years) {
    try {
        DecideConfidentiality(*this, CurrentLocalYear() - Years);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT GEDCOMdb::ClearConfidentiality() {
    kinfold::ClearConfidentiality(*this);
    return S_OK;
}

HRESULT GEDCOMdb::get_DefaultConfidentialValue(LONG* pVal) {
    return ReturnValue<LONG>(pVal, options_.defaultConfidentialValue);
}
HRESULT GEDCOMdb::put_DefaultConfidentialValue(LONG newVal) {
    options_.defaultConfidentialValue = newVal != 0 ? 1 : 0;
    return S_OK;
}

HRESULT GEDCOMdb::get_ConcatenateWithSpace(VARIANT_BOOL* pVal) {
    return ReturnValue(pVal, options_.concatenateWithSpace);
}
HRESULT GEDCOMdb::put_ConcatenateWithSpace(VARIANT_BOOL newVal) {
    options_.concatenateWithSpace = newVal;
    return S_OK;
}

HRESULT GEDCOMdb::get_FileName(BSTR* pVal) {
    return ReturnText(pVal, loader_.Reader().GetFileName());
}

HRESULT GEDCOMdb::get_MergeCitationAndMasterSource(VARIANT_BOOL* pVal) {
    return ReturnBool(pVal, options_.mergeCitationAndMasterSource != 0);
}
HRESULT GEDCOMdb::put_MergeCitationAndMasterSource(VARIANT_BOOL newVal) {
    options_.mergeCitationAndMasterSource = newVal;
    return S_OK;
}

HRESULT GEDCOMdb::get_SourceFootnoteFormat(BSTR* pVal) {
    return ReturnText(pVal, options_.footnoteFormat.Text());
}
HRESULT GEDCOMdb::put_SourceFootnoteFormat(BSTR newVal) {
    return CatchOutOfMemory([&] {
        options_.footnoteFormat.Compile(BstrToText(newVal));
        return S_OK;
    });
}

HRESULT GEDCOMdb::get_ConfidentialNotice(BSTR* pVal) {
    return ReturnText(pVal, options_.confidentialNotice);
}
HRESULT GEDCOMdb::put_ConfidentialNotice(BSTR newVal) {
    return CatchOutOfMemory([&] {
        options_.confidentialNotice = BstrToText(newVal);
        return S_OK;
    });
}

// "bytes" keeps text as the platform reads it; "auto" decodes each file
// loaded from then on by what it declares and what its bytes show.
HRESULT GEDCOMdb::get_TextEncoding(BSTR* pVal) {
    return ReturnText(pVal, options_.decodeTextAutomatically ? "auto" : "bytes");
}
HRESULT GEDCOMdb::put_TextEncoding(BSTR newVal) {
    return CatchOutOfMemory([&] {
        const std::string name = BstrToText(newVal);
        if (name != "auto" && name != "bytes") return E_INVALIDARG;
        options_.decodeTextAutomatically = name == "auto";
        return S_OK;
    });
}

HRESULT GEDCOMdb::OpenTopLevelRecord(const GedcomLine& line, RecordBase** record) {
    *record = nullptr;
    for (const TopLevelKind& entry : kTopLevelKinds) {
        if (line.Tag() != entry.tag) continue;
        RecordBase** slot = entry.kind == RecordKind::Header       ? &header_
                            : entry.kind == RecordKind::Submission ? &submission_
                                                                   : nullptr;
        if (slot != nullptr && *slot != nullptr) return S_FALSE;
        RecordBase* created = nullptr;
        HRESULT hr = CreateRecord(entry.kind, &created);
        if (FAILED(hr)) return hr;
        if (slot != nullptr) {
            *slot = created;
        } else {
            RecordStore& store = entry.kind == RecordKind::Individual   ? individuals_
                                 : entry.kind == RecordKind::Family     ? families_
                                 : entry.kind == RecordKind::Note       ? notes_
                                 : entry.kind == RecordKind::Source     ? sources_
                                 : entry.kind == RecordKind::Repository ? repositories_
                                 : entry.kind == RecordKind::Multimedia ? multimedia_
                                                                        : submitters_;
            const bool filed = store.Add(created);
            created->Release();
            if (!filed) return E_OUTOFMEMORY;
        }
        *record = created;
        return S_OK;
    }
    return S_FALSE;
}

RecordBase* GEDCOMdb::FindRecord(RecordKind kind, std::string_view id) const {
    const RecordStore* store = nullptr;
    switch (kind) {
        case RecordKind::Individual:
            store = &individuals_;
            break;
        case RecordKind::Family:
            store = &families_;
            break;
        case RecordKind::Note:
            store = &notes_;
            break;
        case RecordKind::Source:
            store = &sources_;
            break;
        case RecordKind::Repository:
            store = &repositories_;
            break;
        case RecordKind::Multimedia:
            store = &multimedia_;
            break;
        case RecordKind::Submitter:
            store = &submitters_;
            break;
        default:
            return nullptr;
    }
    return store->Find(id);
}

RecordBase* GEDCOMdb::BlankRecord(RecordKind kind) const {
    switch (kind) {
        case RecordKind::Name:
            return blankName_;
        case RecordKind::Place:
            return blankPlace_;
        case RecordKind::FactEvent:
            return blankEvent_;
        default:
            return nullptr;
    }
}

void GEDCOMdb::AddTypeName(TypeSet set, std::string_view name) {
    switch (set) {
        case TypeSet::IndividualEvents:
            individualEventTypes_.Add(name);
            break;
        case TypeSet::IndividualAttributes:
            individualAttributeTypes_.Add(name);
            break;
        case TypeSet::FamilyEvents:
            familyEventTypes_.Add(name);
            break;
    }
}

void GEDCOMdb::AddTypeNameBelow(TypeSet set, int32_t position) {
    pendingTypeNames_.push_back(PendingTypeName{set, position});
}

void GEDCOMdb::ReadPendingTypeNames() {
    for (const PendingTypeName& pending : pendingTypeNames_)
        AddTypeName(pending.set, ReadSubTagValue(loader_.Reader(), "TYPE", pending.position));
    pendingTypeNames_.clear();
}

HRESULT GEDCOMdb::CreatePlainRecord(RecordBase** record) {
    return CreateRecord(RecordKind::Plain, record);
}

// The records go from the highest address down. The pool hands freed blocks
// out again last freed first, so the next load gets them back in address
// order, each record's beside those of the record before it, as a first load
// lays them out; released in ID order they would come back scattered, and a
// second load in the same process would run at half the speed. Every record
// lets go of the others before any is released.
void GEDCOMdb::ReleaseRecords(std::initializer_list<RecordStore*> stores) {
    std::vector<RecordBase*> records;
    try {
        size_t count = 0;
        for (RecordStore* store : stores) count += store->Size();
        records.reserve(count);
    } catch (const std::bad_alloc&) {
        for (RecordStore* store : stores) store->Clear();
        return;
    }
    for (RecordStore* store : stores) store->MoveRecordsTo(records);
    for (RecordBase* record : records) record->DropReferences();
    std::sort(records.begin(), records.end(), std::greater<RecordBase*>());
    for (RecordBase* record : records) record->Release();
}

void GEDCOMdb::Clear() {
    loader_.Reset();
    handedOut_.DropAll();
    individualEventTypes_.Clear();
    individualAttributeTypes_.Clear();
    familyEventTypes_.Clear();
    pendingTypeNames_.clear();
    ReleaseRecords({&individuals_, &sources_, &notes_, &families_, &repositories_, &multimedia_});
    ReleaseSlot(header_);
    ReleaseSlot(submission_);
    submitters_.Clear();
}

HRESULT CreateDatabase(IGEDCOMdb** database) {
    return CreateInstance<GEDCOMdb>(nullptr, __uuidof(IGEDCOMdb),
                                    reinterpret_cast<void**>(database));
}

}  // namespace kinfold
