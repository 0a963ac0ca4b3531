#include "platform/worker_thread.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace kinfold {

struct WorkerThread::State {
    std::thread thread;
};

WorkerThread::WorkerThread() : state_(new State) {}

WorkerThread::~WorkerThread() { Join(); }

bool WorkerThread::Start(std::function<void()> work) {
    if (state_->thread.joinable()) return false;
    try {
        state_->thread = std::thread(std::move(work));
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void WorkerThread::Join() {
    if (state_->thread.joinable()) state_->thread.join();
}

// A plain mutex locked by hand: Wait needs it as a unique_lock, which
// adopts it and lets go of it again without unlocking.
struct Monitor::State {
    std::mutex mutex;
    std::condition_variable condition;
};

Monitor::Monitor() : state_(new State) {}
Monitor::~Monitor() = default;

void Monitor::Lock() { state_->mutex.lock(); }
void Monitor::Unlock() { state_->mutex.unlock(); }

void Monitor::Wait() {
    std::unique_lock<std::mutex> held(state_->mutex, std::adopt_lock);
    state_->condition.wait(held);
    held.release();
}

void Monitor::NotifyAll() { state_->condition.notify_all(); }

}  // namespace kinfold
