#include "server/class_object.h"
#include "access/collections.h"
#include "assistant/gd_assistant.h"
#include "db/gedcom_db.h"
#include "records/person/family_link_record.h"
#include "records/person/family_record.h"
#include "records/person/individual_record.h"
#include "records/person/association_record.h"
#include "records/person/fact_event_record.h"
#include "records/person/name_record.h"
#include "records/person/ordinance_record.h"
#include "records/person/place_record.h"
#include "records/source/address_record.h"
#include "records/source/change_date_record.h"
#include "records/source/header_record.h"
#include "records/source/multimedia_record.h"
#include "records/source/plain_record.h"
#include "records/source/note_record.h"
#include "records/source/reference_number_record.h"
#include "records/source/repository_record.h"
#include "records/source/source_data_record.h"
#include "records/source/source_record.h"
#include "records/source/submitter_record.h"

namespace kinfold {
namespace {

struct ClassEntry {
    const CLSID* clsid;
    InstanceCreator creator;
};

const ClassEntry kClasses[] = {
    {&CLSID_GEDCOMdb, &CreateInstance<GEDCOMdb>},
    {&CLSID_GDAssistant, &CreateInstance<GDAssistant>},
    {&CLSID_GDIndividualRecord, &CreateInstance<GDIndividualRecord>},
    {&CLSID_GDFamilyRecord, &CreateInstance<GDFamilyRecord>},
    {&CLSID_GDFamilyLinkRecord, &CreateInstance<GDFamilyLinkRecord>},
    {&CLSID_GDNameRecord, &CreateInstance<GDNameRecord>},
    {&CLSID_GDFactEventRecord, &CreateInstance<GDFactEventRecord>},
    {&CLSID_GDPlaceRecord, &CreateInstance<GDPlaceRecord>},
    {&CLSID_GDSourceRecord, &CreateInstance<GDSourceRecord>},
    {&CLSID_GDRepositoryRecord, &CreateInstance<GDRepositoryRecord>},
    {&CLSID_GDCallNumberRecord, &CreateInstance<GDCallNumberRecord>},
    {&CLSID_GDNoteRecord, &CreateInstance<GDNoteRecord>},
    {&CLSID_GDMultimediaRecord, &CreateInstance<GDMultimediaRecord>},
    {&CLSID_GDSubmitterRecord, &CreateInstance<GDSubmitterRecord>},
    {&CLSID_GDSubmissionRecord, &CreateInstance<GDSubmissionRecord>},
    {&CLSID_GDHeaderRecord, &CreateInstance<GDHeaderRecord>},
    {&CLSID_GDOrdinanceRecord, &CreateInstance<GDOrdinanceRecord>},
    {&CLSID_GDAssociationRecord, &CreateInstance<GDAssociationRecord>},
    {&CLSID_GDSourceDataRecord, &CreateInstance<GDSourceDataRecord>},
    {&CLSID_GDMediaFileRecord, &CreateInstance<GDMediaFileRecord>},
    {&CLSID_GDSourceSystemRecord, &CreateInstance<GDSourceSystemRecord>},
    {&CLSID_GDAddressRecord, &CreateInstance<GDAddressRecord>},
    {&CLSID_GDChangeDateRecord, &CreateInstance<GDChangeDateRecord>},
    {&CLSID_GDReferenceNumberRecord, &CreateInstance<GDReferenceNumberRecord>},
    // Collections made by a class object have no container to show.
    {&CLSID_GDIndividuals, &CreateInstance<StandaloneCollection<IGDIndividuals>>},
    {&CLSID_GDFamilies, &CreateInstance<StandaloneCollection<IGDFamilies>>},
    {&CLSID_GDNames, &CreateInstance<StandaloneCollection<IGDNames>>},
    {&CLSID_GDNotes, &CreateInstance<StandaloneCollection<IGDNotes>>},
    {&CLSID_GDSources, &CreateInstance<StandaloneCollection<IGDSources>>},
    {&CLSID_GDRepositories, &CreateInstance<StandaloneCollection<IGDRepositories>>},
    {&CLSID_GDCallNumbers, &CreateInstance<StandaloneCollection<IGDCallNumbers>>},
    {&CLSID_GDFamilyLinks, &CreateInstance<StandaloneCollection<IGDFamilyLinks>>},
    {&CLSID_GDFactEvents, &CreateInstance<StandaloneCollection<IGDFactEvents>>},
    {&CLSID_GDFactEventTypes, &CreateInstance<StandaloneCollection<IGDFactEventTypes>>},
    {&CLSID_GDPlaces, &CreateInstance<StandaloneCollection<IGDPlaces>>},
    {&CLSID_GDMultimedia, &CreateInstance<StandaloneCollection<IGDMultimedia>>},
    {&CLSID_GDMediaFiles, &CreateInstance<StandaloneCollection<IGDMediaFiles>>},
    {&CLSID_GDSubmitters, &CreateInstance<StandaloneCollection<IGDSubmitters>>},
    {&CLSID_GDReferenceNumbers, &CreateInstance<StandaloneCollection<IGDReferenceNumbers>>},
    {&CLSID_GDOrdinances, &CreateInstance<StandaloneCollection<IGDOrdinances>>},
    {&CLSID_GDAssociations, &CreateInstance<StandaloneCollection<IGDAssociations>>},
    {&CLSID_GDList, &CreateInstance<StandaloneCollection<IGDList>>},
};

}  // namespace

InstanceCreator FindInstanceCreator(REFCLSID clsid) {
    for (const ClassEntry& entry : kClasses)
        if (IsEqualCLSID(clsid, *entry.clsid)) return entry.creator;
    return nullptr;
}

}  // namespace kinfold
