// Eight hosts at once, each on its own thread with its own database, load,
// walk and release different files in a loop. Built with ThreadSanitizer
// this proves that what the module shares between databases (the count of
// live objects, the object pool, the table of pointer handles, the
// comparison switch) is safe across threads; every walk must also answer
// exactly as the same walk did alone, so no host sees another's records.
// A second round adds hosts that search with the assistant, which switches
// the process-wide comparison mode while the others run, and hosts that load
// a file with a dangling pointer, whose message goes to a sink that the main
// thread keeps replacing meanwhile: there the answers may differ by design,
// but nothing may race, crash or leak. Every load runs on two threads of
// its own, small as the files are.
//
// Not a GoogleTest program: the checks must not share state across threads.
// Prints "N passed, M failed" and exits non-zero on a failure.
#ifndef _WIN32

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "access/module_state.h"
#include "core/gedcom_loader.h"
#include "core/object_pool.h"
#include "db/gedcom_db.h"
#include "platform/notifier.h"
#include "platform/text.h"
#include "server/entry_points.h"
#include "support/database_walk.h"
#include "support/member_walker.h"

namespace {

using kinfold::test::AnswerText;
using kinfold::test::MemberWalker;

constexpr int kThreads = 8;
constexpr int kRounds = 3;
constexpr MemberWalker::Limits kWalk{4, 10};

const char* const kFiles[] = {
    "555SAMPLE.GED",   "Simpsons.ged", "bronte.ged",        "comprehensive-551.ged",
    "shakespeare.ged", "basic.ged",    "g7c-xref-case.ged", "cont-conc.ged",
    "REMARR.GED",      "bach.ged"};
constexpr int kFileCount = sizeof kFiles / sizeof kFiles[0];
// Fails to load with a message: a family pointer names no family.
constexpr const char* kBrokenFile = "bad-missing-xref.ged";

// Folds every answer of a walk into one number.
class DigestRunner : public MemberWalker::CallRunner {
   public:
    HRESULT Run(const kinfold::DispatchInterface&, const kinfold::DispatchMember&,
                const std::function<HRESULT(VARIANT*)>& call, VARIANT* result) override {
        const HRESULT code = call(result);
        for (unsigned char byte : AnswerText(code, *result))
            digest_ = (digest_ ^ byte) * 1099511628211ull;
        return code;
    }
    uint64_t Digest() const { return digest_; }

   private:
    uint64_t digest_ = 14695981039346656037ull;
};

// A case-blind extraction, then a question about the first individual
// found, which the assistant recognises through its pointer handle.
void Search(IGEDCOMdb* db) {
    IGDAssistant* assistant = nullptr;
    if (db->get_Assistant(&assistant) != S_OK) return;
    VARIANT criteria;
    VariantInit(&criteria);
    criteria.vt = VT_BSTR;
    criteria.bstrVal = kinfold::AllocBstr("s*");
    IGDIndividuals* found = nullptr;
    assistant->ExtractIndividuals(gd_subcatSurname, criteria, gd_sortSurnameGiven, &found);
    VariantClear(&criteria);
    IGDIndividualRecord* first = nullptr;
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = 1;
    if (found != nullptr && found->get_Item(index, &first) == S_OK && first != nullptr) {
        int generations = 0;
        assistant->GenerationsOfAncestors(first, &generations);
        first->Release();
    }
    if (found != nullptr) found->Release();
    assistant->Release();
}

// Loads, optionally searches, walks and releases; the digest of the walk,
// or 0 when the file did not load.
uint64_t Visit(const char* file, bool search) {
    IGEDCOMdb* db = nullptr;
    if (kinfold::CreateDatabase(&db) != S_OK) return 0;
    BSTR path = kinfold::AllocBstr(std::string(KINFOLD_TEST_DATA "/corpus/") + file);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    db->LoadGEDCOMFile(path, &loaded);
    SysFreeString(path);
    DigestRunner digest;
    if (loaded) {
        if (search) Search(db);
        MemberWalker walker(kWalk);
        walker.SetCallRunner(&digest);
        kinfold::test::WalkDatabase(db, walker);
    }
    db->Release();
    return loaded ? digest.Digest() : 0;
}

int passed = 0;
int failed = 0;

void Check(bool ok, const std::string& what) {
    std::printf("[ %s ] %s\n", ok ? "ok" : "FAILED", what.c_str());
    (ok ? passed : failed) += 1;
}

// Runs kThreads hosts; thread t visits every other file from file t on, in
// turn, searching first when `searcher` says so for it. Returns the number of
// walks that answered otherwise than `expected` (not compared when empty).
int RunHosts(const std::vector<uint64_t>& expected, bool (*searcher)(int thread)) {
    std::atomic<int> wrong{0};
    std::vector<std::thread> hosts;
    for (int t = 0; t < kThreads; ++t) {
        hosts.emplace_back([t, searcher, &expected, &wrong] {
            for (int round = 0; round < kRounds; ++round) {
                if (searcher(t)) Visit(kBrokenFile, false);
                for (int i = 0; i < kFileCount; i += 2) {
                    const int file = (t + round + i) % kFileCount;
                    const uint64_t digest = Visit(kFiles[file], searcher(t));
                    if (!expected.empty() && digest != expected[file]) ++wrong;
                }
            }
        });
    }
    for (std::thread& host : hosts) host.join();
    return wrong.load();
}

void CheckModuleIsIdle(const char* round) {
    Check(kinfold::LiveObjectCount() == 0, std::string(round) + ": no automation object left");
    Check(DllCanUnloadNow() == S_OK, std::string(round) + ": the module can be unloaded");
    Check(kinfold::ObjectPool::SlabBytes() == 0,
          std::string(round) + ": the pool gave back its slabs");
}

}  // namespace

int main() {
    kinfold::SetMessageSink([](std::string_view) {});
    // Every load runs on two threads (reading ahead, then linking), so the
    // hand-overs between them are checked too.
    kinfold::SetTwoThreadsFrom(0);
    std::vector<uint64_t> alone;
    for (const char* file : kFiles) alone.push_back(Visit(file, false));
    for (int i = 0; i < kFileCount; ++i)
        Check(alone[i] != 0, std::string(kFiles[i]) + " loads alone");

    const int wrong = RunHosts(alone, [](int) { return false; });
    Check(wrong == 0, std::to_string(kThreads) + " hosts at once answer as one alone (" +
                          std::to_string(wrong) + " walks differed)");
    CheckModuleIsIdle("hosts");

    std::atomic<bool> hostsDone{false};
    std::atomic<long> messages{0};
    std::thread swapper([&] {
        while (!hostsDone) kinfold::SetMessageSink([&messages](std::string_view) { ++messages; });
    });
    RunHosts({}, [](int thread) { return thread % 2 == 0; });
    hostsDone = true;
    swapper.join();
    // Every failed load says so at least once.
    Check(messages >= kThreads / 2 * kRounds,
          std::to_string(messages.load()) + " messages reached the sink, swapped meanwhile");
    CheckModuleIsIdle("hosts searching among others");

    std::printf("Tests: %d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

#endif  // _WIN32
