// Creates a database through the installed library and reads an option.
#include <cstdio>

#include "server/entry_points.h"
#include "kinfold.h"

int main() {
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
    db->Release();
    std::printf("ReturnBlankFlags = %d\n", static_cast<int>(flags));
    return flags == 1 ? 0 : 1;
}
