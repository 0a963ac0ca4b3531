#include "records/person/name_record.h"

#include "access/file_text.h"
#include "access/out_param.h"
#include "core/gedcom_line.h"
#include "records/person/confidential_notice.h"
#include "records/person/name_split.h"
#include "records/person/on_demand_records.h"

namespace kinfold {

void GDNameRecord::TakeOpeningLine(const GedcomLine& line) {
    RecordBase::TakeOpeningLine(line);
    const NameSplit split = SplitName(line.Value());
    KeepSplit(split.givenName, split.surname, split.fullName);
}

void GDNameRecord::KeepSplit(std::string_view givenName, std::string_view surname,
                             std::string_view fullName) {
    givenName_.Assign(givenName);
    surname_.Assign(surname);
    fullName_.Assign(fullName);
}

// SURN and GIVN, when the file gives them, say better than the slashes which
// part is which; the display form stays as written. Every line is refused,
// since the rest is read again on demand.
bool GDNameRecord::TakeSubLine(const GedcomLine& line, RecordBase** child) {
    *child = nullptr;
    if (line.Tag() == "SURN") surname_.Assign(line.Value());
    if (line.Tag() == "GIVN") givenName_.Assign(line.Value());
    return false;
}

HRESULT GDNameRecord::ReturnGuarded(BSTR* out, std::string_view text) const {
    return IsConfidential() ? ReturnText(out, ConfidentialNotice(*this))
                            : ReturnFileText(*this, out, text);
}

HRESULT GDNameRecord::ReturnGuardedTag(BSTR* out, std::string_view tag) const {
    if (out == nullptr) return E_POINTER;
    if (IsConfidential()) return ReturnText(out, ConfidentialNotice(*this));
    return ReturnFileText(*this, out, [&] { return ReadTagValue(tag); });
}

HRESULT GDNameRecord::get_FullName(BSTR* pVal) { return ReturnGuarded(pVal, FullName()); }
HRESULT GDNameRecord::get_Surname(BSTR* pVal) { return ReturnGuarded(pVal, Surname()); }
HRESULT GDNameRecord::get_GivenName(BSTR* pVal) { return ReturnGuarded(pVal, GivenName()); }
HRESULT GDNameRecord::get_Type(BSTR* pVal) { return ReturnGuardedTag(pVal, "TYPE"); }
HRESULT GDNameRecord::get_Prefix(BSTR* pVal) { return ReturnGuardedTag(pVal, "NPFX"); }
HRESULT GDNameRecord::get_NickName(BSTR* pVal) { return ReturnGuardedTag(pVal, "NICK"); }
HRESULT GDNameRecord::get_SurnamePrefix(BSTR* pVal) { return ReturnGuardedTag(pVal, "SPFX"); }
HRESULT GDNameRecord::get_Suffix(BSTR* pVal) { return ReturnGuardedTag(pVal, "NSFX"); }

HRESULT GDNameRecord::get_Notes(IGDNotes** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "NOTE", &CreateRecordOf<RecordKind::Note>,
                                 IsConfidential());
}

// Citations stay visible on a confidential name: they say where the name
// came from, not who the person is.
HRESULT GDNameRecord::get_Sources(IGDSources** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "SOUR", &CreateRecordOf<RecordKind::Source>);
}

HRESULT GDNameRecord::get_PhoneticVariations(IGDNames** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "FONE", &CreateRecordOf<RecordKind::Name>,
                                 IsConfidential());
}

HRESULT GDNameRecord::get_RomanizedVariations(IGDNames** pVal) {
    return ReturnOnDemandRecords(pVal, *this, "ROMN", &CreateRecordOf<RecordKind::Name>,
                                 IsConfidential());
}

HRESULT GDNameRecord::get_Tag(VARIANT* pVal) { return tag_.Get(pVal); }
HRESULT GDNameRecord::put_Tag(VARIANT newVal) { return tag_.Put(newVal); }
HRESULT GDNameRecord::putref_Tag(VARIANT newVal) { return tag_.Put(newVal); }

HRESULT GDNameRecord::get_Confidential(VARIANT_BOOL* pVal) {
    return ReturnBool(pVal, IsConfidential());
}

HRESULT GDNameRecord::put_Confidential(VARIANT_BOOL newVal) {
    confidentialState_ = newVal != VARIANT_FALSE ? 1 : 0;
    return S_OK;
}

}  // namespace kinfold
