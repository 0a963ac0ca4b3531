#include "records/person/first_sub_record.h"

#include "core/record_host.h"
#include "platform/notifier.h"

namespace kinfold {

HRESULT BuildFirstSubRecord(const RecordBase& owner, std::string_view tag, RecordFactory factory,
                            RecordBase** record) {
    *record = nullptr;
    int32_t position = owner.Position();
    if (!owner.FindSubTag(tag, position, false)) return S_OK;
    HRESULT hr = owner.Database()->Loader().ParseSubRecord(factory, position, record, nullptr);
    if (FAILED(hr)) ShowMessage("ERROR: GEDCOM file is corrupt. Invalid Reference.");
    return hr;
}

}  // namespace kinfold
