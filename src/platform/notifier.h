// One place where the messages for the user go ("ERROR: GEDCOM file is
// corrupt." and the rest). Windows shows a message box unless
// KINFOLD_MESSAGES=stderr; natively they go to standard error. Tests install
// a capturing sink.
#pragma once

#include <functional>
#include <string_view>

namespace kinfold {

using MessageSink = std::function<void(std::string_view text)>;

// Shows `text` with one OK button and returns when it has been acknowledged.
void ShowMessage(std::string_view text);

// Replaces the sink; an empty function restores the default. Returns the old
// one. Safe while other threads show messages.
MessageSink SetMessageSink(MessageSink sink);
// A copy of the sink in force (empty for the default).
MessageSink CurrentMessageSink();

}  // namespace kinfold
