// A host program: creates the database through the library's class object,
// loads a GEDCOM file and walks it through the automation interfaces only.
// For each individual in store order it prints the full name, sex, birth
// date and place, the footnote of its first source citation (when it has
// one), death date, the parents' names and the number of spouse families;
// then one line per family.
//
//     kinfold_demo FILE
#include <cstdio>
#include <string>

#include "server/entry_points.h"
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
    explicit operator bool() const { return p_ != nullptr; }

   private:
    T* p_ = nullptr;
};

// A text member of `object`, or "" when there is no object or the read fails.
template <class T>
std::string TextOf(T* object, HRESULT (STDMETHODCALLTYPE T::*member)(BSTR*)) {
    BSTR text = nullptr;
    if (object == nullptr || FAILED((object->*member)(&text))) return "";
    std::string result = kinfold::BstrToText(text);
    SysFreeString(text);
    return result;
}

std::string FullNameOf(IGDIndividualRecord* individual) {
    Ref<IGDNameRecord> name;
    if (individual == nullptr || FAILED(individual->get_Name(&name))) return "";
    return TextOf(name.get(), &IGDNameRecord::get_FullName);
}

std::string PlaceOf(IGDFactEventRecord* event) {
    Ref<IGDPlaceRecord> place;
    if (event == nullptr || FAILED(event->get_Place(&place))) return "";
    return TextOf(place.get(), &IGDPlaceRecord::get_Name);
}

// "date, place" of an event, leaving out the parts the file does not give.
std::string DateAndPlace(IGDFactEventRecord* event) {
    std::string date = TextOf(event, &IGDFactEventRecord::get_Date);
    std::string place = PlaceOf(event);
    if (date.empty() || place.empty()) return date + place;
    return date + ", " + place;
}

template <class Collection>
LONG CountOf(Collection* collection) {
    LONG count = 0;
    if (collection != nullptr) collection->get_Count(&count);
    return count;
}

template <class Collection>
LONG CountOf(HRESULT (STDMETHODCALLTYPE IGEDCOMdb::*member)(Collection**), IGEDCOMdb* db) {
    Ref<Collection> collection;
    if (FAILED((db->*member)(&collection))) return 0;
    return CountOf(collection.get());
}

// Calls `visit` with each element of a collection, in order, through the
// enumerator a script's For Each uses.
template <class Element, class Collection, class Visit>
void ForEach(Collection* collection, Visit visit) {
    Ref<IUnknown> unknown;
    Ref<IEnumVARIANT> items;
    if (FAILED(collection->get__NewEnum(&unknown)) ||
        FAILED(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&items))))
        return;
    VARIANT item;
    VariantInit(&item);
    while (items->Next(1, &item, nullptr) == S_OK) {
        Ref<Element> element;
        if (item.vt == VT_DISPATCH && item.pdispVal != nullptr &&
            SUCCEEDED(item.pdispVal->QueryInterface(__uuidof(Element),
                                                    reinterpret_cast<void**>(&element))))
            visit(element.get());
        VariantClear(&item);
    }
}

// The footnote of the individual's first citation, in the database's
// default format; "" when it cites no source.
std::string FirstFootnoteOf(IGDIndividualRecord* individual) {
    Ref<IGDSources> sources;
    Ref<IGDSourceRecord> first;
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = 1;
    if (FAILED(individual->get_Sources(&sources)) || CountOf(sources.get()) == 0 ||
        FAILED(sources->get_Item(index, &first)))
        return "";
    return TextOf(first.get(), &IGDSourceRecord::get_Footnote);
}

void PrintIndividual(IGDIndividualRecord* individual) {
    Ref<IGDFactEventRecord> birth;
    Ref<IGDFactEventRecord> death;
    Ref<IGDIndividualRecord> father;
    Ref<IGDIndividualRecord> mother;
    Ref<IGDFamilies> spouseFamilies;
    individual->get_Birth(&birth);
    individual->get_Death(&death);
    individual->get_Father(&father);
    individual->get_Mother(&mother);
    individual->get_SpouseFamilies(&spouseFamilies);

    std::printf("%s  %s  (%s)\n", TextOf(individual, &IGDIndividualRecord::get_ID).c_str(),
                FullNameOf(individual).c_str(),
                TextOf(individual, &IGDIndividualRecord::get_Sex).c_str());
    std::printf("    born: %s\n", DateAndPlace(birth.get()).c_str());
    const std::string footnote = FirstFootnoteOf(individual);
    if (!footnote.empty()) std::printf("    source: %s\n", footnote.c_str());
    std::printf("    died: %s\n", TextOf(death.get(), &IGDFactEventRecord::get_Date).c_str());
    std::printf("    father: %s\n", FullNameOf(father.get()).c_str());
    std::printf("    mother: %s\n", FullNameOf(mother.get()).c_str());
    std::printf("    spouse families: %ld\n", static_cast<long>(CountOf(spouseFamilies.get())));
}

void PrintFamily(IGDFamilyRecord* family) {
    Ref<IGDIndividualRecord> husband;
    Ref<IGDIndividualRecord> wife;
    Ref<IGDFactEventRecord> married;
    Ref<IGDIndividuals> children;
    family->get_Husband(&husband);
    family->get_Wife(&wife);
    family->get_Married(&married);
    family->get_Children(&children);

    std::printf("%s  %s & %s", TextOf(family, &IGDFamilyRecord::get_ID).c_str(),
                FullNameOf(husband.get()).c_str(), FullNameOf(wife.get()).c_str());
    if (married) std::printf(", married %s", DateAndPlace(married.get()).c_str());
    std::string names;
    if (children) {
        ForEach<IGDIndividualRecord>(children.get(), [&](IGDIndividualRecord* child) {
            names += (names.empty() ? "" : ", ") + FullNameOf(child);
        });
    }
    std::printf("; children: %ld", static_cast<long>(CountOf(children.get())));
    if (!names.empty()) std::printf(" (%s)", names.c_str());
    std::printf("\n");
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
    std::printf(
        "Individuals: %ld, families: %ld, sources: %ld, notes: %ld, repositories: %ld, "
        "multimedia: %ld, submitters: %ld\n",
        static_cast<long>(CountOf(&IGEDCOMdb::get_Individuals, db)),
        static_cast<long>(CountOf(&IGEDCOMdb::get_Families, db)),
        static_cast<long>(CountOf(&IGEDCOMdb::get_Sources, db)),
        static_cast<long>(CountOf(&IGEDCOMdb::get_Notes, db)),
        static_cast<long>(CountOf(&IGEDCOMdb::get_Repositories, db)),
        static_cast<long>(CountOf(&IGEDCOMdb::get_Multimedia, db)),
        static_cast<long>(CountOf(&IGEDCOMdb::get_Submitters, db)));

    Ref<IGDIndividuals> individuals;
    Ref<IGDFamilies> families;
    if (FAILED(db->get_Individuals(&individuals)) || FAILED(db->get_Families(&families))) return 1;
    std::printf("\nIndividuals\n");
    ForEach<IGDIndividualRecord>(individuals.get(), PrintIndividual);
    std::printf("\nFamilies\n");
    ForEach<IGDFamilyRecord>(families.get(), PrintFamily);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "examples/data/sample.ged";
    Ref<IClassFactory> factory;
    HRESULT hr =
        DllGetClassObject(CLSID_GEDCOMdb, IID_IClassFactory, reinterpret_cast<void**>(&factory));
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
