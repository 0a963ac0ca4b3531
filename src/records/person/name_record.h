// One NAME line of an individual, or a phonetic (FONE) or romanized (ROMN)
// variation of one. The name is split once, when its line is read; the other
// parts of the name structure are read from the file on demand.
#pragma once

#include <cstdint>
#include <string_view>

#include "access/host_tag.h"
#include "access/record_object.h"
#include "core/compact_text.h"

namespace kinfold {

class GDNameRecord : public RecordObject<IGDNameRecord, IGDNameRecord> {
   public:
    void TakeOpeningLine(const GedcomLine& line) override;
    bool TakeSubLine(const GedcomLine& line, RecordBase** child) override;
    // The split an individual's NameList kept at load, which SURN and GIVN
    // lines may have changed. Throws std::bad_alloc.
    void KeepSplit(std::string_view givenName, std::string_view surname, std::string_view fullName);

    // 0 not confidential, 1 confidential, 2 not decided (read as not
    // confidential); the owning individual keeps it equal to its own.
    void SetConfidentialState(int32_t state) override { confidentialState_ = state; }
    int32_t ConfidentialState() const override { return confidentialState_; }

    std::string_view Surname() const { return surname_.View(); }
    std::string_view GivenName() const { return givenName_.View(); }
    std::string_view FullName() const { return fullName_.View(); }

    // IGDNameRecord
    HRESULT STDMETHODCALLTYPE get_FullName(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Surname(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_GivenName(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Type(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Sources(IGDSources** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Tag(VARIANT* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE putref_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE get_Confidential(VARIANT_BOOL* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Confidential(VARIANT_BOOL newVal) override;
    HRESULT STDMETHODCALLTYPE get_Prefix(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_NickName(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_SurnamePrefix(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Suffix(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_PhoneticVariations(IGDNames** pVal) override;
    HRESULT STDMETHODCALLTYPE get_RomanizedVariations(IGDNames** pVal) override;

   private:
    bool IsConfidential() const { return confidentialState_ == 1; }
    // `text`, or the database's notice in its place when the name is confidential.
    HRESULT ReturnGuarded(BSTR* out, std::string_view text) const;
    // The value of the first `tag` line under the name, read only when it may be shown.
    HRESULT ReturnGuardedTag(BSTR* out, std::string_view tag) const;

    CompactText surname_;
    CompactText givenName_;
    CompactText fullName_;
    HostTag tag_;
    int32_t confidentialState_ = 2;
};

}  // namespace kinfold
