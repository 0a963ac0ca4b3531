// Loads a GEDCOM file into a database and prints how fast and how big:
// MB/s and records per second for load + link, peak resident memory, bytes
// of memory per loaded record, and how long releasing the records takes.
//
//     load_bench FILE [REPEATS] [--one-thread]
//
// --one-thread loads every file on one thread, as files below the size for
// two threads are loaded, to compare with the two-thread load.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/gedcom_loader.h"
#include "db/gedcom_db.h"
#include "platform/process_memory.h"
#include "platform/text.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[argc - 1], "--one-thread") == 0) {
        kinfold::SetTwoThreadsFrom(UINT32_MAX);
        --argc;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: load_bench FILE [REPEATS] [--one-thread]\n");
        return 2;
    }
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 1;
    IGEDCOMdb* db = nullptr;
    if (FAILED(kinfold::CreateDatabase(&db))) return 1;
    auto* database = static_cast<kinfold::GEDCOMdb*>(db);
    BSTR path = kinfold::AllocBstr(argv[1]);

    double best = 1e30;
    size_t rssBefore = 0, rssAfter = 0;
    size_t records = 0;
    uint32_t bytes = 0;
    for (int i = 0; i < repeats; ++i) {
        database->Clear();
        rssBefore = kinfold::CurrentResidentBytes();
        VARIANT_BOOL loaded = VARIANT_FALSE;
        const auto start = std::chrono::steady_clock::now();
        db->LoadGEDCOMFile(path, &loaded);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!loaded) {
            std::fprintf(stderr, "load_bench: %s did not load\n", argv[1]);
            return 1;
        }
        rssAfter = kinfold::CurrentResidentBytes();
        if (seconds < best) best = seconds;
        bytes = database->Reader().GetLength();
        records = database->IndividualStore().Size() + database->FamilyStore().Size() +
                  database->SourceStore().Size() + database->NoteStore().Size() +
                  database->RepositoryStore().Size() + database->MultimediaStore().Size() +
                  database->SubmitterStore().Size();
    }
    const double megabytes = bytes / 1e6;
    std::printf("file: %s (%.1f MB, %zu level-0 records)\n", argv[1], megabytes, records);
    std::printf("load+link: %.3f s  %.1f MB/s  %.0f records/s\n", best, megabytes / best,
                records / best);
    const double peak = static_cast<double>(kinfold::PeakResidentBytes());
    const double held = static_cast<double>(rssAfter) - static_cast<double>(rssBefore);
    std::printf("peak RSS: %.1f MB (%.2f x file size)\n", peak / 1048576.0, peak / bytes);
    std::printf("memory held by the loaded records: %.1f MB, %.0f bytes per level-0 record\n",
                held / 1048576.0, records ? held / records : 0.0);
    const auto releaseStart = std::chrono::steady_clock::now();
    database->Clear();
    const double released =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - releaseStart).count();
    std::printf("release: %.3f s (%.0f ns per level-0 record)\n", released,
                records ? released * 1e9 / records : 0.0);
    SysFreeString(path);
    db->Release();
    return 0;
}
