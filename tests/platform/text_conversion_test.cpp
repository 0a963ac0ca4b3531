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

// The UTF-16 units a BSTR made from `bytes` holds; text, even empty, is never NULL.
Units Convert(std::string_view bytes) {
    BSTR text = kinfold::AllocBstr(bytes);
    EXPECT_NE(nullptr, text);
    const Units units = text ? UnitsOf(text) : Units();
    SysFreeString(text);
    return units;
}

// The bytes that come back from a BSTR made from `bytes`.
std::string RoundTrip(std::string_view bytes) {
    BSTR text = kinfold::AllocBstr(bytes);
    const std::string back = kinfold::BstrToText(text);
    SysFreeString(text);
    return back;
}

TEST(TextConversion, AsciiAndEmptyTextRoundTrip) {
    EXPECT_TRUE(Convert("1 NAME John /Smith/") == OLESTR("1 NAME John /Smith/"));
    EXPECT_TRUE(Convert("").empty());
    for (const char* line : {"1 NAME John /Smith/", ""}) EXPECT_EQ(line, RoundTrip(line));
    EXPECT_EQ("", kinfold::BstrToText(nullptr));
}

#ifndef _WIN32  // Windows converts through the machine's ANSI code page

TEST(TextConversion, BytesBecomeUtf16) {
    const struct {
        const char* bytes;
        const char16_t* units;
    } cases[] = {
        {"caf\xC3\xA9", u"caf\u00E9"},
        {"\xE2\x82\xAC", u"\u20AC"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},  // a surrogate pair
        {"\xEF\xBB\xBF", u"\uFEFF"},
        // Not UTF-8: read as Windows-1252.
        {"caf\xE9", u"caf\u00E9"},  // Latin-1 e acute
        {"\x80 \x85 \x99", u"\u20AC \u2026 \u2122"},
        {"\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},  // undefined in 1252
        {"\x9F\xFF", u"\u0178\u00FF"},
        // Only the bytes that are not UTF-8 are: a valid sequence, a lead byte without its
        // continuation, valid again.
        {"\xC3\xA9\xC3(\xC3\xA9", u"\u00E9\u00C3(\u00E9"},
        // Overlong forms, surrogates and truncated sequences are not UTF-8.
        {"\xC0\xAF", u"\u00C0\u00AF"},
        {"\xED\xA0\x80", u"\u00ED\u00A0\u20AC"},
        {"\xE2\x82", u"\u00E2\u201A"},
        {"\xF4\x90\x80\x80", u"\u00F4\u0090\u20AC\u20AC"},
    };
    for (const auto& c : cases) EXPECT_TRUE(Convert(c.bytes) == Units(c.units)) << c.bytes;
}

TEST(TextConversion, Utf16BecomesUtf8) {
    const OLECHAR lone[] = {u'a', 0xD800, u'b', 0xDC00, 0};
    const OLECHAR trailing[] = {u'x', 0xD83D, 0};
    const struct {
        const OLECHAR* units;
        const char* bytes;
    } cases[] = {
        {u"caf\u00E9 \u20AC \U0001F600", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        // Unpaired surrogates become replacement characters.
        {lone,
         "a\xEF\xBF\xBD"
         "b\xEF\xBF\xBD"},
        {trailing, "x\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.bytes, kinfold::BstrToText(c.units));
}

TEST(TextConversion, Utf8RoundTripsAndWindows1252ComesBackAsUtf8) {
    for (const char* sample : {"plain", "\xC3\x85ngstr\xC3\xB6m", "\xE6\x97\xA5\xE6\x9C\xAC",
                               "\xF0\x90\x8D\x88", "tab\tand\nnewline"})
        EXPECT_EQ(sample, RoundTrip(sample));
    // Old files are not rewritten: what comes back is the UTF-8 of what was read.
    EXPECT_EQ("M\xC3\xBCller", RoundTrip("M\xFCller"));
}

#endif  // _WIN32

// The byte length stands in the four bytes in front, and two zero bytes
// follow the text whatever its length.
TEST(Bstr, LengthsPrefixAndTerminator) {
    const struct {
        const char* what;
        BSTR text;
        UINT length;
        UINT bytes;
    } cases[] = {
        {"abc", SysAllocString(OLESTR("abc")), 3, 6},
        {"empty is not NULL", SysAllocString(OLESTR("")), 0, 0},
        {"zeros inside", SysAllocStringLen(OLESTR("a\0b"), 3), 3, 6},
        {"room without source", SysAllocStringLen(nullptr, 5), 5, 10},
        {"odd byte length", SysAllocStringByteLen("abcde", 5), 2, 5},
        {"bytes without source", SysAllocStringByteLen(nullptr, 3), 1, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NE(nullptr, c.text);
        EXPECT_EQ(c.length, SysStringLen(c.text));
        EXPECT_EQ(c.bytes, SysStringByteLen(c.text));
        uint32_t prefix;
        std::memcpy(&prefix, reinterpret_cast<char*>(c.text) - 4, 4);
        EXPECT_EQ(c.bytes, prefix);
        EXPECT_EQ(0, reinterpret_cast<char*>(c.text)[c.bytes]);
        EXPECT_EQ(0, reinterpret_cast<char*>(c.text)[c.bytes + 1]);
        SysFreeString(c.text);
    }
    BSTR zeros = SysAllocStringLen(OLESTR("a\0b"), 3);
    EXPECT_EQ(OLESTR('b'), zeros[2]);
    SysFreeString(zeros);
}

TEST(Bstr, NullHasLengthZeroAndFreesQuietly) {
    EXPECT_EQ(0u, SysStringLen(nullptr));
    EXPECT_EQ(0u, SysStringByteLen(nullptr));
    EXPECT_EQ(nullptr, SysAllocString(nullptr));
    SysFreeString(nullptr);
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
    // From its own text.
    EXPECT_EQ(1, SysReAllocString(&s, OLESTR("abcdef")));
    EXPECT_EQ(1, SysReAllocStringLen(&s, s + 2, 3));
    EXPECT_EQ(3u, SysStringLen(s));
    EXPECT_EQ(OLESTR('c'), s[0]);
    EXPECT_EQ(OLESTR('e'), s[2]);
    SysFreeString(s);

    BSTR none = nullptr;
    EXPECT_EQ(1, SysReAllocString(&none, OLESTR("q")));
    EXPECT_EQ(1u, SysStringLen(none));
    SysFreeString(none);
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
