#include "fuzz/fuzz_host.h"

#include <cstdio>
#include <cstdlib>

#include "server/entry_points.h"
#include "access/module_state.h"
#include "db/gedcom_db.h"
#include "platform/notifier.h"
#include "platform/text.h"

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

void SilenceMessages() {
    SetMessageSink([](std::string_view) {});
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

}  // namespace kinfold::fuzz
