#include "platform/worker_thread.h"

#include <windows.h>

namespace kinfold {

struct WorkerThread::State {
    HANDLE thread = nullptr;
    std::function<void()> work;
};

namespace {

DWORD WINAPI RunWork(void* state) {
    static_cast<std::function<void()>*>(state)->operator()();
    return 0;
}

}  // namespace

WorkerThread::WorkerThread() : state_(new State) {}

WorkerThread::~WorkerThread() { Join(); }

bool WorkerThread::Start(std::function<void()> work) {
    if (state_->thread != nullptr) return false;
    state_->work = std::move(work);
    state_->thread = CreateThread(nullptr, 0, RunWork, &state_->work, 0, nullptr);
    return state_->thread != nullptr;
}

void WorkerThread::Join() {
    if (state_->thread == nullptr) return;
    WaitForSingleObject(state_->thread, INFINITE);
    CloseHandle(state_->thread);
    state_->thread = nullptr;
    state_->work = nullptr;
}

struct Monitor::State {
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE condition = CONDITION_VARIABLE_INIT;
};

Monitor::Monitor() : state_(new State) {}
Monitor::~Monitor() = default;

void Monitor::Lock() { AcquireSRWLockExclusive(&state_->lock); }
void Monitor::Unlock() { ReleaseSRWLockExclusive(&state_->lock); }
void Monitor::Wait() { SleepConditionVariableSRW(&state_->condition, &state_->lock, INFINITE, 0); }
void Monitor::NotifyAll() { WakeAllConditionVariable(&state_->condition); }

}  // namespace kinfold
