// Loading a file is the one long call of the object model. It runs on a
// thread of its own while the calling thread waits without the GIL, so that
// other Python threads run, waking every few milliseconds to run Python's
// signal handlers: a handler that raises (Ctrl-C's KeyboardInterrupt)
// cancels the load, and the database is left empty.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "binding.h"
#include "platform/posix/load_cancel.h"
#include "platform/text.h"

namespace kinfold::python {
namespace {

constexpr std::chrono::milliseconds kSignalCheck{20};

class LoadThread {
   public:
    explicit LoadThread(std::function<void()> load) {
        thread_ = std::thread([this, load = std::move(load)] {
            load();
            std::lock_guard<std::mutex> lock(mutex_);
            finished_ = true;
            done_.notify_all();
        });
    }
    ~LoadThread() { thread_.join(); }

    // Whether the load ended within `wait`; called without the GIL.
    bool Wait(std::chrono::milliseconds wait) {
        std::unique_lock<std::mutex> lock(mutex_);
        return done_.wait_for(lock, wait, [this] { return finished_; });
    }

   private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

// A load that ended before the cancel reached it is undone the one way a
// host has: loading a file of no name fails and leaves the database empty.
void Empty(IDispatch* db, DISPID load) {
    VARIANT name;
    VariantInit(&name);
    name.vt = VT_BSTR;
    name.bstrVal = SysAllocString(u"");
    DISPPARAMS params = {&name, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    db->Invoke(load, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
    VariantClear(&result);
    VariantClear(&name);
}

void ClearOutputs(VARIANT* result, EXCEPINFO* excep) {
    VariantClear(result);
    SysFreeString(excep->bstrDescription);
    SysFreeString(excep->bstrSource);
    SysFreeString(excep->bstrHelpFile);
    *excep = {};
}

}  // namespace

bool IsLoad(const std::string& name) { return LowerName(name) == "loadgedcomfile"; }

bool InvokeLoad(IDispatch* db, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                EXCEPINFO* excep, UINT* argErr, HRESULT* hr) {
    auto load = [=] { *hr = db->Invoke(id, IID_NULL, 0, flags, params, result, excep, argErr); };
    std::unique_ptr<LoadThread> thread;
    try {
        thread = std::make_unique<LoadThread>(load);
    } catch (const std::exception&) {
        // No thread to spare: load here, without the GIL but without a cancel.
        PyThreadState* python = PyEval_SaveThread();
        load();
        PyEval_RestoreThread(python);
        return true;
    }
    bool raised = false;
    for (;;) {
        PyThreadState* python = PyEval_SaveThread();
        const bool finished = thread->Wait(kSignalCheck);
        PyEval_RestoreThread(python);
        if (finished) break;
        raised = raised || PyErr_CheckSignals() != 0;
        // Asked again at every wake, since a request made before the load
        // starts is forgotten when it does.
        if (raised) CancelLoad();
    }
    thread.reset();
    if (!raised) return true;
    const bool loaded = SUCCEEDED(*hr) && result->vt == VT_BOOL && result->boolVal != VARIANT_FALSE;
    ClearOutputs(result, excep);
    if (loaded) Empty(db, id);
    return false;
}

}  // namespace kinfold::python
