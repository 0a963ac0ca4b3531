// Sub-objects that a member builds afresh at every call from the first line
// with a given tag directly under its owner's line (an event's place, say).
#pragma once

#include <string_view>

#include "access/out_param.h"
#include "core/gedcom_loader.h"
#include "core/record_factory.h"
#include "kinfold.h"
#include "platform/automation.h"

namespace kinfold {

// A factory of the form ParseSubRecord takes, for one record kind.
template <RecordKind Kind>
HRESULT CreateRecordOf(RecordBase** record) {
    return CreateRecord(Kind, record);
}

// `record` receives the new, linked object with one reference, or stays null
// with S_OK when the owner has no such line. A failure to make it is shown to
// the user once and its code returned. The line is looked for directly under
// the line at `startPosition`, the owner's own when it is -1.
HRESULT BuildFirstSubRecord(const RecordBase& owner, std::string_view tag, RecordFactory factory,
                            RecordBase** record, int32_t startPosition = -1);

// Builds that object and hands it to the host through `out`: NULL with S_OK
// when there is no such line.
template <class Iface>
HRESULT ReturnFirstSubRecord(Iface** out, const RecordBase& owner, std::string_view tag,
                             RecordFactory factory) {
    HRESULT hr = BeginOut(out);
    if (FAILED(hr)) return hr;
    RecordBase* record = nullptr;
    hr = BuildFirstSubRecord(owner, tag, factory, &record);
    if (FAILED(hr)) return hr;
    return ReturnBuilt(out, record);
}

// A record's change date: the first CHAN line directly under it.
inline HRESULT ReturnLastModified(IGDChangeDateRecord** out, const RecordBase& owner) {
    return ReturnFirstSubRecord(out, owner, "CHAN", &CreateRecordOf<RecordKind::ChangeDate>);
}

}  // namespace kinfold
