#include "access/file_text.h"

#include <string>

namespace kinfold {

HRESULT ReturnDecodedText(TextEncoding encoding, BSTR* out, std::string_view text) {
    HRESULT hr = BeginOut(out);
    if (FAILED(hr)) return hr;
    const std::u16string units = DecodeText(encoding, text);
    *out = AllocBstrUtf16(units);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace kinfold
