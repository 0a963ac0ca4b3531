// Natively, messages for the user go to standard error, one per line,
// unless a test or a host has installed its own sink.
#include "platform/notifier.h"

#include <cstdio>
#include <utility>

namespace kinfold {
namespace {

MessageSink& CurrentSink() {
    static MessageSink sink;  // empty: the default, standard error
    return sink;
}

}  // namespace

void ShowMessage(std::string_view text) {
    if (const MessageSink& sink = CurrentSink()) {
        sink(text);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

MessageSink SetMessageSink(MessageSink sink) { return std::exchange(CurrentSink(), std::move(sink)); }

}  // namespace kinfold
