#include "access/file_text.h"

#include <new>

namespace kinfold {

BSTR AllocFileBstr(TextEncoding encoding, std::string_view text) {
    if (encoding == TextEncoding::Bytes) return AllocBstr(text);
    try {
        return AllocBstrUtf16(DecodeText(encoding, text));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace kinfold
