#include "host/member_path.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/text.h"
#include "support/com_test_support.h"

namespace kinfold::test {
namespace {

// One step: "Name" or "Name(arg)". A failing member's own code is returned
// rather than the DISP_E_EXCEPTION that carries it.
HRESULT ReadStep(IDispatch* object, std::string_view step, VARIANT* result) {
    const size_t open = step.find('(');
    const DISPID id = IdOfName(object, step.substr(0, open));
    if (id == DISPID_UNKNOWN) return DISP_E_UNKNOWNNAME;
    VARIANT arg;
    VariantInit(&arg);
    if (open != std::string_view::npos) {
        std::string_view text = step.substr(open + 1, step.size() - open - 2);
        arg = !text.empty() && text.front() == '"'
                  ? TextVariant(text.substr(1, text.size() - 2))
                  : LongVariant(std::atol(std::string(text).c_str()));
    }
    DISPPARAMS params{&arg, nullptr, arg.vt == VT_EMPTY ? 0u : 1u, 0};
    EXCEPINFO exception{};
    UINT argError = 0;
    HRESULT hr =
        object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET | DISPATCH_METHOD,
                       &params, result, &exception, &argError);
    VariantClear(&arg);
    if (hr == DISP_E_EXCEPTION && exception.scode != 0) hr = exception.scode;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return hr;
}

}  // namespace

HRESULT ReadPath(IDispatch* root, std::string_view path, VARIANT* result) {
    Variant holder;  // keeps the object of the step before alive
    IDispatch* object = root;
    for (;;) {
        const size_t dot = path.find('.');
        Variant next;
        HRESULT hr = ReadStep(object, path.substr(0, dot), &next);
        if (FAILED(hr)) return hr;
        if (dot == std::string_view::npos) return VariantCopy(result, &next);
        if (AsObject(next) == nullptr) return E_POINTER;
        VariantClear(&holder);
        VariantCopy(&holder, &next);
        object = AsObject(holder);
        path.remove_prefix(dot + 1);
    }
}

std::string TextOfVariant(const VARIANT& value) {
    switch (value.vt) {
        case VT_BSTR:
            return BstrToText(value.bstrVal);
        case VT_I4:
            return std::to_string(value.lVal);
        case VT_BOOL:
            return value.boolVal != VARIANT_FALSE ? "True" : "False";
        case VT_EMPTY:
            return "<empty>";
        case VT_DISPATCH:
            return value.pdispVal != nullptr ? "<object>" : "<nothing>";
        default:
            return "<vt " + std::to_string(value.vt) + ">";
    }
}

std::string ReadPathText(IDispatch* root, std::string_view path) {
    Variant value;
    const HRESULT hr = ReadPath(root, path, &value);
    if (FAILED(hr)) {
        char code[16];
        std::snprintf(code, sizeof code, "<0x%08X>", static_cast<unsigned>(hr));
        return code;
    }
    return TextOfVariant(*value);
}

void ExpectPathTexts(IDispatch* root, std::initializer_list<PathText> cases) {
    for (const PathText& c : cases) EXPECT_EQ(ReadPathText(root, c.path), c.expected) << c.path;
}

}  // namespace kinfold::test
