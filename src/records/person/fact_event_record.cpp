#include "records/person/fact_event_record.h"

#include "access/file_text.h"
#include "access/out_param.h"
#include "core/gedcom_line.h"
#include "core/record_host.h"
#include "records/person/blank_objects.h"
#include "records/person/confidential_notice.h"
#include "records/person/first_sub_record.h"
#include "records/person/on_demand_records.h"
#include "records/source/address_record.h"

namespace kinfold {
HRESULT GDFactEventRecord::ReturnGuardedValue(BSTR* out, std::string_view tag) const {
    if (out == nullptr) return E_POINTER;
    if (IsConfidential()) return ReturnText(out, ConfidentialNotice(*this));
    return ReturnFileText(*this, out, [&] { return ReadTagValue(tag); });
}

// Only the first partner line counts, and only AGE lines directly under it.
// Without a partner line there is nothing to hide, so confidentiality does
// not show there.
HRESULT GDFactEventRecord::ReturnPartnerAge(BSTR* out, std::string_view partnerTag) const {
    if (out == nullptr) return E_POINTER;
    int32_t partner = Position();
    if (!FindSubTag(partnerTag, partner, false)) return ReturnText(out, {});
    if (IsConfidential()) return ReturnText(out, ConfidentialNotice(*this));
    return ReturnFileText(*this, out, [&] { return ReadTagValue("AGE", partner); });
}

HRESULT GDFactEventRecord::get_Date(BSTR* pVal) { return ReturnGuardedValue(pVal, "DATE"); }
HRESULT GDFactEventRecord::get_Age(BSTR* pVal) { return ReturnGuardedValue(pVal, "AGE"); }
HRESULT GDFactEventRecord::get_ResponsibleAgency(BSTR* pVal) {
    return ReturnGuardedValue(pVal, "AGNC");
}
HRESULT GDFactEventRecord::get_ReligiousAffiliation(BSTR* pVal) {
    return ReturnGuardedValue(pVal, "RELI");
}
HRESULT GDFactEventRecord::get_Cause(BSTR* pVal) { return ReturnGuardedValue(pVal, "CAUS"); }

HRESULT GDFactEventRecord::get_HusbandAge(BSTR* pVal) { return ReturnPartnerAge(pVal, "HUSB"); }
HRESULT GDFactEventRecord::get_WifeAge(BSTR* pVal) { return ReturnPartnerAge(pVal, "WIFE"); }

HRESULT GDFactEventRecord::get_Data(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    if (IsConfidential()) return ReturnText(pVal, ConfidentialNotice(*this));
    // The blank event has no line at all, which is not a damaged file.
    if (Position() == -1) return ReturnText(pVal, {});
    return ReturnFileText(*this, pVal, [&] { return ReadText(Position()); });
}

std::string GDFactEventRecord::Type() const {
    std::string tag = GetTag();
    return tag == "EVEN" || tag == "FACT" ? ReadTagValue("TYPE") : tag;
}

HRESULT GDFactEventRecord::get_Type(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    return ReturnFileText(*this, pVal, [&] { return Type(); });
}

HRESULT GDFactEventRecord::get_GEDCOMTag(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    return ReturnFileText(*this, pVal, [&] { return GetTag(); });
}

HRESULT GDFactEventRecord::get_Descriptor(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    return ReturnFileText(*this, pVal, [&] { return ReadTagValue("TYPE"); });
}

HRESULT GDFactEventRecord::get_RestrictionNotice(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    return ReturnFileText(*this, pVal, [&] { return ReadTagValue("RESN"); });
}

HRESULT GDFactEventRecord::get_Confidential(VARIANT_BOOL* pVal) {
    return ReturnBool(pVal, IsConfidential());
}

HRESULT GDFactEventRecord::put_Confidential(VARIANT_BOOL newVal) {
    confidentialState_ = newVal != VARIANT_FALSE ? 1 : 0;
    return S_OK;
}

// A confidential event gives no place of its own; the blank place, when the
// host asked for it, stands in as it does for a missing one.
HRESULT GDFactEventRecord::get_Place(IGDPlaceRecord** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    RecordBase* place = nullptr;
    if (!IsConfidential()) {
        hr = BuildFirstSubRecord(*this, "PLAC", &CreateRecordOf<RecordKind::Place>, &place);
        if (FAILED(hr)) return hr;
    }
    if (place == nullptr) return ReturnObject(pVal, BlankPlaceFor(*this));
    return ReturnBuilt(pVal, place);
}

HRESULT GDFactEventRecord::get_Notes(IGDNotes** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "NOTE", &CreateRecordOf<RecordKind::Note>,
                                 IsConfidential());
}

// Citations stay visible on a confidential event.
HRESULT GDFactEventRecord::get_Sources(IGDSources** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "SOUR", &CreateRecordOf<RecordKind::Source>);
}

HRESULT GDFactEventRecord::get_Multimedia(IGDMultimedia** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "OBJE", &CreateRecordOf<RecordKind::Multimedia>,
                                 IsConfidential());
}

// The address's telephone and web lines stand beside ADDR, under the event.
HRESULT GDFactEventRecord::get_Address(IGDAddressRecord** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr) || IsConfidential()) return hr;
    return ReturnAddress(pVal, *this);
}

// Looked up at every call rather than kept: the event holds no pointers.
HRESULT GDFactEventRecord::get_AssociatedFamily(IGDFamilyRecord** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    GedcomLine line;
    if (!ReadTagLine("FAMC", line) || line.Pointer().empty()) return S_OK;
    return ReturnObject(pVal, Database()->FindRecord(RecordKind::Family, line.Pointer()));
}

HRESULT GDFactEventRecord::get_AdoptedByParent(BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    int32_t family = Position();
    if (!FindSubTag("FAMC", family, false)) return ReturnText(pVal, {});
    return ReturnFileText(*this, pVal, [&] { return ReadTagValue("ADOP", family); });
}

HRESULT GDFactEventRecord::get_Tag(VARIANT* pVal) { return hostTag_.Get(pVal); }
HRESULT GDFactEventRecord::put_Tag(VARIANT newVal) { return hostTag_.Put(newVal); }
HRESULT GDFactEventRecord::putref_Tag(VARIANT newVal) { return hostTag_.Put(newVal); }

}  // namespace kinfold
