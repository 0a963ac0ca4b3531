// Text at the automation boundary: bytes inside, UTF-16 in a BSTR. Plain
// ASCII behaves the same everywhere; natively the bytes are UTF-8, and a
// sequence that is not UTF-8 is read as Windows-1252. BSTR allocation and
// lengths, the same natively and on Windows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/automation.h"
#include "platform/text.h"

namespace {

using Units = std::basic_string<OLECHAR>;

Units UnitsOf(BSTR text) { return Units(text, SysStringLen(text)); }

TEST(TextConversion, AsciiRoundTrips) {
    const std::string line = "1 NAME John /Smith/";
    BSTR text = kinfold::AllocBstr(line);
    ASSERT_NE(nullptr, text);
    EXPECT_TRUE(UnitsOf(text) == OLESTR("1 NAME John /Smith/"));
    EXPECT_EQ(line, kinfold::BstrToText(text));
    SysFreeString(text);
}

TEST(TextConversion, EmptyTextIsAnEmptyStringNotNull) {
    BSTR text = kinfold::AllocBstr("");
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(0u, SysStringLen(text));
    SysFreeString(text);
}

TEST(TextConversion, NullBstrIsEmptyText) {
    EXPECT_EQ("", kinfold::BstrToText(nullptr));
    BSTR empty = SysAllocString(OLESTR(""));
    EXPECT_EQ("", kinfold::BstrToText(empty));
    SysFreeString(empty);
}

#ifndef _WIN32  // Windows converts through the machine's ANSI code page

Units Convert(std::string_view bytes) {
    BSTR text = kinfold::AllocBstr(bytes);
    EXPECT_NE(nullptr, text);
    const Units units = text ? UnitsOf(text) : Units();
    SysFreeString(text);
    return units;
}

TEST(TextConversion, Utf8BecomesUtf16) {
    EXPECT_TRUE(Convert("caf\xC3\xA9") == Units(u"caf\u00E9"));
    EXPECT_TRUE(Convert("\xE2\x82\xAC") == Units(u"\u20AC"));
    EXPECT_TRUE(Convert("\xF0\x9F\x98\x80") == Units(u"\U0001F600"));  // a surrogate pair
    EXPECT_TRUE(Convert("\xEF\xBB\xBF") == Units(u"\uFEFF"));
}

TEST(TextConversion, InvalidBytesAreReadAsWindows1252) {
    EXPECT_TRUE(Convert("caf\xE9") == Units(u"caf\u00E9"));       // Latin-1 e acute
    EXPECT_TRUE(Convert("\x80 \x85 \x99") == Units(u"\u20AC \u2026 \u2122"));
    EXPECT_TRUE(Convert("\x81\x8D\x8F\x90\x9D") == Units(u"\u0081\u008D\u008F\u0090\u009D"));  // undefined in 1252
    EXPECT_TRUE(Convert("\x9F\xFF") == Units(u"\u0178\u00FF"));
}

TEST(TextConversion, OnlyTheInvalidPartIsRead1252) {
    // A valid sequence, then a lead byte without its continuation, then valid again.
    EXPECT_TRUE(Convert("\xC3\xA9\xC3(\xC3\xA9") == Units(u"\u00E9\u00C3(\u00E9"));
    // Overlong forms, surrogates and truncated sequences are not UTF-8.
    EXPECT_TRUE(Convert("\xC0\xAF") == Units(u"\u00C0\u00AF"));
    EXPECT_TRUE(Convert("\xED\xA0\x80") == Units(u"\u00ED\u00A0\u20AC"));
    EXPECT_TRUE(Convert("\xE2\x82") == Units(u"\u00E2\u201A"));
    EXPECT_TRUE(Convert("\xF4\x90\x80\x80") == Units(u"\u00F4\u0090\u20AC\u20AC"));
}

TEST(TextConversion, Utf16BecomesUtf8) {
    BSTR text = SysAllocString(u"caf\u00E9 \u20AC \U0001F600");
    EXPECT_EQ("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", kinfold::BstrToText(text));
    SysFreeString(text);
}

TEST(TextConversion, UnpairedSurrogatesBecomeReplacementCharacters) {
    const OLECHAR lone[] = {u'a', 0xD800, u'b', 0xDC00, 0};
    EXPECT_EQ("a\xEF\xBF\xBD" "b\xEF\xBF\xBD", kinfold::BstrToText(lone));
    const OLECHAR trailing[] = {u'x', 0xD83D, 0};
    EXPECT_EQ("x\xEF\xBF\xBD", kinfold::BstrToText(trailing));
}

TEST(TextConversion, Windows1252TextComesBackAsUtf8) {
    // Old files are not rewritten: what comes back is the UTF-8 of what was read.
    BSTR text = kinfold::AllocBstr("M\xFCller");
    EXPECT_EQ("M\xC3\xBCller", kinfold::BstrToText(text));
    SysFreeString(text);
}

TEST(TextConversion, Utf8RoundTrips) {
    const std::string samples[] = {"", "plain", "\xC3\x85ngstr\xC3\xB6m", "\xE6\x97\xA5\xE6\x9C\xAC",
                                   "\xF0\x90\x8D\x88", "tab\tand\nnewline"};
    for (const std::string& sample : samples) {
        BSTR text = kinfold::AllocBstr(sample);
        EXPECT_EQ(sample, kinfold::BstrToText(text));
        SysFreeString(text);
    }
}

#endif  // _WIN32

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
