#include "assistant/gd_assistant.h"

#include <memory>
#include <string>

#include "access/collections.h"
#include "access/error_report.h"
#include "access/out_param.h"
#include "assistant/fact_event_types.h"
#include "assistant/phonetic_codes.h"
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

HRESULT GDAssistant::PhoneticCodes(BSTR Name, BSTR Method, IGDList** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    return CatchOutOfMemory([&] {
        PhoneticMethod method;
        if (!FindPhoneticMethod(BstrToText(Method), &method))
            return ReportFailure(E_INVALIDARG, "Unknown phonetic method '" + BstrToText(Method) +
                                                   "': use soundex, dm or cologne");
        auto codes = std::make_unique<ValueList>();
        for (const std::string& code : HostNameCodes(Name, method))
            if (!codes->Append(code)) return E_OUTOFMEMORY;
        return MakeBuiltCollection(pVal, std::move(codes));
    });
}

}  // namespace kinfold
