#include "records/person/first_sub_record.h"

#include "core/record_host.h"
#include "platform/notifier.h"

namespace kinfold {

HRESULT BuildFirstSubRecord(const RecordBase& owner, std::string_view tag, RecordFactory factory,
                            RecordBase** record, int32_t startPosition) {
    *record = nullptr;
    int32_t position = startPosition == -1 ? owner.Position() : startPosition;
    if (!owner.FindSubTag(tag, position, true)) return S_OK;
    HRESULT hr = owner.Database()->Loader().ParseSubRecord(factory, position, record, nullptr);
    if (FAILED(hr)) ShowMessage("ERROR: GEDCOM file is corrupt. Invalid Reference.");
    return hr;
}

}  // namespace kinfold
