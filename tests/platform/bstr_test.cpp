// BSTR allocation and lengths, the same natively and on Windows.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/automation.h"

namespace {

TEST(Bstr, KeepsItsByteLengthInFrontAndEndsWithZero) {
    BSTR s = SysAllocString(OLESTR("abc"));
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(3u, SysStringLen(s));
    EXPECT_EQ(6u, SysStringByteLen(s));
    uint32_t prefix;
    std::memcpy(&prefix, reinterpret_cast<char*>(s) - 4, 4);
    EXPECT_EQ(6u, prefix);
    EXPECT_EQ(0, s[3]);
    SysFreeString(s);
}

TEST(Bstr, NullHasLengthZeroAndFreesQuietly) {
    EXPECT_EQ(0u, SysStringLen(nullptr));
    EXPECT_EQ(0u, SysStringByteLen(nullptr));
    EXPECT_EQ(nullptr, SysAllocString(nullptr));
    SysFreeString(nullptr);
}

TEST(Bstr, EmptyStringIsNotNull) {
    BSTR s = SysAllocString(OLESTR(""));
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(0u, SysStringLen(s));
    SysFreeString(s);
}

TEST(Bstr, LengthMayIncludeZeros) {
    BSTR s = SysAllocStringLen(OLESTR("a\0b"), 3);
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(3u, SysStringLen(s));
    EXPECT_EQ(OLESTR('b'), s[2]);
    EXPECT_EQ(0, s[3]);
    SysFreeString(s);
}

TEST(Bstr, AllocLenWithoutSourceGivesRoomOfThatLength) {
    BSTR s = SysAllocStringLen(nullptr, 5);
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(5u, SysStringLen(s));
    EXPECT_EQ(0, s[5]);
    SysFreeString(s);
}

TEST(Bstr, ByteLenKeepsAnOddNumberOfBytes) {
    BSTR s = SysAllocStringByteLen("abcde", 5);
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(5u, SysStringByteLen(s));
    EXPECT_EQ(2u, SysStringLen(s));
    EXPECT_EQ(0, reinterpret_cast<char*>(s)[5]);
    EXPECT_EQ(0, reinterpret_cast<char*>(s)[6]);
    SysFreeString(s);

    s = SysAllocStringByteLen(nullptr, 3);
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(3u, SysStringByteLen(s));
    SysFreeString(s);
}

TEST(Bstr, ReAllocReplacesTheString) {
    BSTR s = SysAllocString(OLESTR("abc"));
    EXPECT_EQ(1, SysReAllocString(&s, OLESTR("hello")));
    EXPECT_EQ(5u, SysStringLen(s));
    EXPECT_EQ(1, SysReAllocStringLen(&s, OLESTR("xy"), 1));
    EXPECT_EQ(1u, SysStringLen(s));
    EXPECT_EQ(OLESTR('x'), s[0]);
    EXPECT_EQ(1, SysReAllocStringLen(&s, nullptr, 4));
    EXPECT_EQ(4u, SysStringLen(s));
    SysFreeString(s);

    BSTR none = nullptr;
    EXPECT_EQ(1, SysReAllocString(&none, OLESTR("q")));
    EXPECT_EQ(1u, SysStringLen(none));
    SysFreeString(none);
}

TEST(Bstr, ReAllocFromItsOwnText) {
    BSTR s = SysAllocString(OLESTR("abcdef"));
    EXPECT_EQ(1, SysReAllocStringLen(&s, s + 2, 3));
    EXPECT_EQ(3u, SysStringLen(s));
    EXPECT_EQ(OLESTR('c'), s[0]);
    EXPECT_EQ(OLESTR('e'), s[2]);
    SysFreeString(s);
}

TEST(Guids, HaveTheirWindowsValues) {
    EXPECT_EQ(0x00000000u, IID_IUnknown.Data1);
    EXPECT_EQ(0xC0, IID_IUnknown.Data4[0]);
    EXPECT_EQ(0x46, IID_IUnknown.Data4[7]);
    EXPECT_EQ(0x00020400u, IID_IDispatch.Data1);
    EXPECT_EQ(0x00020404u, IID_IEnumVARIANT.Data1);
    EXPECT_EQ(0x00000001u, IID_IClassFactory.Data1);
    EXPECT_EQ(0x00020401u, IID_ITypeInfo.Data1);
    EXPECT_EQ(0xDF0B3D60u, IID_ISupportErrorInfo.Data1);
    EXPECT_EQ(0x548F, IID_ISupportErrorInfo.Data2);
    EXPECT_EQ(0x1CF2B120u, IID_IErrorInfo.Data1);
    EXPECT_EQ(0x22F03340u, IID_ICreateErrorInfo.Data1);
    EXPECT_EQ(0x101B, IID_ICreateErrorInfo.Data3);
    EXPECT_EQ(0x19, IID_ICreateErrorInfo.Data4[7]);
    EXPECT_EQ(0xB196B284u, IID_IConnectionPointContainer.Data1);
    EXPECT_EQ(0xB196B285u, IID_IEnumConnectionPoints.Data1);
    EXPECT_EQ(0xB196B286u, IID_IConnectionPoint.Data1);
    EXPECT_EQ(0xBAB4, IID_IConnectionPoint.Data2);
    EXPECT_EQ(0x07, IID_IConnectionPoint.Data4[7]);
    const GUID zero = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
    EXPECT_TRUE(IsEqualGUID(GUID_NULL, zero));
    EXPECT_FALSE(IsEqualGUID(IID_IUnknown, IID_IDispatch));
}

}  // namespace
