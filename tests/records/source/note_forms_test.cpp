// The three forms of a note: the record, the note written in place, and the
// pointer that answers for the record it names. A pointer whose record is
// missing fails its forwarded members with the automation error, and a Notes
// list ends at it with a message.
#include <gtest/gtest.h>

#include "core/gedcom_line.h"
#include "core/record_list.h"
#include "records/person/on_demand_records.h"
#include "records/source/sub_record_fixture.h"

namespace kinfold::test {
namespace {

using NoteText = HRESULT (STDMETHODCALLTYPE IGDNoteRecord::*)(BSTR*);

constexpr char kNotesFile[] =
    "0 @I1@ INDI\n1 NOTE @N1@\n1 NOTE Some text\n2 CONT more\n"
    "0 @N1@ NOTE First\n1 CONC part\n1 CONT Second\n1 RIN 77\n1 REFN 123\n2 TYPE catalog\n"
    "1 REFN 456\n1 CHAN\n2 DATE 1 JAN 2001\n1 SOUR @S1@\n"
    "0 @S1@ SOUR\n0 TRLR\n";

class NoteFormsTest : public SubRecordFixture {
   protected:
    void SetUp() override {
        LoadText(kNotesFile);
        *record_.Out() = NoteRecord();
        *pointer_.Out() = NoteUnder(0);
        *inlined_.Out() = NoteUnder(1);
        ASSERT_TRUE(record_);
        ASSERT_TRUE(pointer_);
        ASSERT_TRUE(inlined_);
    }

    IGDNoteRecord* NoteRecord() {
        return QueryFor<IGDNoteRecord>(Database().NoteStore().Find("@N1@"));
    }
    // Note number `index` of those under @I1@, as a Notes member makes them.
    IGDNoteRecord* NoteUnder(size_t index) {
        RecordList notes;
        BuildOnDemandRecords(*Owner(Database().IndividualStore(), "@I1@"), "NOTE",
                             &CreateRecordOf<RecordKind::Note>, notes);
        return index < notes.Size() ? QueryFor<IGDNoteRecord>(notes.At(index)) : nullptr;
    }

    ComPtr<IGDNoteRecord> record_;
    ComPtr<IGDNoteRecord> pointer_;
    ComPtr<IGDNoteRecord> inlined_;
};

TEST_F(NoteFormsTest, TextMembersOfEachForm) {
    const struct {
        IGDNoteRecord* note;
        NoteText member;
        const char* expected;
    } cases[] = {
        // The blank after the tag of a record line belongs to its value.
        {record_.get(), &IGDNoteRecord::get_Note, " First part\nSecond"},
        {record_.get(), &IGDNoteRecord::get_ID, "@N1@"},
        {record_.get(), &IGDNoteRecord::get_RecordID, "77"},
        {pointer_.get(), &IGDNoteRecord::get_Note, " First part\nSecond"},
        {pointer_.get(), &IGDNoteRecord::get_ID, "@N1@"},
        {pointer_.get(), &IGDNoteRecord::get_RecordID, "77"},
        {inlined_.get(), &IGDNoteRecord::get_Note, "Some text\nmore"},
        {inlined_.get(), &IGDNoteRecord::get_ID, ""},
        {inlined_.get(), &IGDNoteRecord::get_RecordID, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextOf(c.note, c.member), c.expected) << c.expected;
    }
}

TEST_F(NoteFormsTest, ConcatenateWithSpaceDecidesTheBlankBeforeAContinuation) {
    ASSERT_EQ(db_->put_ConcatenateWithSpace(VARIANT_FALSE), S_OK);
    EXPECT_EQ(TextOf(record_.get(), &IGDNoteRecord::get_Note), " Firstpart\nSecond");
    ASSERT_EQ(db_->put_ConcatenateWithSpace(VARIANT_TRUE), S_OK);
    EXPECT_EQ(TextOf(record_.get(), &IGDNoteRecord::get_Note), " First part\nSecond");
}

TEST_F(NoteFormsTest, PointerAnswersTheRecordsObjects) {
    EXPECT_EQ(CountIn(pointer_.get(), &IGDNoteRecord::get_UserRefNumbers), 2);

    ComPtr<IGDChangeDateRecord> change;
    ASSERT_EQ(pointer_->get_LastModified(change.Out()), S_OK);
    ASSERT_TRUE(change);
    EXPECT_EQ(TextOf(change.get(), &IGDChangeDateRecord::get_Date), "1 JAN 2001");

    // The citation under the note record follows the (absent) ones under the pointer.
    EXPECT_EQ(CountIn(pointer_.get(), &IGDNoteRecord::get_Sources), 1);

    ComPtr<IGDChangeDateRecord> none;
    EXPECT_EQ(inlined_->get_LastModified(none.Out()), S_OK);
    EXPECT_FALSE(none);
    EXPECT_EQ(CountIn(inlined_.get(), &IGDNoteRecord::get_Sources), 0);
}

// A tag written through a pointer is the record's tag.
TEST_F(NoteFormsTest, TagThroughAPointerAndNullOutPointers) {
    ASSERT_EQ(pointer_->put_Tag(LongVariant(42)), S_OK);
    VARIANT read;
    VariantInit(&read);
    ASSERT_EQ(record_->get_Tag(&read), S_OK);
    EXPECT_EQ(read.vt, VT_I4);
    EXPECT_EQ(read.lVal, 42);
    VariantClear(&read);
    for (IGDNoteRecord* note : {pointer_.get(), record_.get()}) {
        EXPECT_EQ(note->get_Note(nullptr), E_POINTER);
        EXPECT_EQ(note->get_ID(nullptr), E_POINTER);
        EXPECT_EQ(note->get_RecordID(nullptr), E_POINTER);
        EXPECT_EQ(note->get_UserRefNumbers(nullptr), E_POINTER);
        EXPECT_EQ(note->get_Sources(nullptr), E_POINTER);
        EXPECT_EQ(note->get_LastModified(nullptr), E_POINTER);
        EXPECT_EQ(note->get_Tag(nullptr), E_POINTER);
    }
}

constexpr char kInvalidReference[] = "Error: GEDCOM file is corrupt.  Invalid Reference";

class NoteForwardingTest : public SubRecordFixture {
   protected:
    // A pointer note whose link step never ran, so it has no record to ask.
    IGDNoteRecord* Unlinked() {
        RecordBase* record = nullptr;
        if (FAILED(CreateRecord(RecordKind::Note, &record))) return nullptr;
        GedcomLine line;
        line.Parse("1 NOTE @N9@", -1);
        record->TakeOpeningLine(line);
        IGDNoteRecord* note = QueryFor<IGDNoteRecord>(record);
        record->Release();
        return note;
    }

    static std::string TakenDescription() {
        ComPtr<IErrorInfo> info;
        if (GetErrorInfo(0, info.Out()) != S_OK || !info) return "<none>";
        Bstr text;
        info->GetDescription(text.Out());
        return text.get() == nullptr ? "<null>" : text.Text();
    }
};

TEST_F(NoteForwardingTest, MissingTargetReportsTheInvalidReference) {
    ComPtr<IGDNoteRecord> note(Unlinked());
    ASSERT_TRUE(note);
    Bstr text;
    EXPECT_EQ(note->get_Note(text.Out()), DISP_E_EXCEPTION);
    EXPECT_EQ(text.get(), nullptr);
    EXPECT_EQ(TakenDescription(), kInvalidReference);
    EXPECT_EQ(note->get_ID(text.Out()), DISP_E_EXCEPTION);
    EXPECT_EQ(TakenDescription(), kInvalidReference);
    ComPtr<IGDSources> sources;
    EXPECT_EQ(note->get_Sources(sources.Out()), DISP_E_EXCEPTION);
    EXPECT_FALSE(sources);
    EXPECT_EQ(TakenDescription(), kInvalidReference);
    ComPtr<IGDChangeDateRecord> change;
    EXPECT_EQ(note->get_LastModified(change.Out()), DISP_E_EXCEPTION);
    EXPECT_EQ(TakenDescription(), kInvalidReference);
    EXPECT_EQ(note->put_Tag(LongVariant(1)), DISP_E_EXCEPTION);
    EXPECT_EQ(TakenDescription(), kInvalidReference);
    // An out-pointer is checked before the target is looked for.
    EXPECT_EQ(note->get_Note(nullptr), E_POINTER);
}

TEST_F(NoteForwardingTest, NotesListEndsAtAPointerNamingNothing) {
    LoadText(
        "0 @I1@ INDI\n1 BIRT\n2 PLAC Here\n3 NOTE Before\n3 NOTE @N9@\n3 NOTE After\n"
        "0 TRLR\n");
    RecordBase* person = Owner(Database().IndividualStore(), "@I1@");
    ComPtr<IGDPlaceRecord> place;
    {
        int32_t position = -1;
        ASSERT_TRUE(person->FindSubTag("BIRT", position, false));
        RecordBase* birth = nullptr;
        int32_t after = -1;
        ASSERT_EQ(Database().Loader().ParseSubRecord(&CreateRecordOf<RecordKind::FactEvent>,
                                                     position, &birth, &after),
                  S_OK);
        *place.Out() = Made<IGDPlaceRecord>(birth, "PLAC", &CreateRecordOf<RecordKind::Place>);
        birth->Release();
    }
    ASSERT_TRUE(place);
    ComPtr<IGDNotes> notes;
    ASSERT_EQ(place->get_Notes(notes.Out()), S_OK);
    LONG count = -1;
    ASSERT_EQ(notes->get_Count(&count), S_OK);
    EXPECT_EQ(count, 1);
    ASSERT_EQ(messages_.Texts().size(), 1u);
    EXPECT_EQ(messages_.Texts()[0], "ERROR: GEDCOM file is corrupt. Invalid Reference.");
}

}  // namespace
}  // namespace kinfold::test
