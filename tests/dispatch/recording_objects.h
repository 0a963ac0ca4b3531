// Small objects implementing real interfaces of the model whose members only
// write down how they were called, so that a test can see what IDispatch made
// of a host's arguments. Their IDispatch is the shared one every object uses.
#pragma once

#include <cstdio>
#include <map>
#include <string>

#include "kinfold.h"
#include "kinfold_unimplemented.h"
#include "platform/dispatch_support.h"

namespace kinfold::test {

inline BSTR MakeBstr(const char* ascii) {
    std::basic_string<OLECHAR> text(ascii, ascii + std::char_traits<char>::length(ascii));
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

inline std::string Narrow(BSTR text) {
    if (!text) return "(null)";
    return std::string(text, text + SysStringLen(text));
}

// Names the test objects in descriptions, by address.
inline std::map<const void*, std::string>& ObjectLabels() {
    static std::map<const void*, std::string> labels;
    return labels;
}

inline std::string Label(const void* object) {
    if (!object) return "null";
    auto found = ObjectLabels().find(object);
    return found == ObjectLabels().end() ? "?" : found->second;
}

// The members called since the last Clear, in order: "get_Tag;Item(1)".
inline std::string& CallLog() {
    static std::string calls;
    return calls;
}

inline void Record(const std::string& call) {
    if (!CallLog().empty()) CallLog() += ";";
    CallLog() += call;
}

inline std::string Hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(hr));
    return text;
}

// A VARIANT as the tables of the tests write it: "I4:3", "BSTR:abc",
// "BYREF|BSTR:abc", "DISPATCH:name", "ERROR:80020004".
inline std::string Describe(const VARIANT& value) {
    const std::string byref = (value.vt & VT_BYREF) ? "BYREF|" : "";
    switch (value.vt & ~VT_BYREF) {
        case VT_EMPTY:
            return byref + "EMPTY";
        case VT_NULL:
            return byref + "NULL";
        case VT_I2:
            return byref + "I2:" + std::to_string(byref.empty() ? value.iVal : *value.piVal);
        case VT_I4:
            return byref + "I4:" + std::to_string(byref.empty() ? value.lVal : *value.plVal);
        case VT_BOOL:
            return byref + "BOOL:" + std::to_string(byref.empty() ? value.boolVal : *value.pboolVal);
        case VT_R8: {
            char text[32];
            std::snprintf(text, sizeof text, "%g", byref.empty() ? value.dblVal : *value.pdblVal);
            return byref + "R8:" + text;
        }
        case VT_BSTR: {
            // A NULL BSTR is the empty string; oleaut32 may hand on either.
            BSTR text = byref.empty() ? value.bstrVal : *value.pbstrVal;
            return byref + "BSTR:" + (text ? Narrow(text) : "");
        }
        case VT_ERROR:
            return byref + "ERROR:" + Hex(byref.empty() ? value.scode : *value.pscode);
        case VT_DISPATCH:
            return byref + "DISPATCH:" + Label(byref.empty() ? value.pdispVal : *value.ppdispVal);
        case VT_UNKNOWN:
            return byref + "UNKNOWN:" + Label(byref.empty() ? value.punkVal : *value.ppunkVal);
        case VT_VARIANT:
            return byref + "VARIANT(" + Describe(*value.pvarVal) + ")";
        default:
            return "vt" + std::to_string(value.vt);
    }
}

// IUnknown and IDispatch for a test object serving one interface `I`,
// with a reference count the tests check returns to 1. Members a test
// object does not override answer E_NOTIMPL.
template <class I>
class DispatchObject : public Unimplemented<I> {
public:
    explicit DispatchObject(const char* label) { ObjectLabels()[static_cast<I*>(this)] = label; }
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;
    virtual ~DispatchObject() { ObjectLabels().erase(static_cast<I*>(this)); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) &&
            !IsEqualIID(riid, __uuidof(I)))
            return E_NOINTERFACE;
        *ppv = static_cast<I*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        return DispatchGetTypeInfo(__uuidof(I), info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        return DispatchGetIDsOfNames(__uuidof(I), names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) override {
        return DispatchInvoke(this, __uuidof(I), id, flags, params, result, excep, argErr);
    }

    ULONG refs = 1;
};

// Only its identity counts: it answers QueryInterface for IUnknown, IDispatch
// and the one interface it is told to pretend, and nothing ever calls a
// member of that interface on it.
class Token : public IDispatch {
public:
    Token(const char* label, const IID* pretends) : pretends_(pretends) {
        ObjectLabels()[static_cast<IDispatch*>(this)] = label;
    }
    Token(const Token&) = delete;
    Token& operator=(const Token&) = delete;
    virtual ~Token() { ObjectLabels().erase(static_cast<IDispatch*>(this)); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) &&
            !(pretends_ && IsEqualIID(riid, *pretends_)))
            return E_NOINTERFACE;
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    ULONG refs = 1;

private:
    const IID* pretends_;
};

inline std::string Describe(IUnknown* object) { return Label(object); }
inline std::string Describe(BSTR text) { return Narrow(text); }

inline HRESULT ReportTestError(const char* description) {
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create))) return E_FAIL;
    BSTR text = MakeBstr(description);
    BSTR source = MakeBstr("Kinfold.Test");
    create->SetDescription(text);
    create->SetSource(source);
    SysFreeString(text);
    SysFreeString(source);
    IErrorInfo* info = nullptr;
    create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
    SetErrorInfo(0, info);
    if (info) info->Release();
    create->Release();
    return DISP_E_EXCEPTION;
}

// The assistant: methods with enumerations, optional and defaulted
// arguments, VARIANTs, interface pointers, and members that fail.
class RecordingAssistant : public DispatchObject<IGDAssistant> {
public:
    RecordingAssistant() : DispatchObject("assistant") {}

    HRESULT STDMETHODCALLTYPE ExtractIndividuals(gd_SubCategories sub, VARIANT criteria,
                                                 gd_IndSortOrder order,
                                                 IGDIndividuals** pVal) override {
        Record("ExtractIndividuals(" + std::to_string(sub) + "," + Describe(criteria) + "," +
              std::to_string(order) + ")");
        *pVal = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ExtractRelatives(gd_RelationalColType type, VARIANT from, VARIANT to,
                                               IGDIndividuals** pVal) override {
        Record("ExtractRelatives(" + std::to_string(type) + "," + Describe(from) + "," +
              Describe(to) + ")");
        *pVal = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GenerationsOfAncestors(IGDIndividualRecord* ind, int* pVal) override {
        Record("GenerationsOfAncestors(" + Describe(ind) + ")");
        *pVal = 3;
        return S_OK;
    }
    // A member failing with a bare code and no error information.
    HRESULT STDMETHODCALLTYPE GenerationsOfDescendants(IGDIndividualRecord* ind,
                                                       int* pVal) override {
        Record("GenerationsOfDescendants(" + Describe(ind) + ")");
        *pVal = 0;
        return E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE IsAncestor(IGDIndividualRecord* ancestor,
                                         IGDIndividualRecord* descendant,
                                         VARIANT_BOOL* pVal) override {
        Record("IsAncestor(" + Describe(ancestor) + "," + Describe(descendant) + ")");
        *pVal = VARIANT_TRUE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFamilyFromSpouses(IGDIndividualRecord* a, IGDIndividualRecord* b,
                                                   IGDFamilyRecord** pVal) override {
        Record("GetFamilyFromSpouses(" + Describe(a) + "," + Describe(b) + ")");
        *pVal = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFactEventTypeDescription(BSTR type, BSTR* pVal) override {
        Record("GetFactEventTypeDescription(" + Describe(type) + ")");
        *pVal = MakeBstr(("about " + Narrow(type)).c_str());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SortIndividuals(VARIANT list, gd_IndSortOrder order,
                                              IGDIndividuals** pVal) override {
        Record("SortIndividuals(" + Describe(list) + "," + std::to_string(order) + ")");
        *pVal = nullptr;
        return S_OK;
    }
    // A member reporting through error information, as ReportError does.
    HRESULT STDMETHODCALLTYPE Soundex(BSTR name, BSTR* pVal) override {
        Record("Soundex(" + Describe(name) + ")");
        *pVal = nullptr;
        return ReportTestError("No soundex for you");
    }
};


// A collection whose default member hands back the name it belongs to.
class RecordingNames : public DispatchObject<IGDNames> {
public:
    RecordingNames(IGDNameRecord* element, IUnknown* enumerator)
        : DispatchObject("names"), element_(element), enumerator_(enumerator) {}

    HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** pVal) override {
        Record("_NewEnum");
        enumerator_->AddRef();
        *pVal = enumerator_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Item(LONG index, IGDNameRecord** pVal) override {
        Record("Item(" + std::to_string(index) + ")");
        element_->AddRef();
        *pVal = element_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Count(LONG* pVal) override {
        *pVal = 1;
        return S_OK;
    }

private:
    IGDNameRecord* element_;
    IUnknown* enumerator_;
};

// Properties: get, put and putref of a VARIANT, a put-only-by-value flag,
// strings and objects.
class RecordingName : public DispatchObject<IGDNameRecord> {
public:
    explicit RecordingName(IUnknown* enumerator) : DispatchObject("name"), names(this, enumerator) {
        VariantInit(&tag_);
    }
    ~RecordingName() override { VariantClear(&tag_); }

    HRESULT STDMETHODCALLTYPE get_FullName(BSTR* pVal) override {
        Record("get_FullName");
        *pVal = MakeBstr("John /Smith/");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Tag(VARIANT* pVal) override {
        Record("get_Tag");
        return VariantCopy(pVal, &tag_);
    }
    HRESULT STDMETHODCALLTYPE put_Tag(VARIANT newVal) override {
        Record("put_Tag(" + Describe(newVal) + ")");
        return VariantCopy(&tag_, &newVal);
    }
    HRESULT STDMETHODCALLTYPE putref_Tag(VARIANT newVal) override {
        Record("putref_Tag(" + Describe(newVal) + ")");
        return VariantCopy(&tag_, &newVal);
    }
    HRESULT STDMETHODCALLTYPE get_Confidential(VARIANT_BOOL* pVal) override {
        Record("get_Confidential");
        *pVal = confidential_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Confidential(VARIANT_BOOL newVal) override {
        Record("put_Confidential(" + std::to_string(newVal) + ")");
        confidential_ = newVal;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_PhoneticVariations(IGDNames** pVal) override {
        Record("get_PhoneticVariations");
        names.AddRef();
        *pVal = &names;
        return S_OK;
    }

    RecordingNames names;

private:
    VARIANT tag_;
    VARIANT_BOOL confidential_ = VARIANT_FALSE;
};

}  // namespace kinfold::test
