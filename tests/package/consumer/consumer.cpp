// Creates a database through the installed library, reads an option and
// loads the file named on the command line: the answer must be its six
// individuals.
#include <cstdio>

#include "server/entry_points.h"
#include "kinfold.h"
#include "platform/posix/load_cancel.h"
#include "platform/text.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    IClassFactory* factory = nullptr;
    if (FAILED(DllGetClassObject(CLSID_GEDCOMdb, IID_IClassFactory,
                                 reinterpret_cast<void**>(&factory))))
        return 1;
    IGEDCOMdb* db = nullptr;
    HRESULT hr = factory->CreateInstance(nullptr, IID_IGEDCOMdb, reinterpret_cast<void**>(&db));
    factory->Release();
    if (FAILED(hr)) return 1;
    LONG flags = 0;
    db->get_ReturnBlankFlags(&flags);
    // A request made while no load runs is forgotten: the load goes ahead.
    kinfold::CancelLoad();
    BSTR path = kinfold::AllocBstr(argv[1]);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    db->LoadGEDCOMFile(path, &loaded);
    SysFreeString(path);
    IGDIndividuals* individuals = nullptr;
    LONG count = 0;
    if (SUCCEEDED(db->get_Individuals(&individuals))) {
        individuals->get_Count(&count);
        individuals->Release();
    }
    db->Release();
    std::printf("ReturnBlankFlags = %d, individuals = %d\n", static_cast<int>(flags),
                static_cast<int>(count));
    return flags == 1 && loaded == VARIANT_TRUE && count == 6 ? 0 : 1;
}
