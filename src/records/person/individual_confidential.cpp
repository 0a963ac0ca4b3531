// An individual's confidentiality, which the host's choice carries to
// everything that describes the person: names, events and the families the
// person is a spouse in.
#include "access/out_param.h"
#include "records/person/fact_event_record.h"
#include "records/person/family_record.h"
#include "records/person/individual_record.h"

namespace kinfold {
void GDIndividualRecord::SpreadConfidentialState(int32_t state) {
    confidentialState_ = static_cast<int8_t>(state);
    names_.SetConfidentialState(state);
    events_.SetConfidentialState(state);
    for (const FamilyLinkLine& link : spouseFamilyLinks_) {
        auto* family = static_cast<GDFamilyRecord*>(link.Target());
        if (family == nullptr) continue;
        family->SetConfidentialState(state);
        family->SetEventStates(state);
    }
}

HRESULT GDIndividualRecord::get_Confidential(VARIANT_BOOL* pVal) {
    return ReturnBool(pVal, IsConfidential());
}

// The host's choice is final: the database's inference only decides
// individuals that are still undecided.
HRESULT GDIndividualRecord::put_Confidential(VARIANT_BOOL newVal) {
    SpreadConfidentialState(newVal != VARIANT_FALSE ? 1 : 0);
    return S_OK;
}

}  // namespace kinfold
