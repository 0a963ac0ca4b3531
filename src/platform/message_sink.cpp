// The sink a host or a test installed for the messages, shared by every
// thread. ShowMessage calls a copy taken under the lock, so a message shown
// while another thread swaps the sink reaches the old sink or the new one,
// never a half-replaced one.
#include <mutex>
#include <utility>

#include "platform/notifier.h"

namespace kinfold {
namespace {

std::mutex sinkMutex;

MessageSink& Sink() {
    static MessageSink sink;  // empty: the platform's default
    return sink;
}

}  // namespace

MessageSink CurrentMessageSink() {
    std::lock_guard<std::mutex> lock(sinkMutex);
    return Sink();
}

MessageSink SetMessageSink(MessageSink sink) {
    std::lock_guard<std::mutex> lock(sinkMutex);
    return std::exchange(Sink(), std::move(sink));
}

}  // namespace kinfold
