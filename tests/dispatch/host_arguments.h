// Arguments as an automation host sends them: named ones first in rgvarg,
// then the positional ones in reverse order, some of them by reference.
#pragma once

#include <deque>
#include <utility>
#include <vector>

#include "dispatch/recording_objects.h"

namespace kinfold::test {

struct Arg {
    enum Kind {
        I4,
        R8,
        Str,
        Null,
        Empty,
        Missing,      // VT_ERROR / DISP_E_PARAMNOTFOUND: left out by the host
        ByRefI4,
        ByRefStr,
        ByRefVariant, // VT_BYREF | VT_VARIANT pointing at a VT_BSTR
        Object,       // VT_DISPATCH
        ObjectAsUnknown,
        ByRefObject,  // VT_BYREF | VT_DISPATCH
    };
    Kind kind;
    double number = 0;
    const char* text = "";
    IDispatch* object = nullptr;
};

inline Arg I4(LONG value) { return {Arg::I4, static_cast<double>(value)}; }
inline Arg R8(double value) { return {Arg::R8, value}; }
inline Arg Str(const char* text) { return {Arg::Str, 0, text}; }
inline Arg NullArg() { return {Arg::Null}; }
inline Arg EmptyArg() { return {Arg::Empty}; }
inline Arg MissingArg() { return {Arg::Missing}; }
inline Arg ByRefI4(LONG value) { return {Arg::ByRefI4, static_cast<double>(value)}; }
inline Arg ByRefStr(const char* text) { return {Arg::ByRefStr, 0, text}; }
inline Arg ByRefVariant(const char* text) { return {Arg::ByRefVariant, 0, text}; }
inline Arg Object(IDispatch* object) { return {Arg::Object, 0, "", object}; }
inline Arg ObjectAsUnknown(IDispatch* object) { return {Arg::ObjectAsUnknown, 0, "", object}; }
inline Arg ByRefObject(IDispatch* object) { return {Arg::ByRefObject, 0, "", object}; }

class HostArguments {
public:
    HostArguments(const std::vector<Arg>& positional, const std::vector<std::pair<DISPID, Arg>>& named) {
        for (const auto& entry : named) {
            names_.push_back(entry.first);
            values_.push_back(Make(entry.second));
        }
        for (auto arg = positional.rbegin(); arg != positional.rend(); ++arg) values_.push_back(Make(*arg));
        params_.rgvarg = values_.empty() ? nullptr : values_.data();
        params_.rgdispidNamedArgs = names_.empty() ? nullptr : names_.data();
        params_.cArgs = static_cast<UINT>(values_.size());
        params_.cNamedArgs = static_cast<UINT>(names_.size());
    }
    HostArguments(const HostArguments&) = delete;
    HostArguments& operator=(const HostArguments&) = delete;
    // The host lends its objects without a reference, so only strings are freed.
    ~HostArguments() {
        for (BSTR text : strings_) SysFreeString(text);
    }

    DISPPARAMS* Params() { return &params_; }

private:
    BSTR Keep(const char* text) {
        strings_.push_back(MakeBstr(text));
        return strings_.back();
    }

    VARIANT Make(const Arg& arg) {
        VARIANT value;
        VariantInit(&value);
        switch (arg.kind) {
            case Arg::I4:
                value.vt = VT_I4;
                value.lVal = static_cast<LONG>(arg.number);
                break;
            case Arg::R8:
                value.vt = VT_R8;
                value.dblVal = arg.number;
                break;
            case Arg::Str:
                value.vt = VT_BSTR;
                value.bstrVal = Keep(arg.text);
                break;
            case Arg::Null:
                value.vt = VT_NULL;
                break;
            case Arg::Empty:
                break;
            case Arg::Missing:
                value.vt = VT_ERROR;
                value.scode = DISP_E_PARAMNOTFOUND;
                break;
            case Arg::ByRefI4:
                longs_.push_back(static_cast<LONG>(arg.number));
                value.vt = VT_BYREF | VT_I4;
                value.plVal = &longs_.back();
                break;
            case Arg::ByRefStr:
                Keep(arg.text);
                value.vt = VT_BYREF | VT_BSTR;
                value.pbstrVal = &strings_.back();
                break;
            case Arg::ByRefVariant: {
                VARIANT inner;
                VariantInit(&inner);
                inner.vt = VT_BSTR;
                inner.bstrVal = Keep(arg.text);
                variants_.push_back(inner);
                value.vt = VT_BYREF | VT_VARIANT;
                value.pvarVal = &variants_.back();
                break;
            }
            case Arg::Object:
                value.vt = VT_DISPATCH;
                value.pdispVal = arg.object;
                break;
            case Arg::ObjectAsUnknown:
                value.vt = VT_UNKNOWN;
                value.punkVal = arg.object;
                break;
            case Arg::ByRefObject:
                objects_.push_back(arg.object);
                value.vt = VT_BYREF | VT_DISPATCH;
                value.ppdispVal = &objects_.back();
                break;
        }
        return value;
    }

    // Deques: what a VT_BYREF argument points to must not move.
    std::deque<BSTR> strings_;
    std::deque<LONG> longs_;
    std::deque<VARIANT> variants_;
    std::deque<IDispatch*> objects_;
    std::vector<VARIANT> values_;
    std::vector<DISPID> names_;
    DISPPARAMS params_{};
};

}  // namespace kinfold::test
