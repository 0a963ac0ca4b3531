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

// Replaces the sink; an empty function restores the default. Returns the old one.
MessageSink SetMessageSink(MessageSink sink);

}  // namespace kinfold
