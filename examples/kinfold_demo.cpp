// A host program: creates the database through the library's class object,
// loads a GEDCOM file and walks it through the automation interfaces only.
//
//     kinfold_demo FILE
#include <cstdio>
#include <string>

#include "access/entry_points.h"
#include "kinfold.h"
#include "platform/text.h"


namespace {

// Releases an interface pointer when it goes out of scope.
template <class T>
class Ref {
   public:
    Ref() = default;
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    ~Ref() {
        if (p_ != nullptr) p_->Release();
    }
    T** operator&() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }

   private:
    T* p_ = nullptr;
};

std::string Text(BSTR bstr) {
    std::string text = kinfold::BstrToText(bstr);
    SysFreeString(bstr);
    return text;
}

template <class Collection>
long CountOf(HRESULT (STDMETHODCALLTYPE IGEDCOMdb::*member)(Collection**), IGEDCOMdb* db) {
    Ref<Collection> collection;
    LONG count = 0;
    if (SUCCEEDED((db->*member)(&collection))) collection->get_Count(&count);
    return count;
}

std::string IdOf(IGDIndividualRecord* individual) {
    BSTR id = nullptr;
    if (individual == nullptr || FAILED(individual->get_ID(&id))) return "(none)";
    return Text(id);
}

void PrintItem(IGDIndividuals* individuals, VARIANT index, const char* label) {
    Ref<IGDIndividualRecord> found;
    HRESULT hr = individuals->get_Item(index, &found);
    if (SUCCEEDED(hr))
        std::printf("Item(%s) = %s\n", label, IdOf(found.get()).c_str());
    else
        std::printf("Item(%s) failed: 0x%08X\n", label, static_cast<unsigned>(hr));
}

int Walk(IGEDCOMdb* db, const char* path) {
    VARIANT_BOOL loaded = VARIANT_FALSE;
    BSTR file = kinfold::AllocBstr(path);
    db->LoadGEDCOMFile(file, &loaded);
    SysFreeString(file);
    if (!loaded) {
        std::fprintf(stderr, "kinfold_demo: %s could not be loaded\n", path);
        return 1;
    }

    std::printf("File: %s\n", path);
    std::printf("Individuals: %ld\n", CountOf(&IGEDCOMdb::get_Individuals, db));
    std::printf("Families: %ld\n", CountOf(&IGEDCOMdb::get_Families, db));
    std::printf("Sources: %ld\n", CountOf(&IGEDCOMdb::get_Sources, db));
    std::printf("Notes: %ld\n", CountOf(&IGEDCOMdb::get_Notes, db));
    std::printf("Repositories: %ld\n", CountOf(&IGEDCOMdb::get_Repositories, db));
    std::printf("Multimedia: %ld\n", CountOf(&IGEDCOMdb::get_Multimedia, db));
    std::printf("Submitters: %ld\n", CountOf(&IGEDCOMdb::get_Submitters, db));

    Ref<IGDIndividuals> individuals;
    if (FAILED(db->get_Individuals(&individuals))) return 1;

    std::printf("Individuals in store order:");
    Ref<IUnknown> unknown;
    Ref<IEnumVARIANT> items;
    if (SUCCEEDED(individuals->get__NewEnum(&unknown)) &&
        SUCCEEDED(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&items)))) {
        VARIANT item;
        VariantInit(&item);
        while (items->Next(1, &item, nullptr) == S_OK) {
            Ref<IGDIndividualRecord> individual;
            item.pdispVal->QueryInterface(IID_IGDIndividualRecord,
                                          reinterpret_cast<void**>(&individual));
            std::printf(" %s", IdOf(individual.get()).c_str());
            VariantClear(&item);
        }
    }
    std::printf("\n");

    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = 2;
    PrintItem(individuals.get(), index, "2");
    index.vt = VT_BSTR;
    index.bstrVal = kinfold::AllocBstr("@I3@");
    PrintItem(individuals.get(), index, "\"@I3@\"");
    VariantClear(&index);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "examples/data/sample.ged";
    Ref<IClassFactory> factory;
    HRESULT hr = DllGetClassObject(CLSID_GEDCOMdb, IID_IClassFactory,
                                   reinterpret_cast<void**>(&factory));
    Ref<IGEDCOMdb> db;
    if (SUCCEEDED(hr))
        hr = factory->CreateInstance(nullptr, IID_IGEDCOMdb, reinterpret_cast<void**>(&db));
    if (FAILED(hr)) {
        std::fprintf(stderr, "kinfold_demo: cannot create the database: 0x%08X\n",
                     static_cast<unsigned>(hr));
        return 1;
    }
    return Walk(db.get(), path);
}
