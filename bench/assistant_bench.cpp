// Times the assistant's questions and the confidentiality inference on a
// large file, through the interfaces a host calls: SortIndividuals of every
// individual by surname and given name, ExtractIndividuals by the Soundex
// code of ROOT's surname, ExtractRelatives of ROOT's descendants,
// SetConfidentiality(100), and Relationship of pairs drawn at random (the
// same pairs every run) from every individual, most of them unrelated, and
// from ROOT's descendants, all related. Prints the best of REPEATS runs of each.
//
//     assistant_bench FILE ROOT [REPEATS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "db/gedcom_db.h"
#include "platform/text.h"

namespace {

template <class Run>
double BestMilliseconds(int repeats, Run run) {
    double best = 1e30;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const double milliseconds =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        if (milliseconds < best) best = milliseconds;
    }
    return best;
}

// Runs a member that returns a collection, keeps its count and lets it go.
template <class Call>
void CountResult(Call call, LONG& count) {
    IGDIndividuals* list = nullptr;
    if (FAILED(call(&list)) || list == nullptr) {
        std::fprintf(stderr, "assistant_bench: a call failed\n");
        std::exit(1);
    }
    list->get_Count(&count);
    list->Release();
}

// Relationship of `pairs` random pairs of `everyone`, in microseconds a
// call; the number of relationships found comes back in `found`.
double RelationshipMicroseconds(IGDAssistant* assistant, IGDIndividuals* everyone, int pairs,
                                int repeats, LONG& found) {
    IGDAssistant2* relations = nullptr;
    if (FAILED(
            assistant->QueryInterface(IID_IGDAssistant2, reinterpret_cast<void**>(&relations)))) {
        std::fprintf(stderr, "assistant_bench: no IGDAssistant2\n");
        std::exit(1);
    }
    LONG count = 0;
    everyone->get_Count(&count);
    std::mt19937 random(20261207);
    std::uniform_int_distribution<LONG> position(1, count);
    std::vector<std::pair<IGDIndividualRecord*, IGDIndividualRecord*>> chosen;
    for (int i = 0; i < pairs; ++i) {
        IGDIndividualRecord* one = nullptr;
        IGDIndividualRecord* other = nullptr;
        VARIANT index;
        VariantInit(&index);
        index.vt = VT_I4;
        index.lVal = position(random);
        everyone->get_Item(index, &one);
        index.lVal = position(random);
        everyone->get_Item(index, &other);
        chosen.emplace_back(one, other);
    }
    const double best = BestMilliseconds(repeats, [&] {
        found = 0;
        for (const auto& [one, other] : chosen) {
            IGDRelationships* list = nullptr;
            LONG listed = 0;
            if (FAILED(relations->Relationship(one, other, &list)) || list == nullptr) {
                std::fprintf(stderr, "assistant_bench: Relationship failed\n");
                std::exit(1);
            }
            list->get_Count(&listed);
            found += listed;
            list->Release();
        }
    });
    for (const auto& [one, other] : chosen) {
        one->Release();
        other->Release();
    }
    relations->Release();
    return best * 1000.0 / pairs;
}

std::string Text(BSTR text) {
    std::string result = kinfold::BstrToText(text);
    SysFreeString(text);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: assistant_bench FILE ROOT [REPEATS]\n");
        return 2;
    }
    const int repeats = argc > 3 ? std::atoi(argv[3]) : 3;
    IGEDCOMdb* db = nullptr;
    IGDAssistant* assistant = nullptr;
    IGDIndividuals* everyone = nullptr;
    IGDIndividualRecord* root = nullptr;
    IGDNameRecord* name = nullptr;
    BSTR path = kinfold::AllocBstr(argv[1]);
    BSTR rootId = kinfold::AllocBstr(argv[2]);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    if (FAILED(kinfold::CreateDatabase(&db)) || FAILED(db->LoadGEDCOMFile(path, &loaded)) ||
        !loaded || FAILED(db->get_Assistant(&assistant)) ||
        FAILED(db->get_Individuals(&everyone)) || FAILED(db->GetIndividualFromID(rootId, &root)) ||
        root == nullptr || FAILED(root->get_Name(&name)) || name == nullptr) {
        std::fprintf(stderr, "assistant_bench: cannot load %s or find %s in it\n", argv[1],
                     argv[2]);
        return 1;
    }
    BSTR surname = nullptr;
    BSTR code = nullptr;
    name->get_Surname(&surname);
    assistant->Soundex(surname, &code);
    const std::string codeText = Text(code);
    LONG individuals = 0;
    everyone->get_Count(&individuals);
    std::printf("file: %s (%.1f MB, %ld individuals)\n", argv[1],
                static_cast<kinfold::GEDCOMdb*>(db)->Reader().GetLength() / 1e6,
                static_cast<long>(individuals));

    VARIANT list;
    VariantInit(&list);
    list.vt = VT_DISPATCH;
    list.pdispVal = everyone;
    LONG sorted = 0;
    const double sort = BestMilliseconds(repeats, [&] {
        CountResult(
            [&](IGDIndividuals** out) {
                return assistant->SortIndividuals(list, gd_sortSurnameGiven, out);
            },
            sorted);
    });
    std::printf("SortIndividuals, surname and given name: %.1f ms (%ld individuals)\n", sort,
                static_cast<long>(sorted));

    VARIANT criteria;
    VariantInit(&criteria);
    criteria.vt = VT_BSTR;
    criteria.bstrVal = kinfold::AllocBstr(codeText);
    LONG extracted = 0;
    const double extract = BestMilliseconds(repeats, [&] {
        CountResult(
            [&](IGDIndividuals** out) {
                return assistant->ExtractIndividuals(gd_subcatSoundex, criteria,
                                                     gd_sortSurnameGiven, out);
            },
            extracted);
    });
    std::printf("ExtractIndividuals, Soundex %s, sorted: %.1f ms (%ld individuals)\n",
                codeText.c_str(), extract, static_cast<long>(extracted));

    VARIANT from;
    VARIANT none;
    VariantInit(&from);
    VariantInit(&none);
    from.vt = VT_DISPATCH;
    from.pdispVal = root;
    none.vt = VT_ERROR;
    none.scode = DISP_E_PARAMNOTFOUND;
    LONG descendants = 0;
    const double relatives = BestMilliseconds(repeats, [&] {
        CountResult(
            [&](IGDIndividuals** out) {
                return assistant->ExtractRelatives(gd_relDescendants, from, none, out);
            },
            descendants);
    });
    std::printf("ExtractRelatives, descendants of %s: %.1f ms (%ld individuals)\n", argv[2],
                relatives, static_cast<long>(descendants));

    const double confidentiality = BestMilliseconds(repeats, [&] { db->SetConfidentiality(100); });
    std::printf("SetConfidentiality(100): %.1f ms\n", confidentiality);

    constexpr int kPairs = 1000;
    IGDIndividuals* line = nullptr;
    assistant->ExtractRelatives(gd_relDescendants, from, none, &line);
    for (IGDIndividuals* drawn : {everyone, line}) {
        LONG related = 0;
        const double relationship =
            RelationshipMicroseconds(assistant, drawn, kPairs, repeats, related);
        std::printf("Relationship of %d random pairs %s: %.1f us a call (%ld found)\n", kPairs,
                    drawn == everyone ? "of everyone" : "of the descendants", relationship,
                    static_cast<long>(related));
    }
    line->Release();

    VariantClear(&criteria);
    SysFreeString(surname);
    SysFreeString(rootId);
    SysFreeString(path);
    name->Release();
    root->Release();
    everyone->Release();
    assistant->Release();
    db->Release();
    return 0;
}
