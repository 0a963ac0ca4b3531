// A host that runs for a long time: it creates a database, loads a file,
// reads a little and lets go of everything, COUNT times in one process.
// After every release no automation object may be left alive; at the end the
// module must agree to be unloaded, the object pool must have given its
// slabs back, and the resident memory must be within 10% of what it was
// after the first release. Prints the figures; exits non-zero when a check
// fails. Nothing here judges a time.
//
// Like a long-running host should, it fixes glibc's threshold for giving
// large blocks their own mappings: left to itself glibc raises it to the size
// of the largest block freed, so from the second load on the stores' large
// arrays stay in its heap after release, a one-time step of a few MB that is
// the allocator's, not the library's.
//
//     long_running_host FILE COUNT
#ifndef _WIN32

#include <malloc.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "server/entry_points.h"
#include "access/module_state.h"
#include "core/object_pool.h"
#include "db/gedcom_db.h"
#include "platform/text.h"

namespace {

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 20, '\n');
    }
    return 0;
}

long PeakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// One host's visit: load, read the first individual's name, release.
bool Visit(BSTR path, LONG* individuals) {
    IGEDCOMdb* db = nullptr;
    if (kinfold::CreateDatabase(&db) != S_OK) return false;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    db->LoadGEDCOMFile(path, &loaded);
    IGDIndividuals* all = nullptr;
    if (loaded && db->get_Individuals(&all) == S_OK) {
        all->get_Count(individuals);
        VARIANT first;
        VariantInit(&first);
        first.vt = VT_I4;
        first.lVal = 1;
        IGDIndividualRecord* individual = nullptr;
        if (all->get_Item(first, &individual) == S_OK && individual != nullptr) {
            IGDNameRecord* name = nullptr;
            if (individual->get_Name(&name) == S_OK && name != nullptr) name->Release();
            individual->Release();
        }
        all->Release();
    }
    db->Release();
    return loaded == VARIANT_TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || std::atol(argv[2]) < 1) {
        std::fprintf(stderr, "usage: long_running_host FILE COUNT\n");
        return 2;
    }
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    const long count = std::atol(argv[2]);
    BSTR path = kinfold::AllocBstr(argv[1]);
    LONG individuals = 0;
    long firstKb = 0, lastKb = 0, leftAlive = 0;
    double seconds = 0;
    for (long i = 0; i < count; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!Visit(path, &individuals)) {
            std::fprintf(stderr, "long_running_host: %s did not load\n", argv[1]);
            return 1;
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (kinfold::LiveObjectCount() != 0) ++leftAlive;
        (i == 0 ? firstKb : lastKb) = ResidentKb();
        if (count <= 20) std::printf("release %ld: resident %.1f MB\n", i + 1, ResidentKb() / 1024.0);
    }
    if (count == 1) lastKb = firstKb;
    SysFreeString(path);

    const bool unloadable = DllCanUnloadNow() == S_OK;
    const size_t slabBytes = kinfold::ObjectPool::SlabBytes();
    const double growth = firstKb > 0 ? 100.0 * (lastKb - firstKb) / firstKb : 0;
    std::printf("file: %s, %ld individuals, loaded and released %ld times (%.1f ms each)\n",
                argv[1], static_cast<long>(individuals), count, 1000 * seconds / count);
    std::printf("resident after the first release: %.1f MB, after the last: %.1f MB (%+.1f%%), "
                "peak %.1f MB\n",
                firstKb / 1024.0, lastKb / 1024.0, growth, PeakResidentKb() / 1024.0);
    std::printf("releases that left objects alive: %ld; DllCanUnloadNow: %s; pool slabs held: %zu bytes\n",
                leftAlive, unloadable ? "S_OK" : "S_FALSE", slabBytes);
    const bool ok = leftAlive == 0 && unloadable && slabBytes == 0 && growth <= 10.0;
    std::printf("%s\n", ok ? "long-running host: 1 passed, 0 failed" : "long-running host: 0 passed, 1 failed");
    return ok ? 0 : 1;
}

#endif  // _WIN32
