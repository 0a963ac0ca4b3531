// Text read from a record's file, handed to the host as the record's
// database decodes it: as the platform reads bytes by default, or in the
// character set chosen for the file when the host asked for automatic
// decoding.
#pragma once

#include <string_view>

#include "access/out_param.h"
#include "core/gedcom_reader.h"
#include "core/record_base.h"
#include "core/record_host.h"

namespace kinfold {

HRESULT ReturnDecodedText(TextEncoding encoding, BSTR* out, std::string_view text);

inline HRESULT ReturnFileText(const RecordBase& record, BSTR* out, std::string_view text) {
    RecordHost* database = record.Database();
    const TextEncoding encoding =
        database != nullptr ? database->Reader().Encoding() : TextEncoding::Bytes;
    if (encoding == TextEncoding::Bytes) return ReturnText(out, text);
    return ReturnDecodedText(encoding, out, text);
}

}  // namespace kinfold
