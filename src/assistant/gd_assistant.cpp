#include "assistant/gd_assistant.h"

#include "access/out_param.h"
#include "assistant/fact_event_types.h"
#include "assistant/soundex.h"
#include "platform/text.h"

namespace kinfold {

HRESULT GDAssistant::GetFactEventTypeDescription(BSTR Type, BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    return CatchOutOfMemory([&] {
        const std::string type = BstrToText(Type);
        return ReturnText(pVal, FactEventTypeDescription(type));
    });
}

HRESULT GDAssistant::Soundex(BSTR Name, BSTR* pVal) {
    if (pVal == nullptr) return E_POINTER;
    return ReturnText(pVal, [&] { return SoundexCode(BstrToText(Name)); });
}

}  // namespace kinfold
