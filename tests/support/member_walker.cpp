#ifndef _WIN32

#include "support/member_walker.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/text.h"

namespace kinfold::test {
namespace {

// Level-0 records that stay in memory; they are walked where their store
// lists them (the walk starting at the store's collection), not again at
// every member that leads to one.
bool IsStoredRecord(std::string_view iface) {
    return iface == "IGDIndividualRecord" || iface == "IGDFamilyRecord";
}

// A property a host can read with every argument left out.
bool Readable(const DispatchMember& member) {
    if (member.kind != DispatchKind::PropertyGet || member.resultType == VT_EMPTY) return false;
    for (UINT i = 0; i < member.paramCount; ++i) {
        if (!member.params[i].optional && !member.params[i].hasDefault) return false;
    }
    return true;
}

const DispatchMember* MemberNamed(const DispatchInterface& iface, std::string_view name) {
    for (const DispatchMember& member : iface) {
        if (member.kind == DispatchKind::PropertyGet && name == member.name) return &member;
    }
    return nullptr;
}

}  // namespace

HRESULT MemberWalker::InvokeOnce(IDispatch* object, const DispatchMember& member, VARIANT* args,
                                 UINT count, VARIANT* result, bool* described) {
    DISPPARAMS params{args, nullptr, count, 0};
    EXCEPINFO exception{};
    UINT argError = 0;
    HRESULT hr = object->Invoke(member.id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                &params, result, &exception, &argError);
    // A failing member reaches the host as an exception carrying its code.
    const HRESULT code = hr == DISP_E_EXCEPTION && exception.scode != 0 ? exception.scode : hr;
    *described = exception.bstrDescription != nullptr;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return code;
}

HRESULT MemberWalker::Invoke(IDispatch* object, const DispatchInterface& iface,
                             const DispatchMember& member, VARIANT* args, UINT count,
                             VARIANT* result) {
    ++reads_;
    bool described = false;
    auto call = [&](VARIANT* into) {
        return InvokeOnce(object, member, args, count, into, &described);
    };
    const HRESULT code = runner_ != nullptr ? runner_->Run(iface, member, call, result)
                                            : call(result);
    if (code == E_NOTIMPL) {
        ++notBuilt_;
        notBuiltMembers_.insert(std::string(iface.name) + "." + member.name);
    } else if (code == DISP_E_EXCEPTION && described) {
        ++automationErrors_;
    } else if (code != S_OK) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
        ++unexpected_[std::string(iface.name) + "." + member.name + " -> " + text];
    }
    return code;
}

MemberWalker::~MemberWalker() {
    for (const KeptObject& kept : kept_) kept.first->Release();
}

void MemberWalker::WalkObject(IDispatch* object, const DispatchInterface& iface, int depth) {
    ++objects_;
    if (keep_ && (keepCollections_ || MemberNamed(iface, "Item") == nullptr)) {
        object->AddRef();
        kept_.emplace_back(object, &iface);
    }
    for (const DispatchMember& member : iface) {
        if (Readable(member)) {
            ReadMember(object, iface, member, depth);
        } else if (member.kind == DispatchKind::PropertyGet &&
                   std::strcmp(member.name, "Item") == 0) {
            WalkItems(object, iface, member, depth);
        }
    }
}

void MemberWalker::ReadMember(IDispatch* object, const DispatchInterface& iface,
                              const DispatchMember& member, int depth) {
    VARIANT result;
    VariantInit(&result);
    if (Invoke(object, iface, member, nullptr, 0, &result) == S_OK)
        WalkResult(result, member, depth);
    VariantClear(&result);
}

void MemberWalker::WalkItems(IDispatch* collection, const DispatchInterface& iface,
                             const DispatchMember& item, int depth) {
    const DispatchMember* count = MemberNamed(iface, "Count");
    if (count == nullptr) return;
    VARIANT total;
    VariantInit(&total);
    if (Invoke(collection, iface, *count, nullptr, 0, &total) != S_OK || total.vt != VT_I4) return;
    const long last = depth == 0 ? total.lVal : std::min<long>(total.lVal, limits_.itemsBelowStart);
    for (long i = 1; i <= last; ++i) {
        VARIANT index;
        VariantInit(&index);
        index.vt = VT_I4;
        index.lVal = i;
        VARIANT element;
        VariantInit(&element);
        if (Invoke(collection, iface, item, &index, 1, &element) == S_OK)
            WalkResult(element, item, depth);
        VariantClear(&element);
    }
}

void MemberWalker::WalkResult(const VARIANT& result, const DispatchMember& member, int depth) {
    if (result.vt != VT_DISPATCH || result.pdispVal == nullptr || depth >= limits_.depth) return;
    const DispatchInterface* iface = InterfaceOf(result.pdispVal);
    if (iface == nullptr) {
        ++unexpected_[std::string(member.name) + " -> an object of no known interface"];
        return;
    }
    // The starting collection is the store itself.
    if (depth == 0 || !IsStoredRecord(iface->name)) WalkObject(result.pdispVal, *iface, depth + 1);
}

std::string AnswerText(HRESULT code, const VARIANT& result) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%08X ", static_cast<unsigned>(code));
    std::string answer = text;
    switch (result.vt) {
        case VT_EMPTY: return answer + "empty";
        case VT_BSTR: return answer + "\"" + BstrToText(result.bstrVal) + "\"";
        case VT_BOOL: return answer + (result.boolVal ? "true" : "false");
        case VT_I2: return answer + std::to_string(result.iVal);
        case VT_I4: return answer + std::to_string(result.lVal);
        case VT_DISPATCH: {
            if (result.pdispVal == nullptr) return answer + "null";
            const DispatchInterface* iface = InterfaceOf(result.pdispVal);
            return answer + (iface != nullptr ? iface->name : "unknown object");
        }
        default: return answer + "vt " + std::to_string(result.vt);
    }
}

const DispatchInterface* InterfaceOf(IDispatch* object) {
    for (const DispatchInterface& iface : AllDispatchInterfaces()) {
        if (std::strcmp(iface.name, "IGDPointerAccess") == 0) continue;
        IUnknown* answer = nullptr;
        if (SUCCEEDED(object->QueryInterface(*iface.iid, reinterpret_cast<void**>(&answer)))) {
            answer->Release();
            return &iface;
        }
    }
    return nullptr;
}

}  // namespace kinfold::test

#endif  // _WIN32
