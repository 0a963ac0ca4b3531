#include "host/member_path.h"

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/text.h"
#include "support/com_test_support.h"

namespace kinfold::test {
namespace {

constexpr WORD kGet = DISPATCH_PROPERTYGET | DISPATCH_METHOD;

// One step: "Name" or "Name(arg)".
HRESULT ReadStep(IDispatch* object, std::string_view step, VARIANT* result) {
    std::vector<VARIANT> args;
    const size_t open = step.find('(');
    std::string_view name = step.substr(0, open);
    if (open != std::string_view::npos) {
        std::string_view arg = step.substr(open + 1, step.size() - open - 2);
        if (!arg.empty() && arg.front() == '"') {
            args.push_back(TextVariant(arg.substr(1, arg.size() - 2)));
        } else {
            args.push_back(LongVariant(std::atol(std::string(arg).c_str())));
        }
    }
    return InvokeByName(object, name, kGet, std::move(args), result);
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
    if (value.vt != VT_BSTR) return "<vt " + std::to_string(value.vt) + ">";
    return BstrToText(value.bstrVal);
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

}  // namespace kinfold::test
