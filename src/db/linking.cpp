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

// How far linking has come, shown on the window every 200th of the way:
// the window's calls cost system calls (on Windows, under Wine most of all),
// too many to make for every record.
class LinkProgress {
   public:
    LinkProgress(Progress* window, uint32_t count)
        : window_(window), step_(count / 200 == 0 ? 1 : count / 200) {
        if (window_ == nullptr) return;
        window_->SetRange(0, count);
        window_->SetStep(1);
        window_->SetPos(0);
        window_->SetText("Linking Records...");
    }

    // `records` more are linked; false when the user cancelled.
    bool Advance(uint32_t records) {
        done_ += records;
        if (window_ == nullptr || done_ < nextMark_) return true;
        nextMark_ = done_ + step_;
        window_->SetPos(done_);
        window_->PeekAndPump(true);
        return !window_->Cancelled();
    }

   private:
    Progress* window_;
    uint32_t step_;
    uint32_t done_ = 0;
    uint32_t nextMark_ = 0;
};

namespace {

// Links the records of `store` in order through `host`.
HRESULT LinkRecords(const RecordStore& store, RecordHost& host, LinkProgress& progress) {
    for (RecordBase* record : store) {
        const HRESULT hr = record->Link(host);
        if (FAILED(hr)) return hr;
        if (!progress.Advance(1)) return E_ABORT;
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
    LinkProgress progress(window, count);
    const HRESULT hr = LinkPeople(twoThreads, progress);
    if (FAILED(hr)) return hr;
    for (RecordStore* store : {&notes_, &repositories_, &sources_}) {
        const HRESULT linked = LinkRecords(*store, *this, progress);
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

HRESULT GEDCOMdb::LinkPeople(bool twoThreads, LinkProgress& progress) {
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
        // Linking lets go of the pointers' texts.
        ObjectPool::HandOverFreeBlocks();
    });
    HRESULT hr = LinkRecords(families_, *this, progress);
    if (!started) return SUCCEEDED(hr) ? LinkRecords(individuals_, *this, progress) : hr;

    if (FAILED(hr)) stop.store(true, std::memory_order_relaxed);
    worker.Join();
    if (FAILED(hr)) return hr;
    if (failure) std::rethrow_exception(failure);
    for (const SetAsideHost::DanglingPointer& dangling : host.SetAside())
        if (!DropDanglingPointer(*dangling.owner, dangling.position)) return E_FAIL;
    if (!progress.Advance(static_cast<uint32_t>(individuals_.Size()))) return E_ABORT;
    return linked;
}

}  // namespace kinfold
