#include "core/record_factory.h"

#include <type_traits>

#include "assistant/gd_assistant.h"
#include "db/assistant_factory.h"
#include "records/person/association_record.h"
#include "records/person/fact_event_record.h"
#include "records/person/family_entry.h"
#include "records/person/family_link_record.h"
#include "records/person/individual_entry.h"
#include "records/person/individual_pointer.h"
#include "records/person/name_record.h"
#include "records/person/ordinance_record.h"
#include "records/person/place_record.h"
#include "records/source/address_record.h"
#include "records/source/change_date_record.h"
#include "records/source/header_record.h"
#include "records/source/multimedia_record.h"
#include "records/source/note_record.h"
#include "records/source/plain_record.h"
#include "records/source/reference_number_record.h"
#include "records/source/repository_record.h"
#include "records/source/source_data_record.h"
#include "records/source/source_record.h"
#include "records/source/submitter_record.h"

namespace kinfold {
namespace {

// An entry for the records kept as entries, else an automation object.
template <class Record>
HRESULT Make(RecordBase** record) {
    if constexpr (std::is_base_of_v<RecordEntry, Record>)
        *record = NewEntry<Record>();
    else
        *record = NewObject<Record>();
    if (*record == nullptr) return E_OUTOFMEMORY;
    (*record)->AddRef();
    return S_OK;
}

}  // namespace

HRESULT CreateRecord(RecordKind kind, RecordBase** record) {
    *record = nullptr;
    // clang-format off
    switch (kind) {
        case RecordKind::Individual: return Make<IndividualEntry>(record);
        case RecordKind::Family: return Make<FamilyEntry>(record);
        case RecordKind::Note: return Make<GDNoteRecord>(record);
        case RecordKind::Source: return Make<GDSourceRecord>(record);
        case RecordKind::Repository: return Make<GDRepositoryRecord>(record);
        case RecordKind::Multimedia: return Make<GDMultimediaRecord>(record);
        case RecordKind::Submission: return Make<GDSubmissionRecord>(record);
        case RecordKind::Submitter: return Make<GDSubmitterRecord>(record);
        case RecordKind::Header: return Make<GDHeaderRecord>(record);
        case RecordKind::Name: return Make<GDNameRecord>(record);
        case RecordKind::Place: return Make<GDPlaceRecord>(record);
        case RecordKind::FactEvent: return Make<GDFactEventRecord>(record);
        case RecordKind::FamilyLink: return Make<GDFamilyLinkRecord>(record);
        case RecordKind::IndividualPointer: return Make<IndividualPointer>(record);
        case RecordKind::CallNumber: return Make<GDCallNumberRecord>(record);
        case RecordKind::Address: return Make<GDAddressRecord>(record);
        case RecordKind::ChangeDate: return Make<GDChangeDateRecord>(record);
        case RecordKind::ReferenceNumber: return Make<GDReferenceNumberRecord>(record);
        case RecordKind::SourceData: return Make<GDSourceDataRecord>(record);
        case RecordKind::SourceSystem: return Make<GDSourceSystemRecord>(record);
        case RecordKind::MediaFile: return Make<GDMediaFileRecord>(record);
        case RecordKind::Ordinance: return Make<GDOrdinanceRecord>(record);
        case RecordKind::Association: return Make<GDAssociationRecord>(record);
        case RecordKind::Plain: return Make<PlainRecord>(record);
    }
    // clang-format on
    return E_INVALIDARG;
}

HRESULT CreateAssistant(GEDCOMdb& database, IUnknown** assistant) {
    ComObject<GDAssistant>* object = NewObject<GDAssistant>(&database);
    if (object == nullptr) return E_OUTOFMEMORY;
    return object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(assistant));
}

}  // namespace kinfold
