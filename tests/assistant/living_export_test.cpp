// The copy of a file that is safe to share: who is hidden and what of them
// stays, what the header says, the bytes of everything else, the failures a
// host can meet, and on every corpus file that the copy loads with no
// dangling pointer and answers as the file did for everyone not hidden.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assistant/assistant_fixture.h"
#include "core/encoding_detection.h"
#include "platform/text.h"
#include "support/corpus_files.h"
#include "support/export_answers.h"
#include "support/interface_reading.h"
#include "support/level_rules.h"
#include "support/level_sequences.h"

namespace kinfold::test {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Owns a BSTR argument.
struct TextArg {
    explicit TextArg(std::string_view text) : text(text) {
        VariantInit(&value);
        value.vt = VT_BSTR;
        value.bstrVal = this->text.get();
    }
    Bstr text;
    VARIANT value;
};

constexpr char kNote[] = "Individuals who may be living are hidden: ";
constexpr char kKept[] = "Each keeps its ID, sex and family links, with the name \"";
constexpr char kLeftOut[] =
    "\"; its events, notes, sources, attributes, multimedia and addresses are left out.";

std::string Note(const char* counts, const char* name = "Living", int years = 100) {
    return std::string(kNote) + counts + ", born within the last " + std::to_string(years) +
           " years by the dates in this file and those of their relatives." + "\n2 CONT " + kKept +
           name + kLeftOut;
}

// A recent couple (hidden), the man's old father (kept) and their families.
constexpr char kFamily[] =
    "0 HEAD\n1 CHAR UTF-8\n"
    "0 @I1@ INDI\n1 NAME Old /Smith/\n1 SEX M\n1 BIRT\n2 DATE 1850\n1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Young /Smith/\n1 SEX F\n1 BIRT\n2 DATE 1990\n2 PLAC Boston\n"
    "1 NOTE private\n1 SOUR @S1@\n1 FAMC @F1@\n2 PEDI adopted\n2 NOTE why\n1 FAMS @F2@\n"
    "1 RESI\n2 ADDR 1 Main St\n1 OBJE @M1@\n"
    "0 @I3@ INDI\n1 NAME Partner /Jones/\n1 BIRT\n2 DATE 1991\n1 FAMS @F2@\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I2@\n1 MARR\n2 DATE 1880\n"
    "0 @F2@ FAM\n1 HUSB @I3@\n1 WIFE @I2@\n1 MARR\n2 DATE 2015\n3 TIME 10:00\n2 PLAC Paris\n"
    "1 NOTE family note\n1 DIV\n1 CHIL @I4@\n"
    "0 @I4@ INDI\n1 FAMC @F2@\n1 BIRT\n2 DATE 2016\n"
    "0 @S1@ SOUR\n1 TITL Census\n0 @M1@ OBJE\n1 FILE a.jpg\n0 TRLR\n";

constexpr char kFamilyHidden[] = "0 HEAD\n1 CHAR UTF-8\n1 NOTE ";

struct ExportCase {
    const char* name;
    std::string input;
    VARIANT years;
    const char* livingName;  // null: omitted
    std::string expected;
};

HRESULT ExportFrom(IGEDCOMdb* db, const std::string& path, VARIANT years, VARIANT name,
                   VARIANT_BOOL* done) {
    ComPtr<IGDAssistant> plain;
    ComPtr<IGDAssistant2> assistant;
    if (FAILED(db->get_Assistant(plain.Out())) ||
        FAILED(plain->QueryInterface(IID_IGDAssistant2, reinterpret_cast<void**>(assistant.Out()))))
        return E_UNEXPECTED;
    Bstr file(path);
    return assistant->ExportHidingLiving(file.get(), years, name, done);
}

// Loads `text` into a new database with automatic decoding or not.
bool LoadInto(IGEDCOMdb* db, const TempFile& file, bool decode) {
    ComPtr<IGEDCOMdb2> db2;
    Bstr encoding(decode ? "auto" : "bytes");
    return SUCCEEDED(db->QueryInterface(IID_IGEDCOMdb2, reinterpret_cast<void**>(db2.Out()))) &&
           SUCCEEDED(db2->put_TextEncoding(encoding.get())) && Load(db, file.Path());
}

class LivingExportTest : public AssistantFixture {
   protected:
    HRESULT Export(const std::string& path, VARIANT years, VARIANT name, VARIANT_BOOL* done) {
        return ExportFrom(db_.get(), path, years, name, done);
    }
};

TEST_F(LivingExportTest, HidesTheLivingAndKeepsEverythingElse) {
    const std::vector<ExportCase> cases = {
        {"recent people keep their ID, sex and links; a family of hidden partners its members",
         kFamily, Omitted(), nullptr,
         std::string(kFamilyHidden) + Note("3 of 4") +
             "\n2 CONT 1 family whose partners are all hidden keeps only the partners and "
             "children.\n"
             "0 @I1@ INDI\n1 NAME Old /Smith/\n1 SEX M\n1 BIRT\n2 DATE 1850\n1 FAMS @F1@\n"
             "0 @I2@ INDI\n1 NAME Living\n1 SEX F\n1 FAMC @F1@\n2 PEDI adopted\n1 FAMS @F2@\n"
             "0 @I3@ INDI\n1 NAME Living\n1 FAMS @F2@\n"
             "0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I2@\n1 MARR\n2 DATE 1880\n"
             "0 @F2@ FAM\n1 HUSB @I3@\n1 WIFE @I2@\n1 CHIL @I4@\n"
             "0 @I4@ INDI\n1 NAME Living\n1 FAMC @F2@\n"
             "0 @S1@ SOUR\n1 TITL Census\n0 @M1@ OBJE\n1 FILE a.jpg\n0 TRLR\n"},
        {"the header's own note goes on, with the file's CRLF line ends and a name given",
         "0 HEAD\r\n1 NOTE Our tree\r\n2 CONT second line\r\n1 CHAR ANSEL\r\n"
         "0 @I1@ INDI\r\n1 NAME A /B/\r\n1 BIRT\r\n2 DATE 1950\r\n0 TRLR\r\n",
         LongVariant(100), "Private Person",
         "0 HEAD\r\n1 NOTE Our tree\r\n2 CONT second line\r\n2 CONT " + std::string(kNote) +
             "1 of 1, born within the last 100 years by the dates in this file and those of "
             "their relatives.\r\n2 CONT " +
             kKept + "Private Person" + kLeftOut +
             "\r\n1 CHAR ANSEL\r\n0 @I1@ INDI\r\n1 NAME Private Person\r\n0 TRLR\r\n"},
        {"a file without a header gets one; a last line without its line end ends",
         "0 @I1@ INDI\n1 BIRT\n2 DATE 2000\n0 TRLR", Omitted(), nullptr,
         "0 HEAD\n1 NOTE " + Note("1 of 1") + "\n0 @I1@ INDI\n1 NAME Living\n0 TRLR"},
        {"an earlier record under a hidden person's ID is left out",
         "0 HEAD\n0 @I1@ INDI\n1 NAME Earlier /Secret/\n0 @I1@ INDI\n1 BIRT\n2 DATE 2001\n",
         Omitted(), nullptr, "0 HEAD\n1 NOTE " + Note("1 of 1") + "\n0 @I1@ INDI\n1 NAME Living\n"},
        {"the years given decide who is old enough to show",
         "0 HEAD\n0 @I1@ INDI\n1 NAME A /B/\n1 BIRT\n2 DATE 1950\n", LongVariant(50), nullptr,
         "0 HEAD\n1 NOTE " + std::string(kNote) +
             "0 of 1, born within the last 50 years by the dates in this file and those of "
             "their relatives.\n2 CONT " +
             kKept + "Living" + kLeftOut + "\n0 @I1@ INDI\n1 NAME A /B/\n1 BIRT\n2 DATE 1950\n"},
        {"a header that is the whole file and has no line end", "0 HEAD", Omitted(), nullptr,
         "0 HEAD\n1 NOTE " + Note("0 of 0") + "\n"},
        // A blank line after a level-0 line reads it again without its ID,
        // opening a second record there; so does an empty first field. After
        // stand-in lines that record's line is written out.
        {"a blank line's record is written out, hidden with its lines of odd levels",
         "0 HEAD\n0 @I1@ INDI\n\n3 NOTE deep\n1 BIRT\n2 DATE 2001\n-1 X\n0 TRLR\n", Omitted(),
         nullptr,
         "0 HEAD\n1 NOTE " + Note("2 of 2") +
             "\n0 @I1@ INDI\n1 NAME Living\n0 INDI\n1 NAME Living\n0 TRLR\n"},
        {"a blank line's record that is shown keeps its lines",
         "0 HEAD\n0 @I1@ INDI\n\n1 BIRT\n2 DATE 1850\n0 TRLR\n", Omitted(), nullptr,
         "0 HEAD\n1 NOTE " + Note("1 of 2") +
             "\n0 @I1@ INDI\n1 NAME Living\n0 INDI\n1 BIRT\n2 DATE 1850\n0 TRLR\n"},
        {"an empty first field reopens the record before it",
         "0 HEAD\n0 @I1@ INDI\n0  X\n1 BIRT\n2 DATE 1850\n0 TRLR\n", Omitted(), nullptr,
         "0 HEAD\n1 NOTE " + Note("1 of 2") +
             "\n0 @I1@ INDI\n1 NAME Living\n0 INDI\n1 BIRT\n2 DATE 1850\n0 TRLR\n"},
        {"a blank line's family of hidden partners keeps its members",
         "0 HEAD\n0 @I1@ INDI\n1 BIRT\n2 DATE 2000\n1 FAMS @F1@\n0 @F1@ FAM\n\n1 HUSB @I1@\n"
         "1 MARR\n2 DATE 2020\n0 TRLR\n",
         Omitted(), nullptr,
         "0 HEAD\n1 NOTE " + Note("1 of 1") +
             "\n2 CONT 1 family whose partners are all hidden keeps only the partners and "
             "children.\n"
             "0 @I1@ INDI\n1 NAME Living\n1 FAMS @F1@\n0 @F1@ FAM\n\n1 HUSB @I1@\n0 TRLR\n"},
        {"a blank line after the header opens a second one, passed over with its lines",
         "0 HEAD\n\n1 NOTE passed over\n0 TRLR\n", Omitted(), nullptr,
         "0 HEAD\n1 NOTE " + Note("0 of 0") + "\n0 HEAD\n1 NOTE passed over\n0 TRLR\n"},
    };
    for (const ExportCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFile input(c.input);
        ComPtr<IGEDCOMdb> db = NewDatabase();
        ASSERT_TRUE(LoadInto(db.get(), input, false));
        const std::string out = UnusedTempPath();
        VARIANT_BOOL done = VARIANT_FALSE;
        TextArg name(c.livingName != nullptr ? c.livingName : "");
        EXPECT_EQ(ExportFrom(db.get(), out, c.years,
                             c.livingName != nullptr ? name.value : Omitted(), &done),
                  S_OK);
        EXPECT_EQ(done, VARIANT_TRUE);
        EXPECT_EQ(ReadFile(out), c.expected);
        std::remove(out.c_str());
    }
}

// A UTF-16 file is written back in UTF-16, in its byte order, with its mark.
TEST_F(LivingExportTest, WritesUtf16AsItWasRead) {
    const std::string text =
        "0 HEAD\n1 CHAR UNICODE\n0 @I1@ INDI\n1 NAME J\xC3\xBCrgen\n"
        "1 BIRT\n2 DATE 2001\n0 @I2@ INDI\n1 NAME \xC3\x89mile\n0 TRLR\n";
    for (Utf16 order : {Utf16::LittleEndian, Utf16::BigEndian}) {
        const std::string mark = order == Utf16::LittleEndian ? "\xFF\xFE" : "\xFE\xFF";
        TempFile input(mark + Utf8ToUtf16(text, order));
        ComPtr<IGEDCOMdb> db = NewDatabase();
        ASSERT_TRUE(LoadInto(db.get(), input, true));
        const std::string out = UnusedTempPath();
        VARIANT_BOOL done = VARIANT_FALSE;
        TextArg name("Lebend \xC3\xBC");
        ASSERT_EQ(ExportFrom(db.get(), out, Omitted(), name.value, &done), S_OK);
        const std::string expected =
            "0 HEAD\n1 CHAR UNICODE\n1 NOTE " + Note("2 of 2", "Lebend \xC3\xBC") +
            "\n0 @I1@ INDI\n1 NAME Lebend \xC3\xBC\n0 @I2@ INDI\n1 NAME Lebend \xC3\xBC\n0 TRLR\n";
        EXPECT_EQ(ReadFile(out), mark + Utf8ToUtf16(expected, order));
        std::remove(out.c_str());
    }
}

TEST_F(LivingExportTest, RefusesWhatItCannotDoAndLeavesNoFile) {
    LoadText(kFamily);
    const std::string out = UnusedTempPath();
    struct Refusal {
        const char* name;
        VARIANT years;
        std::string livingName;  // "-": omitted
        HRESULT expected;
        std::string description;
    };
    const std::string nameRule = "LivingName must be a name of 1 to 120 characters on one line";
    const std::vector<Refusal> refusals = {
        {"negative years", LongVariant(-1), "-", E_INVALIDARG,
         "Years must be a number of years, 0 or more"},
        {"an empty name", Omitted(), "", E_INVALIDARG, nameRule},
        {"a name of two lines", Omitted(), "Liv\ning", E_INVALIDARG, nameRule},
        {"a name too long for a NAME line", Omitted(), std::string(121, 'x'), E_INVALIDARG,
         nameRule},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        VARIANT_BOOL done = VARIANT_TRUE;
        TextArg name(r.livingName);
        EXPECT_EQ(Export(out, r.years, r.livingName == "-" ? Omitted() : name.value, &done),
                  r.expected);
        EXPECT_EQ(done, VARIANT_FALSE);
        EXPECT_EQ(ErrorDescription(), r.description);
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    VARIANT_BOOL done = VARIANT_TRUE;
    const std::string nowhere = UnusedTempPath() + "/missing/out.ged";
    EXPECT_EQ(Export(nowhere, Omitted(), Omitted(), &done), E_FAIL);
    EXPECT_EQ(done, VARIANT_FALSE);
    EXPECT_EQ(ErrorDescription().rfind("Cannot write '" + nowhere + "': ", 0), 0u);
    EXPECT_EQ(Export(out, Omitted(), Omitted(), nullptr), E_POINTER);

    file_->Rewrite(std::string(kFamily) + "0 @I9@ INDI\n");
    EXPECT_EQ(Export(out, Omitted(), Omitted(), &done), E_FAIL);
    EXPECT_EQ(ErrorDescription(),
              "The file '" + file_->Path() + "' has changed since it was loaded");
    EXPECT_FALSE(std::filesystem::exists(out));

    ComPtr<IGEDCOMdb> empty = NewDatabase();
    EXPECT_EQ(ExportFrom(empty.get(), out, Omitted(), Omitted(), &done), E_FAIL);
    EXPECT_EQ(ErrorDescription(), "No file is loaded");
}

// A name with letters beyond ASCII cannot be written in an ANSEL file.
TEST_F(LivingExportTest, RefusesANameTheCharacterSetCannotHold) {
    TempFile input("0 HEAD\n1 CHAR ANSEL\n0 @I1@ INDI\n1 BIRT\n2 DATE 2001\n0 TRLR\n");
    ComPtr<IGEDCOMdb> db = NewDatabase();
    ASSERT_TRUE(LoadInto(db.get(), input, true));
    VARIANT_BOOL done = VARIANT_TRUE;
    TextArg name("Lebend \xC3\xBC");
    EXPECT_EQ(ExportFrom(db.get(), UnusedTempPath(), Omitted(), name.value, &done), E_INVALIDARG);
    EXPECT_EQ(ErrorDescription(),
              "The name \"Lebend \xC3\xBC\" cannot be written in the character set of the file; "
              "use ASCII letters");
}

#ifndef _WIN32
// Native only: the copy is made by the same code on both builds, and the
// tables above cover what differs on Windows (writing and replacing files).

// Loads `path` as the tools do, tolerating what real files hold.
bool LoadTolerantly(IGEDCOMdb* db, const std::string& path) {
    ComPtr<IGEDCOMdb3> db3;
    EXPECT_EQ(db->QueryInterface(IID_IGEDCOMdb3, reinterpret_cast<void**>(db3.Out())), S_OK);
    Bstr automatic("auto");
    db3->put_TextEncoding(automatic.get());
    db3->put_DropDanglingPointers(VARIANT_TRUE);
    db3->put_ReadLongLines(VARIANT_TRUE);
    db3->put_JoinLinesWithoutLevel(VARIANT_TRUE);
    return Load(db, path);
}

long DanglingPointersDropped(IGEDCOMdb* db) {
    ComPtr<IGEDCOMdb3> db3;
    ComPtr<IGDList> dropped;
    LONG count = 0;
    if (FAILED(db->QueryInterface(IID_IGEDCOMdb3, reinterpret_cast<void**>(db3.Out()))) ||
        FAILED(db3->get_DroppedLines(dropped.Out())) || FAILED(dropped->get_Count(&count)))
        return -1;
    long dangling = 0;
    for (LONG i = 1; i <= count; ++i) {
        VARIANT text;
        VariantInit(&text);
        if (SUCCEEDED(dropped->get_Item(i, &text)) && text.vt == VT_BSTR &&
            BstrToText(text.bstrVal).find("names no record") != std::string::npos)
            ++dangling;
        VariantClear(&text);
    }
    return dangling;
}

// Whether a record whose individuals are all hidden gives up data: an
// individual always, a family when it has a partner.
bool HidesItsData(GeneratedKind kind, const std::vector<std::string>& answers) {
    if (kind == GeneratedKind::Individual) return true;
    if (kind == GeneratedKind::Source) return false;
    return std::any_of(answers.begin(), answers.end(), [](const std::string& answer) {
        return (answer.rfind("husband ", 0) == 0 && answer.size() > 8) ||
               (answer.rfind("wife ", 0) == 0 && answer.size() > 5);
    });
}

// Every sequence of levels under an INDI, a FAM and a SOUR, exported with
// every individual hidden (none has a year, and those left undecided are
// hidden) and with none hidden: each record of the copy answers as the
// file's did, less what a hidden one gives up.
TEST(LivingExportLevelsTest, EveryLevelSequenceKeepsItsAnswers) {
    MessageCapture quiet;
    for (const LevelRuleKind& kind : kLevelRuleKinds) {
        const std::vector<GeneratedRecord> records = EveryLevelSequence(kind.kind, kind.tags);
        TempFile file(GeneratedFile(records));
        for (LONG hideUndecided : {1, 0}) {
            SCOPED_TRACE(std::string(kind.name) + (hideUndecided ? " all hidden" : " none hidden"));
            ComPtr<IGEDCOMdb> input = NewDatabase();
            ASSERT_EQ(input->put_DefaultConfidentialValue(hideUndecided), S_OK);
            ASSERT_TRUE(Load(input.get(), file.Path()));
            const std::string out = UnusedTempPath();
            VARIANT_BOOL done = VARIANT_FALSE;
            ASSERT_EQ(ExportFrom(input.get(), out, Omitted(), Omitted(), &done), S_OK);
            ComPtr<IGEDCOMdb> copy = NewDatabase();
            ASSERT_TRUE(Load(copy.get(), out));
            size_t differences = 0;
            for (size_t i = 0; i < records.size() && differences < 5; ++i) {
                std::vector<std::string> before = AnswersOf(input.get(), records, i);
                std::vector<std::string> after = AnswersOf(copy.get(), records, i);
                if (hideUndecided != 0 && HidesItsData(kind.kind, before)) {
                    before = KeptOfHidden(before);
                    after = KeptOfHidden(after);
                }
                if (before == after) continue;
                ++differences;
                ADD_FAILURE() << "record " << i << ":\n"
                              << WrittenLines(records[i]) << ::testing::PrintToString(before)
                              << "\n"
                              << ::testing::PrintToString(after);
            }
            copy.Reset();
            input.Reset();
            std::remove(out.c_str());
        }
    }
}

TEST(LivingExportCorpusTest, EveryFileCopiesWithTheSameAnswersForThoseShown) {
    MessageCapture quiet;
    for (const std::filesystem::path& file : CorpusFiles()) {
        SCOPED_TRACE(file.filename().string());
        ComPtr<IGEDCOMdb> input = NewDatabase();
        if (!LoadTolerantly(input.get(), file.string())) continue;
        const std::string out = UnusedTempPath();
        VARIANT_BOOL done = VARIANT_FALSE;
        ASSERT_EQ(ExportFrom(input.get(), out, Omitted(), Omitted(), &done), S_OK);

        ComPtr<IGEDCOMdb> copy = NewDatabase();
        ASSERT_TRUE(LoadTolerantly(copy.get(), out));
        EXPECT_LE(DanglingPointersDropped(copy.get()), DanglingPointersDropped(input.get()));
        ComPtr<IGEDCOMdb> strict = NewDatabase();
        if (Load(strict.get(), file.string())) {
            ComPtr<IGEDCOMdb> strictCopy = NewDatabase();
            EXPECT_TRUE(Load(strictCopy.get(), out));
        }
        EXPECT_EQ(ExportDifferences(AnswersForExport(input.get(), true),
                                    AnswersForExport(copy.get(), true), "Living"),
                  "");
        copy.Reset();
        std::remove(out.c_str());
    }
}

#endif  // _WIN32

}  // namespace
}  // namespace kinfold::test
