// A second thread for work a call splits in two (the load reads lines ahead
// of the records it builds), and the lock and condition the two halves hand
// work over with. Natively these are the standard library's; the Windows
// toolchain's thread model has no std::thread, so there they are the
// system's own.
#pragma once

#include <functional>
#include <memory>

namespace kinfold {

class WorkerThread {
   public:
    WorkerThread();
    // Waits for the work to end.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Runs `work` on a new thread; false when none can be started, and the
    // caller then does the work itself. `work` must not throw.
    bool Start(std::function<void()> work);
    // Waits for the work to end; nothing when none was started.
    void Join();

   private:
    struct State;
    std::unique_ptr<State> state_;
};

// A lock with one condition: Wait releases the lock while it sleeps and holds
// it again when woken, which may happen without a Notify.
class Monitor {
   public:
    Monitor();
    ~Monitor();
    Monitor(const Monitor&) = delete;
    Monitor& operator=(const Monitor&) = delete;

    void Lock();
    void Unlock();
    // Only with the lock held.
    void Wait();
    void NotifyAll();

   private:
    struct State;
    std::unique_ptr<State> state_;
};

// Holds a monitor's lock for a scope.
class MonitorLock {
   public:
    explicit MonitorLock(Monitor& monitor) : monitor_(monitor) { monitor_.Lock(); }
    ~MonitorLock() { monitor_.Unlock(); }
    MonitorLock(const MonitorLock&) = delete;
    MonitorLock& operator=(const MonitorLock&) = delete;

   private:
    Monitor& monitor_;
};

}  // namespace kinfold
