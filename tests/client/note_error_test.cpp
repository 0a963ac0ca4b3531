// A note written as a pointer ("1 NOTE @N1@") forwards to the note record it
// names. Once the database has loaded another file that record is gone, and
// the note reports an automation error instead: through the vtable as
// DISP_E_EXCEPTION with the text in the thread's error object, and through
// IDispatch::Invoke in the EXCEPINFO.
#include <string>

#include "client/client_support.h"
#include "support/temp_file.h"

namespace kinfold::client {
namespace {

constexpr wchar_t kInvalidReference[] = L"Error: GEDCOM file is corrupt.  Invalid Reference";

// The blank after the tag of a record line belongs to the note's text.
constexpr char kWithNote[] =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 NAME Ann /Lee/\n1 NOTE @N1@\n"
    // The blank after the tag of a record line belongs to the note's text.
    "0 @N1@ NOTE Kept in its own record\n"
    "0 TRLR\n";
constexpr char kOther[] =
    "0 HEAD\n"
    "0 @I7@ INDI\n1 NAME Bob /Ray/\n"
    "0 TRLR\n";

class NoteErrorTest : public ComTest {
   protected:
    // The first note of the first individual, as a script reaches it:
    // Individuals(1).Notes(1).
    static HRESULT FirstNote(IGEDCOMdb* db, IGDNoteRecord** note) {
        ComPtr<IGDIndividuals> individuals;
        ComPtr<IGDIndividualRecord> individual;
        ComPtr<IGDNotes> notes;
        HRESULT hr = db->get_Individuals(individuals.Out());
        if (SUCCEEDED(hr)) hr = ItemOf(individuals.get(), 1, individual.Out());
        if (SUCCEEDED(hr)) hr = individual->get_Notes(notes.Out());
        if (SUCCEEDED(hr)) hr = ItemOf(notes.get(), 1, note);
        return hr;
    }

    // Reads Note by name through IDispatch.
    static HRESULT InvokeNote(IDispatch* note, VARIANT* result, EXCEPINFO* exception) {
        OLECHAR name[] = L"Note";
        LPOLESTR names[] = {name};
        DISPID id = DISPID_UNKNOWN;
        HRESULT hr = note->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(hr)) return hr;
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        return note->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, result,
                            exception, nullptr);
    }

    static std::wstring TakenErrorDescription() {
        ComPtr<IErrorInfo> info;
        if (GetErrorInfo(0, info.Out()) != S_OK || !info) return L"<none>";
        Bstr text;
        info->GetDescription(text.Out());
        return text.Text();
    }
};

TEST_F(NoteErrorTest, PointerNoteForwardsToItsRecord) {
    kinfold::test::TempFile file(kWithNote);
    ComPtr<IGEDCOMdb> db;
    ASSERT_EQ(CreateDatabaseByProgId(db.Out()), S_OK);
    ASSERT_TRUE(LoadFile(db.get(), file.Path()));
    ComPtr<IGDNoteRecord> note;
    ASSERT_EQ(FirstNote(db.get(), note.Out()), S_OK);

    Bstr text;
    EXPECT_EQ(note->get_Note(text.Out()), S_OK);
    EXPECT_EQ(text.Text(), L" Kept in its own record");
    EXPECT_EQ(note->get_ID(text.Out()), S_OK);
    EXPECT_EQ(text.Text(), L"@N1@");

    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception = {};
    EXPECT_EQ(InvokeNote(note.get(), &result, &exception), S_OK);
    ASSERT_EQ(result.vt, VT_BSTR);
    EXPECT_EQ(std::wstring(result.bstrVal), L" Kept in its own record");
    VariantClear(&result);
}

TEST_F(NoteErrorTest, PointerNoteReportsInvalidReferenceAfterAnotherLoad) {
    kinfold::test::TempFile first(kWithNote);
    kinfold::test::TempFile second(kOther);
    ComPtr<IGEDCOMdb> db;
    ASSERT_EQ(CreateDatabaseByProgId(db.Out()), S_OK);
    ASSERT_TRUE(LoadFile(db.get(), first.Path()));
    ComPtr<IGDNoteRecord> note;
    ASSERT_EQ(FirstNote(db.get(), note.Out()), S_OK);
    ASSERT_TRUE(LoadFile(db.get(), second.Path()));

    Bstr text;
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(note->get_Note(text.Out()), DISP_E_EXCEPTION);
    EXPECT_EQ(text.get(), nullptr);
    EXPECT_EQ(TakenErrorDescription(), kInvalidReference);

    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception = {};
    EXPECT_EQ(InvokeNote(note.get(), &result, &exception), DISP_E_EXCEPTION);
    // The type library's Invoke may hand back the typed result, empty,
    // of the failed call; either way it carries no text.
    EXPECT_TRUE(result.vt == VT_EMPTY ||
                (result.vt == VT_BSTR && SysStringLen(result.bstrVal) == 0))
        << result.vt;
    EXPECT_EQ(exception.scode, DISP_E_EXCEPTION);
    ASSERT_NE(exception.bstrDescription, nullptr);
    EXPECT_EQ(std::wstring(exception.bstrDescription), kInvalidReference);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    VariantClear(&result);
}

}  // namespace
}  // namespace kinfold::client
