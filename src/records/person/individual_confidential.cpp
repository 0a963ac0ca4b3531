// An individual's confidentiality as the host reads and sets it; the entry
// carries the choice to everything that describes the person.
#include "access/out_param.h"
#include "records/person/individual_record.h"

namespace kinfold {
HRESULT GDIndividualRecord::get_Confidential(VARIANT_BOOL* pVal) {
    return ReturnBool(pVal, entry_->IsConfidential());
}

// The host's choice is final: the database's inference only decides
// individuals that are still undecided.
HRESULT GDIndividualRecord::put_Confidential(VARIANT_BOOL newVal) {
    entry_->SpreadConfidentialState(newVal != VARIANT_FALSE ? 1 : 0);
    return S_OK;
}

}  // namespace kinfold
