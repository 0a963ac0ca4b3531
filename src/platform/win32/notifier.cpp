// On Windows a message is a modal message box with one OK button, unless
// KINFOLD_MESSAGES=stderr asks for standard error (unattended runs, tests).
#include "platform/notifier.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/automation.h"

namespace kinfold {
namespace {

bool MessagesToStandardError() {
    const char* mode = std::getenv("KINFOLD_MESSAGES");
    return mode && std::strcmp(mode, "stderr") == 0;
}

}  // namespace

void ShowMessage(std::string_view text) {
    if (const MessageSink sink = CurrentMessageSink()) {
        sink(text);
        return;
    }
    if (MessagesToStandardError()) {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fputc('\n', stderr);
        std::fflush(stderr);
        return;
    }
    const std::string message(text);
    MessageBoxA(nullptr, message.c_str(), "Kinfold", MB_OK);
}

}  // namespace kinfold
