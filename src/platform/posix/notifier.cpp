// Natively, messages for the user go to standard error, one per line,
// unless a test or a host has installed its own sink.
#include "platform/notifier.h"

#include <cstdio>

namespace kinfold {

void ShowMessage(std::string_view text) {
    if (const MessageSink sink = CurrentMessageSink()) {
        sink(text);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

}  // namespace kinfold
