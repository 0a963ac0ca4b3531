// A host program that asks the assistant about one individual: the
// ancestors and the descendants, each with the generation that separates
// them from the individual, and everyone whose surname sounds like the
// individual's (the same Soundex code), sorted by surname and given name.
//
//     kinfold_relatives FILE ID
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

   private:
    T* p_ = nullptr;
};

std::string Take(BSTR text) {
    std::string result = kinfold::BstrToText(text);
    SysFreeString(text);
    return result;
}

VARIANT ObjectArgument(IDispatch* object) {
    VARIANT v;
    VariantInit(&v);
    if (object == nullptr) {
        v.vt = VT_ERROR;
        v.scode = DISP_E_PARAMNOTFOUND;
    } else {
        v.vt = VT_DISPATCH;
        v.pdispVal = object;
    }
    return v;
}

// Calls `visit` with each individual of `list`, by position.
template <class Visit>
void ForEachIndividual(IGDIndividuals* list, Visit visit) {
    LONG count = 0;
    if (list == nullptr || FAILED(list->get_Count(&count))) return;
    for (LONG i = 1; i <= count; ++i) {
        Ref<IGDIndividualRecord> individual;
        VARIANT position;
        VariantInit(&position);
        position.vt = VT_I4;
        position.lVal = i;
        if (SUCCEEDED(list->get_Item(position, &individual))) visit(individual.get());
    }
}

// "@I1@  Thomas Hartley"
std::string Describe(IGDIndividualRecord* individual) {
    BSTR id = nullptr;
    BSTR fullName = nullptr;
    Ref<IGDNameRecord> name;
    individual->get_ID(&id);
    if (SUCCEEDED(individual->get_Name(&name)) && name.get() != nullptr)
        name->get_FullName(&fullName);
    return Take(id) + "  " + Take(fullName);
}

class RelativesReport {
   public:
    RelativesReport(IGDAssistant* assistant, IGDIndividualRecord* person)
        : assistant_(assistant), person_(person) {}

    // The list of `type` for the person (and `ancestor`, for the two lines).
    bool Extract(gd_RelationalColType type, IGDIndividualRecord* from,
                 IGDIndividualRecord* ancestor, IGDIndividuals** list) const {
        return SUCCEEDED(assistant_->ExtractRelatives(type, ObjectArgument(from),
                                                      ObjectArgument(ancestor), list));
    }

    // The generations between the person and a relative: the length of the
    // line that joins them, less one.
    long GenerationsTo(IGDIndividualRecord* relative, bool ancestor) const {
        Ref<IGDIndividuals> line;
        LONG count = 0;
        if (ancestor ? !Extract(gd_relDesc2Anc, person_, relative, &line)
                     : !Extract(gd_relDesc2Anc, relative, person_, &line))
            return -1;
        line->get_Count(&count);
        return static_cast<long>(count) - 1;
    }

    void PrintList(const char* title, gd_RelationalColType type, bool ancestors) const {
        int generations = 0;
        if (ancestors)
            assistant_->GenerationsOfAncestors(person_, &generations);
        else
            assistant_->GenerationsOfDescendants(person_, &generations);
        std::printf("\n%s (generations: %d)\n", title, generations);
        Ref<IGDIndividuals> list;
        if (!Extract(type, person_, nullptr, &list)) return;
        ForEachIndividual(list.get(), [&](IGDIndividualRecord* relative) {
            const long generation = GenerationsTo(relative, ancestors);
            std::printf("  %*s%ld  %s\n", static_cast<int>(2 * generation), "", generation,
                        Describe(relative).c_str());
        });
    }

    void PrintSoundsLike() const {
        Ref<IGDNameRecord> name;
        BSTR surname = nullptr;
        BSTR code = nullptr;
        if (FAILED(person_->get_Name(&name)) || name.get() == nullptr) return;
        name->get_Surname(&surname);
        assistant_->Soundex(surname, &code);
        const std::string surnameText = Take(surname);
        VARIANT criteria;
        VariantInit(&criteria);
        criteria.vt = VT_BSTR;
        criteria.bstrVal = code;
        std::printf("\nSurnames that sound like %s (Soundex %s)\n", surnameText.c_str(),
                    kinfold::BstrToText(code).c_str());
        Ref<IGDIndividuals> list;
        if (SUCCEEDED(assistant_->ExtractIndividuals(gd_subcatSoundex, criteria,
                                                     gd_sortSurnameGiven, &list)))
            ForEachIndividual(list.get(), [](IGDIndividualRecord* individual) {
                std::printf("  %s\n", Describe(individual).c_str());
            });
        VariantClear(&criteria);
    }

   private:
    IGDAssistant* assistant_;
    IGDIndividualRecord* person_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kinfold_relatives FILE ID\n");
        return 2;
    }
    Ref<IClassFactory> factory;
    Ref<IGEDCOMdb> db;
    Ref<IGDAssistant> assistant;
    Ref<IGDIndividualRecord> person;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    BSTR path = kinfold::AllocBstr(argv[1]);
    BSTR id = kinfold::AllocBstr(argv[2]);
    HRESULT hr =
        DllGetClassObject(CLSID_GEDCOMdb, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (SUCCEEDED(hr))
        hr = factory->CreateInstance(nullptr, IID_IGEDCOMdb, reinterpret_cast<void**>(&db));
    if (SUCCEEDED(hr)) hr = db->LoadGEDCOMFile(path, &loaded);
    if (SUCCEEDED(hr) && loaded) hr = db->GetIndividualFromID(id, &person);
    if (SUCCEEDED(hr) && person.get() != nullptr) hr = db->get_Assistant(&assistant);
    SysFreeString(path);
    SysFreeString(id);
    if (FAILED(hr) || !loaded || person.get() == nullptr) {
        std::fprintf(stderr, "kinfold_relatives: cannot load %s or find %s in it\n", argv[1],
                     argv[2]);
        return 1;
    }

    std::printf("File: %s\nRelatives of %s\n", argv[1], Describe(person.get()).c_str());
    const RelativesReport report(assistant.get(), person.get());
    report.PrintList("Ancestors, father's side first", gd_relAncestors, true);
    report.PrintList("Descendants", gd_relDescendants, false);
    report.PrintSoundsLike();
    return 0;
}
