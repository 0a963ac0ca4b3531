// SAFEARRAY: layout, bounds, locking and element ownership.
#include <gtest/gtest.h>

#include "platform/automation.h"
#include "platform/counted_unknown.h"

namespace {

using Counted = kinfold::test::CountedUnknown;

// Dimension 1 runs 1..3, dimension 2 runs -1..0.
SAFEARRAY* TwoByThree(VARTYPE vt) {
    SAFEARRAYBOUND bounds[2] = {{3, 1}, {2, -1}};
    return SafeArrayCreate(vt, 2, bounds);
}

TEST(SafeArray, DescribesItsDimensionsAndType) {
    SAFEARRAY* array = TwoByThree(VT_BSTR);
    ASSERT_NE(nullptr, array);
    EXPECT_EQ(2u, SafeArrayGetDim(array));
    EXPECT_EQ(sizeof(BSTR), SafeArrayGetElemsize(array));
    EXPECT_EQ(FADF_BSTR | FADF_HAVEVARTYPE, array->fFeatures);
    EXPECT_EQ(0u, array->cLocks);
    // Stored last dimension first, as on Windows.
    EXPECT_EQ(2u, array->rgsabound[0].cElements);
    EXPECT_EQ(-1, array->rgsabound[0].lLbound);
    LONG bound = 99;
    EXPECT_EQ(S_OK, SafeArrayGetLBound(array, 1, &bound));
    EXPECT_EQ(1, bound);
    EXPECT_EQ(S_OK, SafeArrayGetUBound(array, 1, &bound));
    EXPECT_EQ(3, bound);
    EXPECT_EQ(S_OK, SafeArrayGetLBound(array, 2, &bound));
    EXPECT_EQ(-1, bound);
    EXPECT_EQ(S_OK, SafeArrayGetUBound(array, 2, &bound));
    EXPECT_EQ(0, bound);
    EXPECT_EQ(DISP_E_BADINDEX, SafeArrayGetLBound(array, 0, &bound));
    EXPECT_EQ(DISP_E_BADINDEX, SafeArrayGetUBound(array, 3, &bound));
    VARTYPE vt = VT_EMPTY;
    EXPECT_EQ(S_OK, SafeArrayGetVartype(array, &vt));
    EXPECT_EQ(VT_BSTR, vt);
    EXPECT_EQ(S_OK, SafeArrayDestroy(array));
}

TEST(SafeArray, ElementSizesAndFeaturesPerType) {
    struct Expected { VARTYPE vt; UINT size; USHORT features; } rows[] = {
        {VT_I1, 1, FADF_HAVEVARTYPE}, {VT_UI1, 1, FADF_HAVEVARTYPE}, {VT_I2, 2, FADF_HAVEVARTYPE},
        {VT_BOOL, 2, FADF_HAVEVARTYPE}, {VT_I4, 4, FADF_HAVEVARTYPE}, {VT_R4, 4, FADF_HAVEVARTYPE},
        {VT_ERROR, 4, FADF_HAVEVARTYPE}, {VT_I8, 8, FADF_HAVEVARTYPE}, {VT_R8, 8, FADF_HAVEVARTYPE},
        {VT_VARIANT, sizeof(VARIANT), FADF_VARIANT | FADF_HAVEVARTYPE},
        {VT_DISPATCH, sizeof(void*), FADF_DISPATCH | FADF_HAVEIID},
        {VT_UNKNOWN, sizeof(void*), FADF_UNKNOWN | FADF_HAVEIID},
    };
    SAFEARRAYBOUND bound = {2, 0};
    for (const Expected& row : rows) {
        SCOPED_TRACE(row.vt);
        SAFEARRAY* array = SafeArrayCreate(row.vt, 1, &bound);
        ASSERT_NE(nullptr, array);
        EXPECT_EQ(row.size, SafeArrayGetElemsize(array));
        EXPECT_EQ(row.features, array->fFeatures);
        VARTYPE vt = VT_EMPTY;
        EXPECT_EQ(S_OK, SafeArrayGetVartype(array, &vt));
        EXPECT_EQ(row.vt, vt);
        EXPECT_EQ(S_OK, SafeArrayDestroy(array));
    }
}

TEST(SafeArray, RefusesTypesWithoutElementsAndNoDimensions) {
    SAFEARRAYBOUND bound = {2, 0};
    EXPECT_EQ(nullptr, SafeArrayCreate(VT_EMPTY, 1, &bound));
    EXPECT_EQ(nullptr, SafeArrayCreate(VT_NULL, 1, &bound));
    EXPECT_EQ(nullptr, SafeArrayCreate(15, 1, &bound));
    EXPECT_EQ(nullptr, SafeArrayCreate(VT_I4, 0, &bound));
}

TEST(SafeArray, VectorHasOneDimension) {
    SAFEARRAY* vector = SafeArrayCreateVector(VT_VARIANT, 5, 2);
    ASSERT_NE(nullptr, vector);
    EXPECT_EQ(1u, SafeArrayGetDim(vector));
    LONG bound = 0;
    EXPECT_EQ(S_OK, SafeArrayGetLBound(vector, 1, &bound));
    EXPECT_EQ(5, bound);
    EXPECT_EQ(S_OK, SafeArrayGetUBound(vector, 1, &bound));
    EXPECT_EQ(6, bound);
    EXPECT_EQ(S_OK, SafeArrayDestroy(vector));

    SAFEARRAY* empty = SafeArrayCreateVector(VT_I4, 0, 0);
    ASSERT_NE(nullptr, empty);
    EXPECT_EQ(S_OK, SafeArrayDestroy(empty));
}

TEST(SafeArray, FirstDimensionVariesFastest) {
    SAFEARRAY* array = TwoByThree(VT_I4);
    LONG index[2] = {3, 0};
    void* cell = nullptr;
    ASSERT_EQ(S_OK, SafeArrayPtrOfIndex(array, index, &cell));
    EXPECT_EQ(static_cast<char*>(array->pvData) + 5 * sizeof(LONG), cell);
    index[1] = 1;
    EXPECT_EQ(DISP_E_BADINDEX, SafeArrayPtrOfIndex(array, index, &cell));
    EXPECT_EQ(S_OK, SafeArrayDestroy(array));
}

TEST(SafeArray, StringElementsAreCopiedInAndOut) {
    SAFEARRAY* array = TwoByThree(VT_BSTR);
    LONG index[2] = {1, -1};
    BSTR text = SysAllocString(OLESTR("put"));
    ASSERT_EQ(S_OK, SafeArrayPutElement(array, index, text));
    BSTR got = nullptr;
    ASSERT_EQ(S_OK, SafeArrayGetElement(array, index, &got));
    EXPECT_NE(text, got);
    EXPECT_EQ(3u, SysStringLen(got));
    SysFreeString(got);
    SysFreeString(text);

    index[0] = 4;
    EXPECT_EQ(DISP_E_BADINDEX, SafeArrayPutElement(array, index, text));
    EXPECT_EQ(DISP_E_BADINDEX, SafeArrayGetElement(array, index, &got));
    index[0] = 0;
    EXPECT_EQ(DISP_E_BADINDEX, SafeArrayGetElement(array, index, &got));
    EXPECT_EQ(S_OK, SafeArrayDestroy(array));  // frees the string it holds
}

TEST(SafeArray, ANullStringElementReadsAsEmpty) {
    SAFEARRAY* vector = SafeArrayCreateVector(VT_BSTR, 0, 1);
    LONG index = 0;
    ASSERT_EQ(S_OK, SafeArrayPutElement(vector, &index, nullptr));
    BSTR got = nullptr;
    ASSERT_EQ(S_OK, SafeArrayGetElement(vector, &index, &got));
    ASSERT_NE(nullptr, got);
    EXPECT_EQ(0u, SysStringLen(got));
    SysFreeString(got);
    SafeArrayDestroy(vector);
}

TEST(SafeArray, ObjectElementsAreCounted) {
    Counted object;
    SAFEARRAY* vector = SafeArrayCreateVector(VT_UNKNOWN, 0, 1);
    LONG index = 0;
    ASSERT_EQ(S_OK, SafeArrayPutElement(vector, &index, &object));
    EXPECT_EQ(2u, object.refs);
    ASSERT_EQ(S_OK, SafeArrayPutElement(vector, &index, &object));
    EXPECT_EQ(2u, object.refs);
    IUnknown* got = nullptr;
    ASSERT_EQ(S_OK, SafeArrayGetElement(vector, &index, &got));
    EXPECT_EQ(&object, got);
    EXPECT_EQ(3u, object.refs);
    got->Release();
    ASSERT_EQ(S_OK, SafeArrayPutElement(vector, &index, nullptr));
    EXPECT_EQ(1u, object.refs);
    ASSERT_EQ(S_OK, SafeArrayPutElement(vector, &index, &object));
    EXPECT_EQ(S_OK, SafeArrayDestroy(vector));
    EXPECT_EQ(1u, object.refs);
}

TEST(SafeArray, VariantElementsAreDeepCopies) {
    Counted object;
    SAFEARRAY* vector = SafeArrayCreateVector(VT_VARIANT, 5, 2);
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_UNKNOWN;
    value.punkVal = &object;
    LONG index = 5;
    ASSERT_EQ(S_OK, SafeArrayPutElement(vector, &index, &value));
    EXPECT_EQ(2u, object.refs);
    VARIANT got;
    VariantInit(&got);
    ASSERT_EQ(S_OK, SafeArrayGetElement(vector, &index, &got));
    EXPECT_EQ(VT_UNKNOWN, got.vt);
    EXPECT_EQ(3u, object.refs);
    VariantClear(&got);
    SAFEARRAY* copy = nullptr;
    ASSERT_EQ(S_OK, SafeArrayCopy(vector, &copy));
    EXPECT_EQ(3u, object.refs);
    EXPECT_EQ(S_OK, SafeArrayDestroy(copy));
    EXPECT_EQ(S_OK, SafeArrayDestroy(vector));
    EXPECT_EQ(1u, object.refs);
}

TEST(SafeArray, CopyDuplicatesStrings) {
    SAFEARRAY* array = TwoByThree(VT_BSTR);
    LONG index[2] = {2, 0};
    BSTR text = SysAllocString(OLESTR("abc"));
    SafeArrayPutElement(array, index, text);
    SysFreeString(text);
    SAFEARRAY* copy = nullptr;
    ASSERT_EQ(S_OK, SafeArrayCopy(array, &copy));
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(2u, SafeArrayGetDim(copy));
    EXPECT_EQ(array->fFeatures, copy->fFeatures);
    BSTR a = nullptr, b = nullptr;
    SafeArrayGetElement(array, index, &a);
    SafeArrayGetElement(copy, index, &b);
    EXPECT_EQ(3u, SysStringLen(b));
    SysFreeString(a);
    SysFreeString(b);
    EXPECT_EQ(S_OK, SafeArrayDestroy(copy));
    EXPECT_EQ(S_OK, SafeArrayDestroy(array));

    SAFEARRAY* none = reinterpret_cast<SAFEARRAY*>(1);
    EXPECT_EQ(S_OK, SafeArrayCopy(nullptr, &none));
    EXPECT_EQ(nullptr, none);
}

TEST(SafeArray, LockedArrayCannotBeDestroyed) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 3);
    ASSERT_EQ(S_OK, SafeArrayLock(array));
    EXPECT_EQ(1u, array->cLocks);
    EXPECT_EQ(DISP_E_ARRAYISLOCKED, SafeArrayDestroy(array));
    EXPECT_EQ(S_OK, SafeArrayUnlock(array));
    EXPECT_EQ(E_UNEXPECTED, SafeArrayUnlock(array));

    void* data = nullptr;
    ASSERT_EQ(S_OK, SafeArrayAccessData(array, &data));
    EXPECT_EQ(array->pvData, data);
    EXPECT_EQ(1u, array->cLocks);
    EXPECT_EQ(S_OK, SafeArrayUnaccessData(array));
    EXPECT_EQ(E_UNEXPECTED, SafeArrayUnaccessData(array));
    EXPECT_EQ(S_OK, SafeArrayDestroy(array));
}

TEST(SafeArray, NullArguments) {
    VARTYPE vt;
    void* data;
    EXPECT_EQ(S_OK, SafeArrayDestroy(nullptr));
    EXPECT_EQ(0u, SafeArrayGetDim(nullptr));
    EXPECT_EQ(0u, SafeArrayGetElemsize(nullptr));
    EXPECT_EQ(E_INVALIDARG, SafeArrayGetVartype(nullptr, &vt));
    EXPECT_EQ(E_INVALIDARG, SafeArrayLock(nullptr));
    EXPECT_EQ(E_INVALIDARG, SafeArrayUnlock(nullptr));
    EXPECT_EQ(E_INVALIDARG, SafeArrayAccessData(nullptr, &data));
}

}  // namespace
