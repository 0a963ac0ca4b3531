#include "gedcom_file.h"

#include <sys/stat.h>

#include <chrono>
#include <fstream>

#include "check/file_check.h"
#include "platform/notifier.h"
#include "server/entry_points.h"

namespace kinfold::cli {
namespace {

std::string ReadHead(const std::string& path, size_t size) {
    std::ifstream in(path, std::ios::binary);
    std::string head(size, '\0');
    in.read(&head[0], static_cast<std::streamsize>(size));
    head.resize(static_cast<size_t>(in.gcount()));
    return head;
}

// What stat() tells before the file is read: missing, a folder or empty.
std::string FileSystemReason(const std::string& path) {
    const std::string reason = UnreadableReason(path);
    if (!reason.empty()) return reason;
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && info.st_size == 0) return "is empty";
    return "";
}

Ref<IGEDCOMdb3> NewDatabase(const Reading& reading) {
    Ref<IClassFactory> factory;
    Ref<IGEDCOMdb3> db;
    if (SUCCEEDED(DllGetClassObject(CLSID_GEDCOMdb, IID_IClassFactory,
                                    reinterpret_cast<void**>(&factory))))
        factory->CreateInstance(nullptr, IID_IGEDCOMdb3, reinterpret_cast<void**>(&db));
    if (!db) return {};
    BSTR name = AllocBstr(reading.encoding);
    HRESULT hr = db->put_TextEncoding(name);
    SysFreeString(name);
    if (reading.tolerant) {
        for (auto option : {&IGEDCOMdb3::put_DropDanglingPointers, &IGEDCOMdb3::put_ReadLongLines,
                            &IGEDCOMdb3::put_JoinLinesWithoutLevel})
            if (SUCCEEDED(hr)) hr = (db.get()->*option)(VARIANT_TRUE);
        // As the GEDCOM standard says, and as people's files expect.
        if (SUCCEEDED(hr)) hr = db->put_ConcatenateWithSpace(VARIANT_FALSE);
    }
    if (FAILED(hr)) return {};
    return db;
}

std::vector<std::string> DroppedLines(IGEDCOMdb3* db) {
    std::vector<std::string> texts;
    Ref<IGDList> list;
    if (FAILED(db->get_DroppedLines(&list)) || !list) return texts;
    LONG count = 0;
    list->get_Count(&count);
    for (LONG i = 1; i <= count; ++i) {
        VARIANT item;
        VariantInit(&item);
        if (SUCCEEDED(list->get_Item(i, &item)) && item.vt == VT_BSTR)
            texts.push_back(BstrToText(item.bstrVal));
        VariantClear(&item);
    }
    return texts;
}

// A byte-order mark, or the zero bytes of "0 " written in UTF-16.
bool IsUtf16(const std::string& head) {
    for (const std::string& start :
         {std::string("\xFF\xFE"), std::string("\xFE\xFF"), std::string("0\0 \0", 4),
          std::string("\0"
                      "0\0 ",
                      4)})
        if (head.compare(0, start.size(), start) == 0) return true;
    return false;
}

}  // namespace

std::string UnreadableReason(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return "no such file";
    if ((info.st_mode & S_IFMT) == S_IFDIR) return "is a directory, not a GEDCOM file";
    return "";
}

std::string NotGedcomReason(const std::string& head, bool decoded) {
    if (decoded && IsUtf16(head)) return "";
    if (IsUtf16(head))
        return "is UTF-16 text; save it as UTF-8 or ANSI, or read it with --encoding auto";
    if (head.find('\0') != std::string::npos) return "is a binary file, not a GEDCOM file";
    size_t start = head.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (start < head.size() && (head[start] == ' ' || head[start] == '\t' ||
                                   head[start] == '\r' || head[start] == '\n'))
        ++start;
    if (head.compare(start, 6, "0 HEAD") != 0)
        return "is not a GEDCOM file (it does not begin with a 0 HEAD line)";
    return "";
}

std::string CorruptLine(const std::string& path, const std::string& encoding) {
    for (const Problem& problem : CheckFile(path, encoding).problems)
        if (problem.corrupt) return "line " + std::to_string(problem.line) + ": " + problem.message;
    return "";
}

LoadedFile LoadGedcomFile(const std::string& path, const Reading& reading, std::string* error) {
    LoadedFile file;
    const std::string& encoding = reading.encoding;
    std::string reason = FileSystemReason(path);
    if (reason.empty()) reason = NotGedcomReason(ReadHead(path, 512), encoding == "auto");
    if (!reason.empty()) {
        *error = path + ": " + reason;
        return file;
    }
    Ref<IGEDCOMdb3> db = NewDatabase(reading);
    if (!db) {
        *error = "the library could not create a database";
        return file;
    }
    // The library's own message for a corrupt file is folded into ours.
    std::string libraryMessage;
    MessageSink previous = SetMessageSink([&](std::string_view text) {
        if (libraryMessage.empty()) libraryMessage.assign(text);
    });
    BSTR name = AllocBstr(path);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const auto start = std::chrono::steady_clock::now();
    const HRESULT hr = db->LoadGEDCOMFile(name, &loaded);
    file.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    SysFreeString(name);
    SetMessageSink(std::move(previous));
    if (SUCCEEDED(hr) && loaded == VARIANT_TRUE) {
        file.dropped = DroppedLines(db.get());
        file.db = Ref<IGEDCOMdb>::Share(db.get());
        return file;
    }
    const std::string where = CorruptLine(path, encoding);
    *error = path + ": cannot be loaded";
    if (!libraryMessage.empty()) *error += " (" + libraryMessage + ")";
    if (!where.empty()) *error += ": " + where;
    return file;
}

}  // namespace kinfold::cli
