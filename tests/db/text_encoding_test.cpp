// Automatic text decoding: the same three people written in every encoding,
// line end and byte-order form give the same answers once the database
// decodes automatically; a database that does not keeps today's answers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/com_test_support.h"
#include "support/live_object_guard.h"

namespace kinfold::test {
namespace {

// Stands for the é of "Montréal" cut by a CONC line break: inside its bytes
// where it has several and the form is 8-bit, after it otherwise.
constexpr char16_t kCutE = 0xE000;

const std::u16string kFile =
    u"0 HEAD\n1 GEDC\n2 VERS 5.5.1\n"
    u"0 @I1@ INDI\n1 NAME José /Núñez/\n"
    u"0 @I2@ INDI\n1 NAME Zoë /Müller/\n"
    u"0 @I3@ INDI\n1 NAME François /Çelik/\n"
    u"0 @N1@ NOTE Montr\uE000al\n"
    u"0 TRLR\n";

struct Letter {
    char16_t letter;
    const char* cp437;
    const char* macRoman;
    const char* ansel;
};

const Letter kLetters[] = {
    {u'é', "\x82", "\x8E", "\xE2" "e"}, {u'ú', "\xA3", "\x9C", "\xE2" "u"},
    {u'ñ', "\xA4", "\x96", "\xE4" "n"}, {u'ë', "\x89", "\x91", "\xE8" "e"},
    {u'ü', "\x81", "\x9F", "\xE8" "u"}, {u'ç', "\x87", "\x8D", "\xF0" "c"},
    {u'Ç', "\x80", "\x82", "\xF0" "C"},
};

const Letter& Find(char16_t c) {
    for (const Letter& letter : kLetters)
        if (letter.letter == c) return letter;
    ADD_FAILURE() << "no bytes for U+" << std::hex << int(c);
    return kLetters[0];
}

std::string Utf8(char16_t c) {
    if (c < 0x80) return std::string(1, char(c));
    if (c < 0x800) return {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
    return {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
}
std::string Latin1(char16_t c) { return std::string(1, char(c)); }
std::string Cp437(char16_t c) { return c < 0x80 ? Latin1(c) : Find(c).cp437; }
std::string MacRoman(char16_t c) { return c < 0x80 ? Latin1(c) : Find(c).macRoman; }
std::string Ansel(char16_t c) { return c < 0x80 ? Latin1(c) : Find(c).ansel; }
std::string Utf16Le(char16_t c) { return {char(c & 0xFF), char(c >> 8)}; }
std::string Utf16Be(char16_t c) { return {char(c >> 8), char(c & 0xFF)}; }

struct Form {
    const char* what;
    const char* charValue;  // the header's CHAR line, none when null
    std::string (*encode)(char16_t);
    const char* mark;       // a byte-order mark
    bool wide;              // UTF-16: never cut inside a character
};

std::string Write(const Form& form, std::u16string_view lineEnd) {
    std::u16string text = kFile;
    if (form.charValue != nullptr) {
        const std::string value = form.charValue;
        text.insert(7, u"1 CHAR " + std::u16string(value.begin(), value.end()) + u"\n");
    }
    std::string bytes = form.mark;
    auto put = [&](std::u16string_view units) {
        for (char16_t c : units) {
            if (c == u'\n') {
                for (char16_t end : lineEnd) bytes += form.encode(end);
            } else {
                bytes += form.encode(c);
            }
        }
    };
    for (char16_t c : text) {
        if (c != kCutE) {
            put(std::u16string_view(&c, 1));
            continue;
        }
        const std::string e = form.encode(u'é');
        const size_t cut = form.wide ? e.size() : 1;
        bytes += e.substr(0, cut);
        put(u"\n1 CONC ");
        bytes += e.substr(cut);
    }
    return bytes;
}

std::u16string Units(const Bstr& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.get()), SysStringLen(text.get()));
}

// The names of the three and the note.
std::vector<std::u16string> Ask(IGEDCOMdb* db) {
    std::vector<std::u16string> answers;
    for (const char* id : {"@I1@", "@I2@", "@I3@"}) {
        ComPtr<IGDIndividualRecord> person;
        ComPtr<IGDNameRecord> name;
        Bstr full, surname, wanted(id);
        EXPECT_EQ(db->GetIndividualFromID(wanted.get(), person.Out()), S_OK);
        if (!person || FAILED(person->get_Name(name.Out())) || !name) return answers;
        EXPECT_EQ(name->get_FullName(full.Out()), S_OK);
        EXPECT_EQ(name->get_Surname(surname.Out()), S_OK);
        answers.push_back(Units(full));
        answers.push_back(Units(surname));
    }
    Bstr note;
    ComPtr<IGDNotes> notes;
    ComPtr<IGDNoteRecord> record;
    VARIANT key = TextVariant("@N1@");
    if (SUCCEEDED(db->get_Notes(notes.Out())) && SUCCEEDED(notes->get_Item(key, record.Out())) &&
        record)
        record->get_Note(note.Out());
    VariantClear(&key);
    answers.push_back(Units(note));
    return answers;
}

// A new database through its second interface, set to decode as `encoding`.
IGEDCOMdb2* NewDatabase2(const char* encoding) {
    ComPtr<IGEDCOMdb> db = NewDatabase();
    IGEDCOMdb2* db2 = nullptr;
    EXPECT_EQ(db->QueryInterface(IID_IGEDCOMdb2, reinterpret_cast<void**>(&db2)), S_OK);
    Bstr name(encoding);
    EXPECT_EQ(db2->put_TextEncoding(name.get()), S_OK);
    // CONC parts joined as written, so every form cuts "Montréal" alike.
    EXPECT_EQ(db2->put_ConcatenateWithSpace(VARIANT_FALSE), S_OK);
    return db2;
}

std::vector<std::u16string> LoadAndAsk(IGEDCOMdb2* db, const std::string& bytes) {
    const TempFile file(bytes);
    EXPECT_TRUE(Load(db, file.Path()));
    return Ask(db);
}

const Form kForms[] = {
    {"UTF-8", "UTF-8", Utf8, "", false},
    {"UTF-8 undeclared", nullptr, Utf8, "", false},
    {"UTF-8 with a mark, declared ANSI", "ANSI", Utf8, "\xEF\xBB\xBF", false},
    {"ANSI", "ANSI", Latin1, "", false},
    {"WINDOWS", "WINDOWS", Latin1, "", false},
    {"unknown name, not UTF-8", "LATIN-X", Latin1, "", false},
    {"IBMPC", "IBMPC", Cp437, "", false},
    {"MSDOS", "MSDOS", Cp437, "", false},
    {"MACINTOSH", "MACINTOSH", MacRoman, "", false},
    {"ANSEL", "ANSEL", Ansel, "", false},
    {"UTF-16 LE with a mark", "UNICODE", Utf16Le, "\xFF\xFE", true},
    {"UTF-16 LE", "UNICODE", Utf16Le, "", true},
    {"UTF-16 BE with a mark", "UNICODE", Utf16Be, "\xFE\xFF", true},
    {"UTF-16 BE", "UNICODE", Utf16Be, "", true},
};

TEST(TextEncoding, EveryFormGivesTheSameAnswers) {
    LiveObjectGuard guard;
    const std::vector<std::u16string> expected = {
        u"José Núñez", u"Núñez", u"Zoë Müller", u"Müller", u"François Çelik", u"Çelik",
        u" Montréal"};
    for (const Form& form : kForms) {
        for (const char16_t* lineEnd : {u"\n", u"\r\n", u"\r"}) {
            SCOPED_TRACE(std::string(form.what) + (lineEnd[0] == '\n'   ? " LF"
                                                   : lineEnd[1] == '\n' ? " CRLF"
                                                                        : " CR"));
            ComPtr<IGEDCOMdb2> db(NewDatabase2("auto"));
            EXPECT_EQ(LoadAndAsk(db.get(), Write(form, lineEnd)), expected);
        }
    }
}

// Without the option a file is read as before: bytes, which natively and
// on a Western Windows read as Windows-1252 when they are not UTF-8.
TEST(TextEncoding, DefaultKeepsTodaysAnswers) {
    LiveObjectGuard guard;
    const Form& ibmpc = kForms[6];
    const std::string bytes = Write(ibmpc, u"\r\n");
    ComPtr<IGEDCOMdb2> fresh(NewDatabase2("bytes"));
    const std::vector<std::u16string> answers = LoadAndAsk(fresh.get(), bytes);
    ASSERT_EQ(answers.size(), 7u);
    EXPECT_EQ(answers[1], u"N\u00A3\u00A4ez");
    EXPECT_EQ(answers[6], u" Montr\u201Aal");  // a NOTE record keeps its blank

    // Two databases in one process, each with its own file and choice.
    ComPtr<IGEDCOMdb2> automatic(NewDatabase2("auto"));
    const TempFile ansel(Write(kForms[9], u"\n"));
    ASSERT_TRUE(Load(automatic.get(), ansel.Path()));
    EXPECT_EQ(LoadAndAsk(fresh.get(), bytes), answers);
    EXPECT_EQ(Ask(automatic.get())[1], u"Núñez");
}

TEST(TextEncoding, OptionTakesBytesOrAuto) {
    LiveObjectGuard guard;
    ComPtr<IGEDCOMdb> db = NewDatabase();
    ComPtr<IGEDCOMdb2> db2;
    ASSERT_EQ(db->QueryInterface(IID_IGEDCOMdb2, db2.OutVoid()), S_OK);
    Bstr initial, afterAuto, afterBad, automatic("auto"), bad("utf-8");
    EXPECT_EQ(db2->get_TextEncoding(initial.Out()), S_OK);
    EXPECT_EQ(initial.Text(), "bytes");
    EXPECT_EQ(db2->put_TextEncoding(automatic.get()), S_OK);
    EXPECT_EQ(db2->get_TextEncoding(afterAuto.Out()), S_OK);
    EXPECT_EQ(afterAuto.Text(), "auto");
    EXPECT_EQ(db2->put_TextEncoding(bad.get()), E_INVALIDARG);
    EXPECT_EQ(db2->get_TextEncoding(afterBad.Out()), S_OK);
    EXPECT_EQ(afterBad.Text(), "auto");
    EXPECT_EQ(db2->get_TextEncoding(nullptr), E_POINTER);
}

}  // namespace
}  // namespace kinfold::test
