// Linking, the last step of a load: every store is ordered and indexed,
// then every record resolves its pointers. Files large enough to be read on
// two threads are linked on two as well: the individuals are indexed, and
// then linked, on a second thread while this one does the other stores and
// the families. The two halves only read each other's records, and the
// second thread sets aside what it would report (SetAsideHost), so the
// answers and the report are those of a link on one thread.
#include <atomic>
#include <exception>

#include "core/gedcom_loader.h"
#include "core/object_pool.h"
#include "core/record_base.h"
#include "db/gedcom_db.h"
#include "db/set_aside_host.h"
#include "platform/progress.h"
#include "platform/worker_thread.h"

namespace kinfold {

namespace {

// Links the records of `store` in order through `host`, `done` counting
// the records linked so far.
HRESULT LinkRecords(const RecordStore& store, RecordHost& host, uint32_t& done,
                    ProgressMarks& marks) {
    for (RecordBase* record : store) {
        const HRESULT hr = record->Link(host);
        if (FAILED(hr)) return hr;
        if (!marks.Reach(++done)) return E_ABORT;
    }
    return S_OK;
}

}  // namespace

HRESULT GEDCOMdb::LinkAll(Progress* window) {
    const bool twoThreads = loader_.Reader().GetLength() >= TwoThreadsFrom();
    SealStores(twoThreads);
    uint32_t count = 0;
    for (RecordStore* store : {&families_, &individuals_, &notes_, &repositories_, &sources_})
        count += static_cast<uint32_t>(store->Size());
    if (window != nullptr) {
        window->SetRange(0, count);
        window->SetStep(1);
        window->SetPos(0);
        window->SetText("Linking Records...");
    }
    ProgressMarks marks(window, count);
    uint32_t done = 0;
    const HRESULT hr = LinkPeople(twoThreads, done, marks);
    if (FAILED(hr)) return hr;
    for (RecordStore* store : {&notes_, &repositories_, &sources_}) {
        const HRESULT linked = LinkRecords(*store, *this, done, marks);
        if (FAILED(linked)) return linked;
    }
    return S_OK;
}

void GEDCOMdb::SealStores(bool twoThreads) {
    WorkerThread worker;
    const auto sealIndividuals = [this] {
        individuals_.Seal();
        ObjectPool::HandOverFreeBlocks();
    };
    if (!twoThreads || !worker.Start(sealIndividuals)) individuals_.Seal();
    for (RecordStore* store :
         {&sources_, &notes_, &families_, &repositories_, &multimedia_, &submitters_})
        store->Seal();
    worker.Join();
}

HRESULT GEDCOMdb::LinkPeople(bool twoThreads, uint32_t& done, ProgressMarks& marks) {
    SetAsideHost host(*this);
    std::atomic<bool> stop{false};
    HRESULT linked = S_OK;
    std::exception_ptr failure;
    WorkerThread worker;
    const bool started = twoThreads && worker.Start([&] {
        try {
            for (RecordBase* record : individuals_) {
                if (stop.load(std::memory_order_relaxed)) break;
                linked = record->Link(host);
                if (FAILED(linked)) break;
            }
        } catch (...) {
            failure = std::current_exception();
        }
        // Linking lets go of long pointers' texts and of the lines it drops.
        ObjectPool::HandOverFreeBlocks();
    });
    HRESULT hr = LinkRecords(families_, *this, done, marks);
    if (!started) return SUCCEEDED(hr) ? LinkRecords(individuals_, *this, done, marks) : hr;

    if (FAILED(hr)) stop.store(true, std::memory_order_relaxed);
    worker.Join();
    if (FAILED(hr)) return hr;
    if (failure) std::rethrow_exception(failure);
    for (const SetAsideHost::DanglingPointer& dangling : host.SetAside())
        if (!DropDanglingPointer(*dangling.owner, dangling.position)) return E_FAIL;
    done += static_cast<uint32_t>(individuals_.Size());
    if (!marks.Reach(done)) return E_ABORT;
    return linked;
}

}  // namespace kinfold
