// Text read from a record's file, handed to the host as the record's
// database decodes it: as the platform reads bytes by default, or in the
// character set chosen for the file when the host asked for automatic
// decoding.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>

#include "access/out_param.h"
#include "core/gedcom_reader.h"
#include "core/record_base.h"
#include "core/record_host.h"

namespace kinfold {

// The decoding of the file `record` was read from; Bytes once the record
// has let go of its database.
inline TextEncoding FileEncoding(const RecordBase& record) {
    RecordHost* database = record.Database();
    return database != nullptr ? database->Reader().Encoding() : TextEncoding::Bytes;
}

// A new BSTR holding `text` decoded as `encoding`; nullptr only when memory
// runs out.
BSTR AllocFileBstr(TextEncoding encoding, std::string_view text);

inline HRESULT ReturnFileText(const RecordBase& record, BSTR* out, std::string_view text) {
    const TextEncoding encoding = FileEncoding(record);
    if (encoding == TextEncoding::Bytes) return ReturnText(out, text);
    HRESULT hr = BeginOut(out);
    if (FAILED(hr)) return hr;
    *out = AllocFileBstr(encoding, text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The text `produce()` reads from the record's file (E_OUTOFMEMORY when
// reading it runs out of memory).
template <class Produce, class = std::enable_if_t<std::is_invocable_v<Produce>>>
HRESULT ReturnFileText(const RecordBase& record, BSTR* out, Produce produce) {
    static_assert(std::is_same_v<std::invoke_result_t<Produce>, std::string>);
    return CatchOutOfMemory(
        [&] { return ReturnFileText(record, out, std::string_view(produce())); });
}

}  // namespace kinfold
