// Loads a GEDCOM file, then times the walk a report makes over it: for every
// individual in store order, Name.FullName, Birth.Date and Birth.Place.Name,
// early-bound as a C++ host calls them and late-bound as a script does. Then
// the cost of single member reads, in ns per call: FullName (kept in memory),
// Birth.Date (re-read from the file), Sources (citations built from the
// file) and the Footnote of every citation of every individual.
//
//     walk_bench FILE [REPEATS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "db/gedcom_db.h"
#include "platform/text.h"

namespace {

using Clock = std::chrono::steady_clock;

// The best of `repeats` runs of `run`, in seconds.
double BestOf(int repeats, const std::function<void()>& run) {
    double best = 1e30;
    for (int i = 0; i < repeats; ++i) {
        const auto start = Clock::now();
        run();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (seconds < best) best = seconds;
    }
    return best;
}

void Drop(BSTR text) { SysFreeString(text); }

template <class T>
void Release(T* object) {
    if (object != nullptr) object->Release();
}

// What a report reads of one individual; the length of the texts keeps the
// reads from being optimised away.
size_t ReadTypical(IGDIndividualRecord* individual) {
    size_t length = 0;
    BSTR text = nullptr;
    IGDNameRecord* name = nullptr;
    if (SUCCEEDED(individual->get_Name(&name)) && name != nullptr &&
        SUCCEEDED(name->get_FullName(&text))) {
        length += SysStringLen(text);
        Drop(text);
    }
    Release(name);
    IGDFactEventRecord* birth = nullptr;
    if (SUCCEEDED(individual->get_Birth(&birth)) && birth != nullptr) {
        text = nullptr;
        if (SUCCEEDED(birth->get_Date(&text))) length += SysStringLen(text);
        Drop(text);
        IGDPlaceRecord* place = nullptr;
        if (SUCCEEDED(birth->get_Place(&place)) && place != nullptr) {
            text = nullptr;
            if (SUCCEEDED(place->get_Name(&text))) length += SysStringLen(text);
            Drop(text);
        }
        Release(place);
    }
    Release(birth);
    return length;
}

// Every individual through _NewEnum, as For Each walks them.
size_t WalkEarlyBound(IGDIndividuals* individuals) {
    size_t length = 0;
    IUnknown* unknown = nullptr;
    IEnumVARIANT* items = nullptr;
    if (FAILED(individuals->get__NewEnum(&unknown))) return 0;
    unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&items));
    unknown->Release();
    VARIANT item;
    VariantInit(&item);
    while (items != nullptr && items->Next(1, &item, nullptr) == S_OK) {
        IGDIndividualRecord* individual = nullptr;
        item.pdispVal->QueryInterface(IID_IGDIndividualRecord,
                                      reinterpret_cast<void**>(&individual));
        if (individual != nullptr) length += ReadTypical(individual);
        Release(individual);
        VariantClear(&item);
    }
    Release(items);
    return length;
}

// Reads the named property of `object` into `result` through IDispatch.
// The DISPIDs are looked up once per name, as a script engine caches them.
class LateBinder {
   public:
    bool Get(IDispatch* object, const char* name, DISPID& cached, VARIANT* result) {
        if (cached == DISPID_UNKNOWN) {
            BSTR text = kinfold::AllocBstr(name);
            LPOLESTR names[] = {text};
            object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &cached);
            SysFreeString(text);
        }
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        VariantInit(result);
        return SUCCEEDED(object->Invoke(cached, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                        &none, result, nullptr, nullptr));
    }

    size_t ReadTypical(IDispatch* individual) {
        size_t length = 0;
        VARIANT name, fullName, birth, date, place, placeName;
        if (Get(individual, "Name", name_, &name) && name.vt == VT_DISPATCH && name.pdispVal &&
            Get(name.pdispVal, "FullName", fullName_, &fullName))
            length += SysStringLen(fullName.bstrVal);
        if (Get(individual, "Birth", birth_, &birth) && birth.vt == VT_DISPATCH && birth.pdispVal) {
            if (Get(birth.pdispVal, "Date", date_, &date)) length += SysStringLen(date.bstrVal);
            if (Get(birth.pdispVal, "Place", place_, &place) && place.vt == VT_DISPATCH &&
                place.pdispVal && Get(place.pdispVal, "Name", placeName_, &placeName))
                length += SysStringLen(placeName.bstrVal);
        }
        for (VARIANT* v : {&name, &fullName, &birth, &date, &place, &placeName}) VariantClear(v);
        return length;
    }

   private:
    DISPID name_ = DISPID_UNKNOWN, fullName_ = DISPID_UNKNOWN, birth_ = DISPID_UNKNOWN;
    DISPID date_ = DISPID_UNKNOWN, place_ = DISPID_UNKNOWN, placeName_ = DISPID_UNKNOWN;
};

// Calls `visit` with every individual by its position, as a script's
// Item(i) loop reaches them.
template <class Visit>
void ForEachByPosition(IGDIndividuals* individuals, Visit visit) {
    LONG count = 0;
    individuals->get_Count(&count);
    for (LONG i = 1; i <= count; ++i) {
        VARIANT index;
        VariantInit(&index);
        index.vt = VT_I4;
        index.lVal = i;
        IGDIndividualRecord* individual = nullptr;
        if (FAILED(individuals->get_Item(index, &individual)) || individual == nullptr) continue;
        visit(individual);
        individual->Release();
    }
}

size_t WalkLateBound(IGDIndividuals* individuals) {
    LateBinder binder;
    size_t length = 0;
    ForEachByPosition(individuals, [&](IGDIndividualRecord* individual) {
        IDispatch* script = nullptr;
        individual->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&script));
        if (script != nullptr) length += binder.ReadTypical(script);
        Release(script);
    });
    return length;
}

template <class Collection>
struct ItemOf;
template <>
struct ItemOf<IGDNames> {
    using Type = IGDNameRecord;
};
template <>
struct ItemOf<IGDFactEvents> {
    using Type = IGDFactEventRecord;
};

// Each individual's name and birth, fetched once so that the timed loops
// read only the member being measured.
struct Held {
    std::vector<IGDNameRecord*> names;
    std::vector<IGDFactEventRecord*> births;

    explicit Held(IGDIndividuals* individuals) {
        ForEachByPosition(individuals, [&](IGDIndividualRecord* individual) {
            IGDNameRecord* name = nullptr;
            IGDFactEventRecord* birth = nullptr;
            if (SUCCEEDED(individual->get_Name(&name)) && name != nullptr) names.push_back(name);
            if (SUCCEEDED(individual->get_Birth(&birth)) && birth != nullptr)
                births.push_back(birth);
        });
    }
    ~Held() {
        for (auto* name : names) name->Release();
        for (auto* birth : births) birth->Release();
    }
};

// Every citation of every individual: those directly under it, under its
// names and under its events, made by reading each one's Sources. The time
// those reads took is kept too.
struct Citations {
    std::vector<IGDSourceRecord*> all;
    double sourcesSeconds = 0;
    long sourcesReads = 0;

    explicit Citations(IGDIndividuals* individuals) {
        const auto start = Clock::now();
        ForEachByPosition(individuals, [&](IGDIndividualRecord* individual) {
            Take(individual);
            IGDNames* names = nullptr;
            if (SUCCEEDED(individual->get_Names(&names)) && names != nullptr) {
                ForEachItem(names, [&](IGDNameRecord* name) { Take(name); });
                names->Release();
            }
            VARIANT all;
            VariantInit(&all);
            all.vt = VT_ERROR;
            all.scode = DISP_E_PARAMNOTFOUND;
            IGDFactEvents* events = nullptr;
            if (SUCCEEDED(individual->get_Events(all, &events)) && events != nullptr) {
                ForEachItem(events, [&](IGDFactEventRecord* event) { Take(event); });
                events->Release();
            }
        });
        sourcesSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    }
    ~Citations() {
        for (auto* citation : all) citation->Release();
    }

   private:
    template <class Collection, class Visit>
    static void ForEachItem(Collection* collection, Visit visit) {
        LONG count = 0;
        collection->get_Count(&count);
        for (LONG i = 1; i <= count; ++i) {
            typename ItemOf<Collection>::Type* item = nullptr;
            if (SUCCEEDED(collection->get_Item(i, &item)) && item != nullptr) {
                visit(item);
                item->Release();
            }
        }
    }

    template <class Owner>
    void Take(Owner* owner) {
        ++sourcesReads;
        IGDSources* sources = nullptr;
        if (FAILED(owner->get_Sources(&sources)) || sources == nullptr) return;
        LONG count = 0;
        sources->get_Count(&count);
        for (LONG i = 1; i <= count; ++i) {
            VARIANT index;
            VariantInit(&index);
            index.vt = VT_I4;
            index.lVal = i;
            IGDSourceRecord* citation = nullptr;
            if (SUCCEEDED(sources->get_Item(index, &citation)) && citation != nullptr)
                all.push_back(citation);
        }
        sources->Release();
    }
};

template <class T>
double NsPerRead(int repeats, const std::vector<T*>& objects,
                 HRESULT (STDMETHODCALLTYPE T::*member)(BSTR*)) {
    if (objects.empty()) return 0;
    const double seconds = BestOf(repeats, [&] {
        for (T* object : objects) {
            BSTR text = nullptr;
            (object->*member)(&text);
            Drop(text);
        }
    });
    return seconds * 1e9 / objects.size();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: walk_bench FILE [REPEATS]\n");
        return 2;
    }
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    IGEDCOMdb* db = nullptr;
    if (FAILED(kinfold::CreateDatabase(&db))) return 1;
    BSTR path = kinfold::AllocBstr(argv[1]);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const auto loadStart = Clock::now();
    db->LoadGEDCOMFile(path, &loaded);
    const double loadSeconds = std::chrono::duration<double>(Clock::now() - loadStart).count();
    SysFreeString(path);
    IGDIndividuals* individuals = nullptr;
    if (!loaded || FAILED(db->get_Individuals(&individuals))) {
        std::fprintf(stderr, "walk_bench: %s did not load\n", argv[1]);
        db->Release();
        return 1;
    }
    LONG count = 0;
    individuals->get_Count(&count);
    std::printf("file: %s, %ld individuals, loaded in %.3f s\n", argv[1], static_cast<long>(count),
                loadSeconds);

    size_t length = 0;
    const double early = BestOf(repeats, [&] { length = WalkEarlyBound(individuals); });
    std::printf(
        "typical walk (FullName, Birth.Date, Birth.Place.Name), early-bound: %.3f s, "
        "%.0f ns per individual\n",
        early, early * 1e9 / (count ? count : 1));
    const double late = BestOf(repeats, [&] { length += WalkLateBound(individuals); });
    std::printf("typical walk through IDispatch: %.3f s, %.0f ns per individual\n", late,
                late * 1e9 / (count ? count : 1));
    {
        Held held(individuals);
        std::printf("Name.FullName (from memory): %.0f ns per read over %zu names\n",
                    NsPerRead(repeats, held.names, &IGDNameRecord::get_FullName),
                    held.names.size());
        std::printf("Birth.Date (re-read from the file): %.0f ns per read over %zu births\n",
                    NsPerRead(repeats, held.births, &IGDFactEventRecord::get_Date),
                    held.births.size());
    }
    {
        Citations citations(individuals);
        std::printf(
            "Sources (citations built from the file): %.0f ns per read over %ld reads "
            "(individuals, names, events), %zu citations\n",
            citations.sourcesSeconds * 1e9 / std::max(1L, citations.sourcesReads),
            citations.sourcesReads, citations.all.size());
        std::printf("Footnote (default format): %.0f ns per footnote over %zu citations\n",
                    NsPerRead(repeats, citations.all, &IGDSourceRecord::get_Footnote),
                    citations.all.size());
    }
    std::printf("(%zu characters read)\n", length);
    individuals->Release();
    db->Release();
    return 0;
}
