// A note pointer whose record is missing: the forwarded members fail with
// the automation error, and a Notes list ends at it with a message.
#include <gtest/gtest.h>

#include "core/gedcom_line.h"
#include "records/source/sub_record_fixture.h"

namespace kinfold::test {
namespace {

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
    LoadText("0 @I1@ INDI\n1 BIRT\n2 PLAC Here\n3 NOTE Before\n3 NOTE @N9@\n3 NOTE After\n"
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
