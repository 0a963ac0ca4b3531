#include "assistant/gd_assistant.h"

#include <memory>
#include <string>

#include "access/collections.h"
#include "access/error_report.h"
#include "access/out_param.h"
#include "assistant/fact_event_types.h"
#include "assistant/living_export.h"
#include "assistant/phonetic_codes.h"
#include "assistant/soundex.h"
#include "db/gedcom_db.h"
#include "platform/text.h"

namespace kinfold {

namespace {

bool Omitted(const VARIANT& argument) {
    return (argument.vt == VT_ERROR && argument.scode == DISP_E_PARAMNOTFOUND) ||
           argument.vt == VT_EMPTY || argument.vt == VT_NULL;
}

HRESULT ReadYears(VARIANT& argument, int32_t* years) {
    if (Omitted(argument)) return S_OK;
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, &argument, 0, VT_I4)) || converted.lVal < 0)
        return ReportFailure(E_INVALIDARG, "Years must be a number of years, 0 or more");
    *years = converted.lVal;
    return S_OK;
}

HRESULT ReadLivingName(VARIANT& argument, std::string* name) {
    if (Omitted(argument)) return S_OK;
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, &argument, 0, VT_BSTR)))
        return ReportFailure(E_INVALIDARG, "LivingName must be a text");
    *name = BstrToText(converted.bstrVal);
    VariantClear(&converted);
    bool oneLine = true;
    for (char c : *name) oneLine &= static_cast<unsigned char>(c) >= 0x20 && c != 0x7F;
    if (name->empty() || name->size() > kMaxLivingNameBytes || !oneLine)
        return ReportFailure(E_INVALIDARG,
                             "LivingName must be a name of 1 to 120 characters on one line");
    return S_OK;
}

}  // namespace

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

HRESULT GDAssistant::ExportHidingLiving(BSTR FileName, VARIANT Years, VARIANT LivingName,
                                        VARIANT_BOOL* pVal) {
    if (pVal == nullptr) return E_POINTER;
    *pVal = VARIANT_FALSE;
    return CatchOutOfMemory([&] {
        if (database_ == nullptr)
            return ReportFailure(E_FAIL, "This assistant belongs to no database");
        LivingExport request;
        request.path = BstrToText(FileName);
        HRESULT hr = ReadYears(Years, &request.years);
        if (SUCCEEDED(hr)) hr = ReadLivingName(LivingName, &request.livingName);
        if (FAILED(hr)) return hr;
        std::string failure;
        hr = WriteHidingLiving(*database_, request, &failure);
        if (FAILED(hr)) return ReportFailure(hr, failure);
        *pVal = VARIANT_TRUE;
        return S_OK;
    });
}

}  // namespace kinfold
