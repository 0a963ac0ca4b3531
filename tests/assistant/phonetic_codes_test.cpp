// Phonetic codes beyond Soundex: the letters a name is coded from, the
// Daitch-Mokotoff and Cologne codes of the names their coding charts work
// through, the PhoneticCodes member with its errors, the members declared
// but not built yet, and extraction by the new codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "assistant/assistant_fixture.h"
#include "assistant/latin_letters.h"
#include "host/late_binding.h"
#include "platform/text.h"
#include "support/com_test_support.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

using Codes = std::vector<std::string>;

TEST(LatinLetters, FoldsMarkedLettersFromUtf8AndWindows1252) {
    const struct {
        const char* name;
        const char* letters;
    } cases[] = {
        {"Smith", "SMITH"},
        {"van der Berg", "VANDERBERG"},
        {"O'Brien-Smith", "OBRIENSMITH"},
        {"Louis 14", "LOUIS"},
        {"M\xc3\xbcller", "MULLER"},              // UTF-8
        {"M\xfcller", "MULLER"},                  // Windows-1252
        {"Jos\xe9 M\xc3\xbcller", "JOSEMULLER"},  // both in one text
        {"Stra\xc3\x9f"
         "e",
         "STRASSE"},
        {"\xc3\x86r\xc3\xb8sk\xc3\xb8"
         "bing",
         "AEROSKOBING"},
        {"\xc3\x9e\xc3\xb3r", "THOR"},
        {"\xc5\x81\xc3\xb3"
         "d\xc5\xba",
         "LODZ"},
        {"Dvo\xc5\x99\xc3\xa1k", "DVORAK"},
        {"\xc5\x92uvre", "OEUVRE"},
        {"\x8a"
         "a\x9e"
         "e",
         "SAZE"},  // Š and ž, Windows-1252 only
        {"\xc4\xb2sselmeer", "IJSSELMEER"},
        {"\xc3\x97\xc3\xb7", ""},                  // × and ÷ are no letters
        {"\xce\xa0\xce\xb1\xcf\x80\xce\xb1", ""},  // Greek
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(LatinLetters(c.name), c.letters) << c.name;
    EXPECT_EQ(LatinLetters(u"\u0141ukasiewicz-\u017bak"), "LUKASIEWICZZAK");
    EXPECT_EQ(LatinLetters(u"\u00e6\u00f0\u00ff\u0131\u017f"), "AEDYIS");
}

class PhoneticCodesTest : public ::testing::Test {
   protected:
    void SetUp() override {
        ComPtr<IGDAssistant> assistant;
        ASSERT_EQ(db_->get_Assistant(assistant.Out()), S_OK);
        ASSERT_EQ(assistant->QueryInterface(IID_IGDAssistant2, assistant_.OutVoid()), S_OK);
    }

    // The codes of `name` (UTF-16, so that it reads the same on every
    // platform), or the failure's code.
    Codes Of(const char16_t* name, const char* method) {
        BSTR text = AllocBstrUtf16(name);
        Bstr methodText(method);
        ComPtr<IGDList> list;
        const HRESULT hr = assistant_->PhoneticCodes(text, methodText.get(), list.Out());
        SysFreeString(text);
        return Listed(hr, list.get());
    }

    struct NameCodes {
        const char16_t* name;
        Codes codes;
    };
    template <size_t Count>
    void ExpectCodes(const char* method, const NameCodes (&cases)[Count]) {
        for (const NameCodes& c : cases)
            EXPECT_EQ(Of(c.name, method), c.codes)
                << BstrToText(reinterpret_cast<const OLECHAR*>(c.name));
    }

    static Codes Listed(HRESULT hr, IGDList* list) {
        if (SUCCEEDED(hr)) return TextsIn(list);
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
        return {code};
    }

    LiveObjectGuard guard_;
    ComPtr<IGEDCOMdb> db_ = NewDatabase();
    ComPtr<IGDAssistant2> assistant_;
};

// Worked through the coding chart by hand. Vowels (A, E, I, O, U) decide
// the column of the group before them; a vowel or an uncoded H between two
// groups of one code keeps both (Lipshitz), adjacent groups do not
// (Lippszyc's PP).
TEST_F(PhoneticCodesTest, DaitchMokotoffCodes) {
    const NameCodes cases[] = {
        {u"Moskowitz", {"645740"}},
        {u"Moskovitz", {"645740"}},
        {u"Auerbach", {"097500", "097400"}},
        {u"Ohrbach", {"097500", "097400"}},
        {u"Lipshitz", {"874400"}},
        {u"Lippszyc", {"874500", "874400"}},
        {u"Lewinsky", {"876450"}},
        {u"Levinsky", {"876450"}},
        {u"Szlachter", {"485390", "484390"}},
        {u"Halpern", {"587960"}},
        {u"Peters", {"739400", "734000"}},
        {u"Peterson", {"739460", "734600"}},
        {u"Jackson", {"154600", "145460", "454600", "445460"}},
        {u"Augsburg", {"054795"}},
        {u"Breuer", {"791900"}},
        {u"Halberstadt", {"587943", "587433"}},
        {u"Schwarz", {"479400", "474000"}},
        {u"Rzeszow", {"944700", "447000"}},
        {u"Zsolnai", {"486000"}},
        {u"Kovacs", {"574000"}},
        {u"Cohen", {"556000", "456000"}},
        {u"Bach", {"750000", "740000"}},
        {u"Beckmann", {"756600", "745660"}},
        {u"Kleinman", {"586660"}},
        {u"Mannheim", {"665600"}},
        {u"Alexander", {"085463"}},
        {u"Fischer", {"749000"}},
        {u"Schmidt", {"463000"}},
        {u"Stein", {"260000"}},
        {u"Zhdanov", {"267000"}},
        {u"Dzhugashvili", {"454780"}},
        {u"Topf", {"370000"}},
        {u"Toto", {"330000"}},
        {u"Ai", {"000000"}},
        {u"M\u00fcller", {"689000"}},
        {u"Mueller", {"689000"}},
        {u"Miller", {"689000"}},
        {u"Strau\u00df", {"294000"}},
        {u"\u0141ukasiewicz", {"854740"}},
        {u"O'Brien", {"079600"}},
        // One string: the second name's codes follow the first's.
        {u"M\u00fcller-L\u00fcdenscheidt", {"689836"}},
        {u"jackson", {"154600", "145460", "454600", "445460"}},
        {u"", {}},
        {u" -' ", {}},
    };
    ExpectCodes("dm", cases);
}

// Six C's apart give every reading: C as K (5) first, the last C varying
// fastest. A run of C's reads as alternating sounds only, repeats merged,
// so even 280 of them leave a dozen readings.
TEST_F(PhoneticCodesTest, DaitchMokotoffReadingsOfManyGroups) {
    Codes every;
    for (int reading = 0; reading < 64; ++reading) {
        std::string code;
        for (int bit = 5; bit >= 0; --bit) code.push_back((reading >> bit) & 1 ? '4' : '5');
        every.push_back(code);
    }
    EXPECT_EQ(Of(u"Cacacacacaca", "dm"), every);

    const Codes run = Of(std::u16string(280, u'c').c_str(), "dm");
    EXPECT_EQ(run.size(), 12u);
    EXPECT_EQ(run.front(), "500000");
    for (const char* code : {"540000", "545454", "400000", "454545"})
        EXPECT_NE(std::find(run.begin(), run.end(), code), run.end()) << code;
}

// Worked through the rules by hand: digits of each letter, repeats merged
// (across an H too), zeros dropped but a leading one.
TEST_F(PhoneticCodesTest, CologneCodes) {
    const NameCodes cases[] = {
        {u"M\u00fcller-L\u00fcdenscheidt", {"65752682"}},
        {u"Wikipedia", {"3412"}},
        {u"Breschnew", {"17863"}},
        {u"Meyer", {"67"}},
        {u"Maier", {"67"}},
        {u"Mayr", {"67"}},
        {u"M\u00fcller", {"657"}},
        {u"Schmidt", {"862"}},
        {u"Schmitt", {"862"}},
        {u"Heinz", {"068"}},
        {u"Xaver", {"4837"}},
        {u"Chemie", {"46"}},
        {u"Celle", {"85"}},
        {u"C\u00e4sar", {"487"}},
        {u"Christoph", {"47823"}},
        {u"Acker", {"047"}},
        {u"Sachs", {"848"}},
        {u"Dax", {"248"}},
        {u"Axt", {"0482"}},
        {u"Philipp", {"351"}},
        {u"Tietze", {"28"}},
        {u"\u00dcbel", {"015"}},
        {u"K\u00e4se", {"48"}},
        {u"Kr\u00fcger", {"4747"}},
        {u"J\u00fcrgen", {"0746"}},
        {u"Kaczmarek", {"48674"}},
        {u"Stra\u00dfe", {"8278"}},
        {u"Strasse", {"8278"}},
        {u"", {}},
        {u"12", {}},
    };
    ExpectCodes("cologne", cases);
}

TEST_F(PhoneticCodesTest, SoundexIsTheSoundexMembersCode) {
    for (const char16_t* name : {u"Schwarz", u"Lloyd", u"Ashcraft", u" smith ", u"\u00c9mile"}) {
        BSTR text = AllocBstrUtf16(name);
        Bstr code;
        ASSERT_EQ(assistant_->Soundex(text, code.Out()), S_OK);
        SysFreeString(text);
        const Codes expected = code.Text().empty() ? Codes{} : Codes{code.Text()};
        EXPECT_EQ(Of(name, "soundex"), expected);
    }
    EXPECT_EQ(Of(u"Schwarz", "soundex"), Codes{"S262"});
}

TEST_F(PhoneticCodesTest, MethodNamesIgnoreCaseAndDefaultToSoundex) {
    EXPECT_EQ(Of(u"Schwarz", "DM"), (Codes{"479400", "474000"}));
    EXPECT_EQ(Of(u"Schwarz", "Cologne"), Codes{"8378"});
    ComPtr<IGDList> list;
    BSTR name = AllocBstrUtf16(u"Schwarz");
    EXPECT_EQ(assistant_->PhoneticCodes(name, nullptr, list.Out()), S_OK);
    SysFreeString(name);
    EXPECT_EQ(Listed(S_OK, list.get()), Codes{"S262"});
    Bstr method("dm");
    EXPECT_EQ(assistant_->PhoneticCodes(nullptr, method.get(), list.Out()), S_OK);
    EXPECT_EQ(Listed(S_OK, list.get()), Codes{});

    // A host that leaves the method out gets the declared default.
    Variant result;
    ASSERT_EQ(InvokeByName(assistant_.get(), "PhoneticCodes", DISPATCH_METHOD,
                           {TextVariant("Schwarz")}, &result),
              S_OK);
    ASSERT_EQ(result->vt, VT_DISPATCH);
    ComPtr<IGDList> defaulted;
    ASSERT_EQ(result->pdispVal->QueryInterface(IID_IGDList, defaulted.OutVoid()), S_OK);
    EXPECT_EQ(Listed(S_OK, defaulted.get()), Codes{"S262"});
}

TEST_F(PhoneticCodesTest, UnknownMethodIsAnInvalidArgumentWithADescription) {
    Bstr name("Schwarz");
    for (const char* method : {"metaphone", "d m", "soundex2"}) {
        // A list already in the out-pointer is let go of, as on success.
        IGDList* list = nullptr;
        ASSERT_EQ(assistant_->PhoneticCodes(name.get(), nullptr, &list), S_OK);
        ASSERT_NE(list, nullptr);
        Bstr methodText(method);
        EXPECT_EQ(assistant_->PhoneticCodes(name.get(), methodText.get(), &list), E_INVALIDARG);
        EXPECT_EQ(list, nullptr);
        ComPtr<IErrorInfo> info;
        ASSERT_EQ(GetErrorInfo(0, info.Out()), S_OK);
        Bstr description;
        ASSERT_EQ(info->GetDescription(description.Out()), S_OK);
        EXPECT_EQ(description.Text(), std::string("Unknown phonetic method '") + method +
                                          "': use soundex, dm or cologne");
    }
    Bstr method("dm");
    EXPECT_EQ(assistant_->PhoneticCodes(name.get(), method.get(), nullptr), E_POINTER);
}

// Surnames in both byte forms a file may hold (Windows-1252 and UTF-8
// Müller), sounding alike (Schwarz, Schwartz, Szwarc), and one made of two.
constexpr char kNamesAlike[] =
    "0 @I1@ INDI\n1 NAME Hans /M\xfcller/\n"
    "0 @I2@ INDI\n1 NAME Anna /M\xc3\xbcller/\n"
    "0 @I3@ INDI\n1 NAME Jim /Miller/\n"
    "0 @I4@ INDI\n1 NAME Eva /Schwarz/\n"
    "0 @I5@ INDI\n1 NAME Abe /Szwarc/\n"
    "0 @I6@ INDI\n1 NAME Al /Meier/\n"
    "0 @I7@ INDI\n"
    "0 @I8@ INDI\n1 NAME Bo /Schwartz-Meyer/\n"
    "0 @I9@ INDI\n1 NAME Ida /Schwartz/\n"
    "0 TRLR\n";

class PhoneticExtractionTest : public AssistantFixture {};

TEST_F(PhoneticExtractionTest, SurnamesThatShareACodeWithTheName) {
    LoadText(kNamesAlike);
    VARIANT empty;
    VariantInit(&empty);
    const struct {
        gd_SubCategories category;
        VARIANT criteria;
        LONG order;
        Ids expected;
    } cases[] = {
        {gd_subcatDaitchMokotoff,
         TextVariant("Schwarz"),
         gd_sortSurnameGiven,
         {"@I9@", "@I4@", "@I5@"}},
        {gd_subcatDaitchMokotoff,
         TextVariant("Mueller"),
         gd_sortSurnameGiven,
         {"@I3@", "@I2@", "@I1@"}},
        {gd_subcatDaitchMokotoff, TextVariant("Meyer"), gd_sortSurnameGiven, {"@I6@"}},
        {gd_subcatDaitchMokotoff, TextVariant("schwartz-meyer"), gd_sortSurnameGiven, {"@I8@"}},
        {gd_subcatDaitchMokotoff, TextVariant("Mueller"), gd_sortGiven, {"@I2@", "@I1@", "@I3@"}},
        {gd_subcatCologne, TextVariant("Schwarz"), gd_sortSurnameGiven, {"@I9@", "@I4@", "@I5@"}},
        {gd_subcatCologne, TextVariant("Moeller"), gd_sortSurnameGiven, {"@I3@", "@I2@", "@I1@"}},
        {gd_subcatCologne, TextVariant("Mayr"), gd_sortSurnameGiven, {"@I6@"}},
        // No letter, no code: nobody shares one, the unnamed I7 neither.
        {gd_subcatDaitchMokotoff, TextVariant(""), gd_sortSurnameGiven, {}},
        {gd_subcatCologne, empty, gd_sortSurnameGiven, {}},
        {gd_subcatCologne, LongVariant(12), gd_sortSurnameGiven, {}},
        {gd_subcatDaitchMokotoff, TextVariant("Zzyzx"), gd_sortSurnameGiven, {}},
        {gd_subcatCologne, Null(), gd_sortSurnameGiven, {"0x80020005"}},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(++row));
        EXPECT_EQ(Extract(c.category, c.criteria, c.order), c.expected);
    }
}

// With the file's text decoded, an ANSEL Ł is an L; read as bytes it is no
// letter at all.
constexpr char kAnselName[] =
    "0 HEAD\n1 CHAR ANSEL\n0 @I1@ INDI\n1 NAME Jan /\xa1ukasiewicz/\n0 TRLR\n";

TEST_F(PhoneticExtractionTest, DecodedSurnamesAreCodedByTheirLetters) {
    for (const char* encoding : {"bytes", "auto"}) {
        SCOPED_TRACE(encoding);
        ComPtr<IGEDCOMdb2> db2;
        ASSERT_EQ(db_->QueryInterface(IID_IGEDCOMdb2, db2.OutVoid()), S_OK);
        Bstr name(encoding);
        ASSERT_EQ(db2->put_TextEncoding(name.get()), S_OK);
        LoadText(kAnselName);
        const Ids decoded = encoding[0] == 'a' ? Ids{"@I1@"} : Ids{};
        EXPECT_EQ(Extract(gd_subcatDaitchMokotoff, TextVariant("Lukasiewicz")), decoded);
        EXPECT_EQ(Extract(gd_subcatDaitchMokotoff, TextVariant("Ukasiewicz")),
                  decoded.empty() ? Ids{"@I1@"} : Ids{});
        EXPECT_EQ(Extract(gd_subcatCologne, TextVariant("Lukasiewicz")), decoded);
    }
}

}  // namespace
}  // namespace kinfold::test
