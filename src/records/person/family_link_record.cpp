#include "records/person/family_link_record.h"

#include "access/file_text.h"
#include "access/out_param.h"
#include "core/record_factory.h"
#include "records/person/on_demand_records.h"

namespace kinfold {

void GDFamilyLinkRecord::KeepPedigree(bool childLink, const CompactText* written) {
    if (written != nullptr) {
        pedigree_ = *written;
        pedigreeSource_ = PedigreeSource::Written;
    } else {
        pedigreeSource_ = childLink ? PedigreeSource::Birth : PedigreeSource::Spouse;
    }
}

std::string_view GDFamilyLinkRecord::Pedigree() const {
    switch (pedigreeSource_) {
        case PedigreeSource::Birth:
            return "birth";
        case PedigreeSource::Spouse:
            return "spouse";
        case PedigreeSource::Written:
            return pedigree_.View();
    }
    return {};
}

HRESULT GDFamilyLinkRecord::get_Link(IGDFamilyRecord** pVal) {
    return ReturnObject(pVal, Family());
}

HRESULT GDFamilyLinkRecord::get_LinkageStatus(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    return ReturnFileText(*this, pVal, [&] { return ReadTagValue("STAT"); });
}

HRESULT GDFamilyLinkRecord::get_PedigreeLinkageType(BSTR* pVal) {
    return ReturnFileText(*this, pVal, Pedigree());
}

HRESULT GDFamilyLinkRecord::get_Notes(IGDNotes** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "NOTE", &CreateRecordOf<RecordKind::Note>);
}

HRESULT GDFamilyLinkRecord::get_Tag(VARIANT* pVal) { return hostTag_.Get(pVal); }
HRESULT GDFamilyLinkRecord::put_Tag(VARIANT newVal) { return hostTag_.Put(newVal); }
HRESULT GDFamilyLinkRecord::putref_Tag(VARIANT newVal) { return hostTag_.Put(newVal); }

}  // namespace kinfold
