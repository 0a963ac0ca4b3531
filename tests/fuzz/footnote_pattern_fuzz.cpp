// The texts a host hands the library to be interpreted rather than stored:
// the footnote format (compiled when set, then walked over every citation of
// a real file), the assistant's extraction criteria with their '*' patterns,
// the names it computes Soundex codes of, and the tags it describes.
//
// Input: one byte that picks the extraction's category and the sort order,
// then the format, the criterion, the name and the tag, separated by NUL
// bytes (missing ones are left out).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_host.h"
#include "platform/text.h"

namespace {

// A file with citations of every form: pointers to sources with and without
// repositories, inline sources, notes and texts.
constexpr const char* kFixture = KINFOLD_TEST_DATA "/corpus/TGC55C.ged";

constexpr gd_IndSortOrder kSortOrders[] = {
    gd_sortNone,         gd_sortSurname,           gd_sortGiven,
    gd_sortSoundex,      gd_sortBirth,             gd_sortDeath,
    gd_sortSurnameGiven, gd_sortGivenSurname,      gd_sortSurnameGivenBirth,
    gd_sortSoundexSurnameGiven, gd_sortSoundexSurnameGivenBirth, gd_sortSurnameGivenIgnoreConf,
};

IGEDCOMdb* db = nullptr;
IGDAssistant* assistant = nullptr;
IGDIndividuals* individuals = nullptr;
// Citations and master sources, held for the whole run.
std::vector<IGDSourceRecord*> sources;

VARIANT Index(long i) {
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = i;
    return index;
}

void CollectSources(IGDSources* collection) {
    if (collection == nullptr) return;
    LONG count = 0;
    collection->get_Count(&count);
    for (LONG i = 1; i <= count; ++i) {
        IGDSourceRecord* source = nullptr;
        if (collection->get_Item(Index(i), &source) == S_OK && source != nullptr)
            sources.push_back(source);
    }
    collection->Release();
}

void CollectFixture() {
    db = kinfold::fuzz::NewDatabase();
    if (!kinfold::fuzz::Load(db, kFixture) || db->get_Assistant(&assistant) != S_OK ||
        db->get_Individuals(&individuals) != S_OK)
        std::abort();
    LONG count = 0;
    individuals->get_Count(&count);
    for (LONG i = 1; i <= count; ++i) {
        IGDIndividualRecord* individual = nullptr;
        if (individuals->get_Item(Index(i), &individual) != S_OK || individual == nullptr) continue;
        IGDSources* citations = nullptr;
        individual->get_Sources(&citations);
        CollectSources(citations);
        individual->Release();
    }
    IGDSources* masters = nullptr;
    db->get_Sources(&masters);
    CollectSources(masters);
    if (sources.empty()) std::abort();
}

std::vector<std::string_view> Fields(std::string_view text) {
    std::vector<std::string_view> fields;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\0', start), text.size());
        fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

void Footnotes(std::string_view format) {
    BSTR text = kinfold::AllocBstr(format);
    db->put_SourceFootnoteFormat(text);
    SysFreeString(text);
    BSTR stored = nullptr;
    db->get_SourceFootnoteFormat(&stored);
    kinfold::fuzz::Consume(stored);
    for (IGDSourceRecord* source : sources) {
        BSTR footnote = nullptr;
        source->get_Footnote(&footnote);
        kinfold::fuzz::Consume(footnote);
    }
}

void Extract(gd_SubCategories category, gd_IndSortOrder order, std::string_view criterion) {
    VARIANT criteria;
    VariantInit(&criteria);
    criteria.vt = VT_BSTR;
    criteria.bstrVal = kinfold::AllocBstr(criterion);
    IGDIndividuals* found = nullptr;
    assistant->ExtractIndividuals(category, criteria, order, &found);
    VariantClear(&criteria);
    if (found == nullptr) return;
    VARIANT list;
    VariantInit(&list);
    list.vt = VT_DISPATCH;
    list.pdispVal = found;
    IGDIndividuals* sorted = nullptr;
    assistant->SortIndividuals(list, order, &sorted);
    if (sorted != nullptr) sorted->Release();
    found->Release();
}

void TextMember(HRESULT (STDMETHODCALLTYPE IGDAssistant::*member)(BSTR, BSTR*),
                std::string_view input) {
    BSTR text = kinfold::AllocBstr(input);
    BSTR answer = nullptr;
    (assistant->*member)(text, &answer);
    SysFreeString(text);
    kinfold::fuzz::Consume(answer);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kinfold::fuzz::Initialize();
    CollectFixture();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const auto category = static_cast<gd_SubCategories>(gd_subcatSurname + (data[0] & 3));
    const gd_IndSortOrder order = kSortOrders[(data[0] >> 2) % std::size(kSortOrders)];
    const std::vector<std::string_view> fields =
        Fields(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    Footnotes(fields[0]);
    if (fields.size() > 1) Extract(category, order, fields[1]);
    if (fields.size() > 2) TextMember(&IGDAssistant::Soundex, fields[2]);
    if (fields.size() > 3) TextMember(&IGDAssistant::GetFactEventTypeDescription, fields[3]);
    return 0;
}
