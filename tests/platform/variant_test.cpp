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

TEST(Variant, ClearRejectsTypesThatDoNotExistAndKeepsThem) {
    VARIANT v;
    VariantInit(&v);
    v.vt = 15;
    EXPECT_EQ(DISP_E_BADVARTYPE, VariantClear(&v));
    EXPECT_EQ(15, v.vt);
    v.vt = VT_EMPTY | VT_BYREF;  // a reference to nothing
    EXPECT_EQ(DISP_E_BADVARTYPE, VariantClear(&v));
    v.vt = 0xfff;
    EXPECT_EQ(DISP_E_BADVARTYPE, VariantClear(&v));
}

TEST(Variant, ClearLeavesWhatAReferencePointsTo) {
    LONG value = 5;
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4 | VT_BYREF;
    v.plVal = &value;
    EXPECT_EQ(S_OK, VariantClear(&v));
    EXPECT_EQ(VT_EMPTY, v.vt);
    EXPECT_EQ(5, value);
}

TEST(Variant, ClearReleasesObjectsAndAcceptsNullOnes) {
    Counted object;
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_UNKNOWN;
    v.punkVal = nullptr;
    EXPECT_EQ(S_OK, VariantClear(&v));
    object.AddRef();
    v.vt = VT_UNKNOWN;
    v.punkVal = &object;
    EXPECT_EQ(S_OK, VariantClear(&v));
    EXPECT_EQ(1u, object.refs);
    v.vt = VT_ARRAY | VT_I4;
    v.parray = nullptr;
    EXPECT_EQ(S_OK, VariantClear(&v));
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

TEST(Variant, CopyOfANullStringIsAnEmptyString) {  // surprising, but the platform does it
    VARIANT source, copy;
    VariantInit(&source);
    VariantInit(&copy);
    source.vt = VT_BSTR;
    source.bstrVal = nullptr;
    ASSERT_EQ(S_OK, VariantCopy(&copy, &source));
    ASSERT_NE(nullptr, copy.bstrVal);
    EXPECT_EQ(0u, SysStringLen(copy.bstrVal));
    VariantClear(&copy);
}

TEST(Variant, CopyOfABadTypeFailsAndLeavesTheDestination) {
    VARIANT bad, dest;
    VariantInit(&bad);
    VariantInit(&dest);
    bad.vt = 15;
    dest.vt = VT_I4;
    dest.lVal = 9;
    EXPECT_EQ(DISP_E_BADVARTYPE, VariantCopy(&dest, &bad));
    EXPECT_EQ(VT_I4, dest.vt);
    EXPECT_EQ(9, dest.lVal);
}

TEST(Variant, CopyOntoItselfChangesNothing) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(OLESTR("abc"));
    const BSTR before = v.bstrVal;
    EXPECT_EQ(S_OK, VariantCopy(&v, &v));
    EXPECT_EQ(before, v.bstrVal);
    VariantClear(&v);
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

TEST(Variant, CopyIndInPlaceReplacesTheReference) {
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
}

TEST(Variant, CopyIndAddsAReferenceToObjects) {
    Counted object;
    IUnknown* pointer = &object;
    VARIANT ref, copy;
    VariantInit(&ref);
    VariantInit(&copy);
    ref.vt = VT_UNKNOWN | VT_BYREF;
    ref.ppunkVal = &pointer;
    ASSERT_EQ(S_OK, VariantCopyInd(&copy, &ref));
    EXPECT_EQ(VT_UNKNOWN, copy.vt);
    EXPECT_EQ(2u, object.refs);
    VariantClear(&copy);
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
