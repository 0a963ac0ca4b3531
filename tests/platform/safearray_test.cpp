// SAFEARRAY: layout, bounds, locking and element ownership.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/automation.h"
#include "platform/counted_unknown.h"

namespace {

using Counted = kinfold::test::CountedUnknown;

// Dimension 1 runs 1..3, dimension 2 runs -1..0.
SAFEARRAY* TwoByThree(VARTYPE vt) {
    SAFEARRAYBOUND bounds[2] = {{3, 1}, {2, -1}};
    return SafeArrayCreate(vt, 2, bounds);
}

// Bounds of each dimension of `array`, as "lower..upper" ("?" when refused).
std::string BoundsOf(SAFEARRAY* array, UINT dimension) {
    LONG lower = 99, upper = 99;
    if (SafeArrayGetLBound(array, dimension, &lower) != S_OK ||
        SafeArrayGetUBound(array, dimension, &upper) != S_OK)
        return "?";
    return std::to_string(lower) + ".." + std::to_string(upper);
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
    EXPECT_EQ("1..3", BoundsOf(array, 1));
    EXPECT_EQ("-1..0", BoundsOf(array, 2));
    LONG bound = 99;
    EXPECT_EQ(DISP_E_BADINDEX, SafeArrayGetLBound(array, 0, &bound));
    EXPECT_EQ(DISP_E_BADINDEX, SafeArrayGetUBound(array, 3, &bound));
    VARTYPE vt = VT_EMPTY;
    EXPECT_EQ(S_OK, SafeArrayGetVartype(array, &vt));
    EXPECT_EQ(VT_BSTR, vt);
    EXPECT_EQ(S_OK, SafeArrayDestroy(array));

    SAFEARRAY* vector = SafeArrayCreateVector(VT_VARIANT, 5, 2);
    ASSERT_NE(nullptr, vector);
    EXPECT_EQ(1u, SafeArrayGetDim(vector));
    EXPECT_EQ("5..6", BoundsOf(vector, 1));
    EXPECT_EQ(S_OK, SafeArrayDestroy(vector));
    SAFEARRAY* empty = SafeArrayCreateVector(VT_I4, 0, 0);
    ASSERT_NE(nullptr, empty);
    EXPECT_EQ(S_OK, SafeArrayDestroy(empty));
}

struct ElementType {
    VARTYPE vt;
    UINT size;
    USHORT features = FADF_HAVEVARTYPE;
};

TEST(SafeArray, ElementSizesAndFeaturesPerType) {
    std::vector<ElementType> rows = {{VT_I1, 1},    {VT_UI1, 1}, {VT_I2, 2},
                                     {VT_BOOL, 2},  {VT_I4, 4},  {VT_R4, 4},
                                     {VT_ERROR, 4}, {VT_I8, 8},  {VT_R8, 8}};
    rows.insert(rows.end(), {{VT_VARIANT, sizeof(VARIANT), FADF_VARIANT | FADF_HAVEVARTYPE},
                             {VT_DISPATCH, sizeof(void*), FADF_DISPATCH | FADF_HAVEIID},
                             {VT_UNKNOWN, sizeof(void*), FADF_UNKNOWN | FADF_HAVEIID}});
    SAFEARRAYBOUND bound = {2, 0};
    for (const ElementType& row : rows) {
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
    for (VARTYPE vt : {VARTYPE(VT_EMPTY), VARTYPE(VT_NULL), VARTYPE(15)})
        EXPECT_EQ(nullptr, SafeArrayCreate(vt, 1, &bound)) << vt;
    EXPECT_EQ(nullptr, SafeArrayCreate(VT_I4, 0, &bound));
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
    // A NULL string goes in as NULL and comes out empty.
    for (BSTR put : {text, BSTR(nullptr)}) {
        ASSERT_EQ(S_OK, SafeArrayPutElement(array, index, put));
        BSTR got = nullptr;
        ASSERT_EQ(S_OK, SafeArrayGetElement(array, index, &got));
        ASSERT_NE(nullptr, got);
        EXPECT_NE(text, got);
        EXPECT_EQ(put ? 3u : 0u, SysStringLen(got));
        SysFreeString(got);
    }
    ASSERT_EQ(S_OK, SafeArrayPutElement(array, index, text));
    SysFreeString(text);

    BSTR got = nullptr;
    for (LONG outside : {4, 0}) {
        index[0] = outside;
        EXPECT_EQ(DISP_E_BADINDEX, SafeArrayPutElement(array, index, text));
        EXPECT_EQ(DISP_E_BADINDEX, SafeArrayGetElement(array, index, &got));
    }
    EXPECT_EQ(S_OK, SafeArrayDestroy(array));  // frees the string it holds
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
