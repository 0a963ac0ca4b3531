// One FAMC or FAMS line under an individual: its pedigree and, once linked,
// the family it names. Made when a host first asks for it, from what the
// individual's FamilyLinkList kept of the line.
#pragma once

#include <cstdint>
#include <string_view>

#include "access/host_tag.h"
#include "access/record_object.h"
#include "core/compact_text.h"

namespace kinfold {

class GDFamilyLinkRecord
    : public WithTarget<RecordObject<IGDFamilyLinkRecord, IGDFamilyLinkRecord>> {
   public:
    // `written`: the pedigree a PEDI line wrote, or null for the default of
    // a FAMC (`childLink`) or FAMS line. Throws std::bad_alloc.
    void KeepPedigree(bool childLink, const CompactText* written);

    // "birth" for a FAMC line, "spouse" for a FAMS line, unless a PEDI line
    // under it says otherwise.
    std::string_view Pedigree() const;
    RecordBase* Family() const { return Target(); }

    HRESULT STDMETHODCALLTYPE get_Link(IGDFamilyRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_LinkageStatus(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_PedigreeLinkageType(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Notes(IGDNotes** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Tag(VARIANT* pVal) override;
    HRESULT STDMETHODCALLTYPE put_Tag(VARIANT newVal) override;
    HRESULT STDMETHODCALLTYPE putref_Tag(VARIANT newVal) override;

   private:
    // Nearly every link keeps its default pedigree, which then costs no text
    // of its own; only a PEDI line fills `pedigree_`.
    enum class PedigreeSource : uint8_t { Birth, Spouse, Written };

    CompactText pedigree_;
    PedigreeSource pedigreeSource_ = PedigreeSource::Spouse;
    HostTag hostTag_;
};

}  // namespace kinfold
