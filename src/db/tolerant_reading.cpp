// The database's options for reading files as people have them, and the
// report of what such a load left out or changed.
#include <memory>
#include <new>

#include "access/collections.h"
#include "access/file_text.h"
#include "access/out_param.h"
#include "access/value_list.h"
#include "core/gedcom_line.h"
#include "db/gedcom_db.h"

namespace kinfold {

HRESULT GEDCOMdb::get_DropDanglingPointers(VARIANT_BOOL* pVal) {
    return ReturnValue(pVal, options_.dropDanglingPointers ? VARIANT_TRUE : VARIANT_FALSE);
}
HRESULT GEDCOMdb::put_DropDanglingPointers(VARIANT_BOOL newVal) {
    options_.dropDanglingPointers = newVal != VARIANT_FALSE;
    return S_OK;
}
HRESULT GEDCOMdb::get_ReadLongLines(VARIANT_BOOL* pVal) {
    return ReturnValue(pVal, options_.readLongLines ? VARIANT_TRUE : VARIANT_FALSE);
}
HRESULT GEDCOMdb::put_ReadLongLines(VARIANT_BOOL newVal) {
    options_.readLongLines = newVal != VARIANT_FALSE;
    return S_OK;
}
HRESULT GEDCOMdb::get_JoinLinesWithoutLevel(VARIANT_BOOL* pVal) {
    return ReturnValue(pVal, options_.joinLinesWithoutLevel ? VARIANT_TRUE : VARIANT_FALSE);
}
HRESULT GEDCOMdb::put_JoinLinesWithoutLevel(VARIANT_BOOL newVal) {
    options_.joinLinesWithoutLevel = newVal != VARIANT_FALSE;
    return S_OK;
}

// The texts quote the file, so they are decoded as the file was.
HRESULT GEDCOMdb::get_DroppedLines(IGDList** pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    return CatchOutOfMemory([&] {
        auto values = std::make_unique<ValueList>(loader_.Reader().Encoding());
        for (const std::string& text : report_.Texts())
            if (!values->Append(text)) return E_OUTOFMEMORY;
        return MakeBuiltCollection(pVal, std::move(values));
    });
}

HRESULT GEDCOMdb::get_LoadError(BSTR* pVal) {
    HRESULT hr = BeginOut(pVal);
    if (FAILED(hr)) return hr;
    return CatchOutOfMemory([&] {
        *pVal = AllocFileBstr(loader_.Reader().Encoding(), report_.Failure());
        return *pVal != nullptr ? S_OK : E_OUTOFMEMORY;
    });
}

void GEDCOMdb::NoteReadingChange(int32_t position, std::string_view text, std::string_view record,
                                 std::string_view what) {
    report_.Note(position, text, record, what);
}

// Linking reads the line again to show it: its tag and pointer, as the
// user finds them in the file.
bool GEDCOMdb::DropDanglingPointer(const RecordBase& owner, int32_t position) {
    constexpr std::string_view kWhat = "names no record";
    std::string text;
    GedcomReader& reader = loader_.Reader();
    GedcomLine line;
    const int32_t shown = position >= 0 ? position : owner.Position();
    if (SUCCEEDED(reader.Seek(static_cast<uint32_t>(shown))) && reader.ReadContentLine(line))
        text = std::string(line.Tag()) + " " + std::string(line.Pointer());
    if (!options_.dropDanglingPointers) {
        report_.SetFailedLine(shown, text, kWhat);
        return false;
    }
    report_.Note(shown, text, owner.Id(), kWhat);
    return true;
}

}  // namespace kinfold
