// VariantInit, VariantClear, VariantCopy and VariantCopyInd: ownership of
// strings, references and arrays.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/automation.h"
#include "platform/counted_unknown.h"

namespace {

using Counted = kinfold::test::CountedUnknown;

TEST(Variant, InitMakesItEmpty) {
    VARIANT v;
    std::memset(&v, 0xAB, sizeof v);
    VariantInit(&v);
    EXPECT_EQ(VT_EMPTY, v.vt);
}

// Clear frees what the VARIANT owns, never what a reference points to, and
// leaves a type that does not exist as it was.
TEST(Variant, ClearFreesWhatItOwnsAndRejectsTypesThatDoNotExist) {
    Counted object;
    object.AddRef();  // the reference the VARIANT holds
    LONG value = 5;
    const struct {
        VARTYPE vt;
        void* payload;
        HRESULT hr;
        VARTYPE after;
    } cases[] = {
        {15, nullptr, DISP_E_BADVARTYPE, 15},
        {VT_EMPTY | VT_BYREF, nullptr, DISP_E_BADVARTYPE, VT_EMPTY | VT_BYREF},  // to nothing
        {0xfff, nullptr, DISP_E_BADVARTYPE, 0xfff},
        {VT_I4 | VT_BYREF, &value, S_OK, VT_EMPTY},
        {VT_UNKNOWN, nullptr, S_OK, VT_EMPTY},
        {VT_UNKNOWN, static_cast<IUnknown*>(&object), S_OK, VT_EMPTY},
        {VT_ARRAY | VT_I4, nullptr, S_OK, VT_EMPTY},
    };
    for (const auto& c : cases) {
        VARIANT v;
        VariantInit(&v);
        v.vt = c.vt;
        v.byref = c.payload;
        EXPECT_EQ(c.hr, VariantClear(&v)) << c.vt;
        EXPECT_EQ(c.after, v.vt) << c.vt;
    }
    EXPECT_EQ(5, value);
    EXPECT_EQ(1u, object.refs);
}

TEST(Variant, CopyIsDeep) {
    VARIANT source, copy;
    VariantInit(&source);
    VariantInit(&copy);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocStringLen(OLESTR("a\0b"), 3);
    ASSERT_EQ(S_OK, VariantCopy(&copy, &source));
    ASSERT_EQ(VT_BSTR, copy.vt);
    EXPECT_NE(source.bstrVal, copy.bstrVal);
    EXPECT_EQ(3u, SysStringLen(copy.bstrVal));
    VariantClear(&copy);
    VariantClear(&source);

    Counted object;
    source.vt = VT_UNKNOWN;
    source.punkVal = &object;
    ASSERT_EQ(S_OK, VariantCopy(&copy, &source));
    EXPECT_EQ(2u, object.refs);
    EXPECT_EQ(S_OK, VariantClear(&copy));
    EXPECT_EQ(1u, object.refs);

    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, 1);
    LONG index = 0;
    BSTR text = SysAllocString(OLESTR("x"));
    ASSERT_EQ(S_OK, SafeArrayPutElement(array, &index, text));
    SysFreeString(text);
    source.vt = VT_ARRAY | VT_BSTR;
    source.parray = array;
    ASSERT_EQ(S_OK, VariantCopy(&copy, &source));
    EXPECT_NE(array, copy.parray);
    BSTR element = nullptr;
    ASSERT_EQ(S_OK, SafeArrayGetElement(copy.parray, &index, &element));
    EXPECT_EQ(1u, SysStringLen(element));
    SysFreeString(element);
    EXPECT_EQ(S_OK, VariantClear(&copy));
    EXPECT_EQ(S_OK, VariantClear(&source));
}

// A NULL string copies as an empty one (surprising, but the platform does it),
// a bad type fails and leaves the destination, a copy onto itself changes nothing.
TEST(Variant, CopyOfNullStringsBadTypesAndItself) {
    VARIANT source, copy;
    VariantInit(&source);
    VariantInit(&copy);
    source.vt = VT_BSTR;
    source.bstrVal = nullptr;
    ASSERT_EQ(S_OK, VariantCopy(&copy, &source));
    ASSERT_NE(nullptr, copy.bstrVal);
    EXPECT_EQ(0u, SysStringLen(copy.bstrVal));
    VariantClear(&copy);

    source.vt = 15;
    copy.vt = VT_I4;
    copy.lVal = 9;
    EXPECT_EQ(DISP_E_BADVARTYPE, VariantCopy(&copy, &source));
    EXPECT_EQ(VT_I4, copy.vt);
    EXPECT_EQ(9, copy.lVal);

    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(OLESTR("abc"));
    const BSTR before = source.bstrVal;
    EXPECT_EQ(S_OK, VariantCopy(&source, &source));
    EXPECT_EQ(before, source.bstrVal);
    VariantClear(&source);
}

TEST(Variant, CopyKeepsReferencesAndCopyIndFollowsThem) {
    LONG value = 5;
    VARIANT ref, copy;
    VariantInit(&ref);
    VariantInit(&copy);
    ref.vt = VT_I4 | VT_BYREF;
    ref.plVal = &value;
    ASSERT_EQ(S_OK, VariantCopy(&copy, &ref));
    EXPECT_EQ(VT_I4 | VT_BYREF, copy.vt);
    EXPECT_EQ(&value, copy.plVal);
    ASSERT_EQ(S_OK, VariantCopyInd(&copy, &ref));
    EXPECT_EQ(VT_I4, copy.vt);
    EXPECT_EQ(5, copy.lVal);

    VARIANT inner;
    VariantInit(&inner);
    inner.vt = VT_BSTR;
    inner.bstrVal = SysAllocString(OLESTR("in"));
    ref.vt = VT_VARIANT | VT_BYREF;
    ref.pvarVal = &inner;
    ASSERT_EQ(S_OK, VariantCopyInd(&copy, &ref));
    EXPECT_EQ(VT_BSTR, copy.vt);
    EXPECT_NE(inner.bstrVal, copy.bstrVal);
    VariantClear(&copy);

    VARIANT twice;
    VariantInit(&twice);
    twice.vt = VT_VARIANT | VT_BYREF;
    twice.pvarVal = &ref;
    EXPECT_EQ(E_INVALIDARG, VariantCopyInd(&copy, &twice));  // one level only
    VariantClear(&inner);
}

// In place, the reference is replaced by a copy of what it points to; an
// object gets a reference of its own.
TEST(Variant, CopyIndInPlaceAndOfObjects) {
    BSTR text = SysAllocString(OLESTR("12"));
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR | VT_BYREF;
    v.pbstrVal = &text;
    ASSERT_EQ(S_OK, VariantCopyInd(&v, &v));
    EXPECT_EQ(VT_BSTR, v.vt);
    EXPECT_NE(text, v.bstrVal);
    VariantClear(&v);
    SysFreeString(text);

    Counted object;
    IUnknown* pointer = &object;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_UNKNOWN | VT_BYREF;
    ref.ppunkVal = &pointer;
    ASSERT_EQ(S_OK, VariantCopyInd(&v, &ref));
    EXPECT_EQ(VT_UNKNOWN, v.vt);
    EXPECT_EQ(2u, object.refs);
    VariantClear(&v);
    EXPECT_EQ(1u, object.refs);
}

TEST(Variant, StringsAndByteArraysConvertIntoEachOther) {
    VARIANT text, bytes;
    VariantInit(&text);
    VariantInit(&bytes);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(OLESTR("ab"));
    ASSERT_EQ(S_OK, VariantChangeType(&bytes, &text, 0, VT_ARRAY | VT_UI1));
    ASSERT_EQ(VT_ARRAY | VT_UI1, bytes.vt);
    LONG upper = 0;
    EXPECT_EQ(S_OK, SafeArrayGetUBound(bytes.parray, 1, &upper));
    EXPECT_EQ(3, upper);  // four bytes: the string's UTF-16 units
    VariantClear(&text);
    ASSERT_EQ(S_OK, VariantChangeType(&text, &bytes, 0, VT_BSTR));
    ASSERT_EQ(VT_BSTR, text.vt);
    EXPECT_EQ(2u, SysStringLen(text.bstrVal));
    EXPECT_EQ(OLESTR('b'), text.bstrVal[1]);
    VariantClear(&text);

    VARIANT other;
    VariantInit(&other);
    EXPECT_EQ(DISP_E_TYPEMISMATCH, VariantChangeType(&other, &bytes, 0, VT_I4));
    EXPECT_EQ(DISP_E_TYPEMISMATCH, VariantChangeType(&other, &bytes, 0, VT_ARRAY | VT_I4));
    ASSERT_EQ(S_OK, VariantChangeType(&other, &bytes, 0, VT_ARRAY | VT_UI1));  // a copy
    EXPECT_NE(bytes.parray, other.parray);
    VariantClear(&other);
    VariantClear(&bytes);
}

}  // namespace
