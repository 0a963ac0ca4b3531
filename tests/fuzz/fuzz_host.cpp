#include "fuzz/fuzz_host.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "access/module_state.h"
#include "core/gedcom_loader.h"
#include "db/gedcom_db.h"
#include "platform/notifier.h"
#include "platform/text.h"
#include "server/entry_points.h"

namespace kinfold::fuzz {

IGEDCOMdb* NewDatabase() {
    IGEDCOMdb* db = nullptr;
    if (FAILED(CreateDatabase(&db))) std::abort();
    return db;
}

bool Load(IGEDCOMdb* db, std::string_view path) {
    BSTR name = AllocBstr(path);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    if (name == nullptr || db->LoadGEDCOMFile(name, &loaded) != S_OK) std::abort();
    SysFreeString(name);
    return loaded == VARIANT_TRUE;
}

const std::string& InputPath() {
    static const std::string path = [] {
        const char* dir = std::getenv("TMPDIR");
        std::string pattern = std::string(dir != nullptr ? dir : "/tmp") + "/kinfold_fuzz_XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) std::abort();
        close(fd);
        return pattern;
    }();
    static const bool removedAtExit = std::atexit([] { unlink(InputPath().c_str()); }) == 0;
    (void)removedAtExit;
    return path;
}

void WriteInput(const void* data, size_t size) {
    const int fd = open(InputPath().c_str(), O_WRONLY | O_TRUNC);
    if (fd < 0 || write(fd, data, size) != static_cast<ssize_t>(size)) std::abort();
    close(fd);
}

void Initialize() {
    SetMessageSink([](std::string_view) {});
    InputPath();
}

void CheckEverythingReleased() {
    if (LiveObjectCount() != 0) {
        std::fprintf(stderr, "%ld automation objects outlived the host\n", LiveObjectCount());
        std::abort();
    }
    if (DllCanUnloadNow() != S_OK) {
        std::fprintf(stderr, "DllCanUnloadNow refused with nothing alive\n");
        std::abort();
    }
}

void Consume(BSTR text) {
    volatile OLECHAR sum = 0;
    for (UINT i = 0; i < SysStringLen(text); ++i) sum = sum + text[i];
    SysFreeString(text);
}

void SetReading(IGEDCOMdb* db, unsigned char reading) {
    IGEDCOMdb3* db3 = nullptr;
    if (FAILED(db->QueryInterface(IID_IGEDCOMdb3, reinterpret_cast<void**>(&db3)))) std::abort();
    db3->put_DropDanglingPointers(reading & kDropDanglingPointers ? VARIANT_TRUE : VARIANT_FALSE);
    db3->put_ReadLongLines(reading & kReadLongLines ? VARIANT_TRUE : VARIANT_FALSE);
    db3->put_JoinLinesWithoutLevel(reading & kJoinLinesWithoutLevel ? VARIANT_TRUE : VARIANT_FALSE);
    BSTR encoding = kinfold::AllocBstr(reading & kDecodeText ? "auto" : "bytes");
    db3->put_TextEncoding(encoding);
    SysFreeString(encoding);
    db3->Release();
    kinfold::SetTwoThreadsFrom(reading & kTwoThreads ? 0 : kinfold::kTwoThreadBytes);
}

}  // namespace kinfold::fuzz
