// The message notifier: a sink can be installed and restored; the default
// writes the text and a newline to standard error (on Windows when
// KINFOLD_MESSAGES=stderr).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/notifier.h"

namespace {

TEST(Notifier, InstalledSinkReceivesEveryMessage) {
    std::vector<std::string> shown;
    kinfold::MessageSink old = kinfold::SetMessageSink([&shown](std::string_view text) { shown.emplace_back(text); });
    kinfold::ShowMessage("ERROR: GEDCOM file is corrupt.");
    kinfold::ShowMessage("ERROR: GEDCOM file is corrupt. Invalid Reference.");
    kinfold::MessageSink mine = kinfold::SetMessageSink(old);
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ("ERROR: GEDCOM file is corrupt.", shown[0]);
    EXPECT_EQ("ERROR: GEDCOM file is corrupt. Invalid Reference.", shown[1]);
    EXPECT_TRUE(static_cast<bool>(mine));
}

TEST(Notifier, SettingReturnsThePreviousSink) {
    int first = 0, second = 0;
    kinfold::MessageSink original = kinfold::SetMessageSink([&first](std::string_view) { ++first; });
    kinfold::MessageSink previous = kinfold::SetMessageSink([&second](std::string_view) { ++second; });
    kinfold::ShowMessage("x");
    previous("y");
    EXPECT_EQ(1, first);
    EXPECT_EQ(1, second);
    kinfold::SetMessageSink(original);
}

TEST(Notifier, DefaultWritesTheTextAndANewlineToStandardError) {
#ifdef _WIN32
    const char* mode = std::getenv("KINFOLD_MESSAGES");
    const std::string previous = mode ? mode : "";
    _putenv_s("KINFOLD_MESSAGES", "stderr");
#endif
    kinfold::MessageSink saved = kinfold::SetMessageSink(nullptr);
    testing::internal::CaptureStderr();
    kinfold::ShowMessage("ERROR: GEDCOM file is corrupt");
    const std::string written = testing::internal::GetCapturedStderr();
    kinfold::SetMessageSink(saved);
#ifdef _WIN32
    _putenv_s("KINFOLD_MESSAGES", previous.c_str());  // an empty value removes it
#endif
    EXPECT_EQ("ERROR: GEDCOM file is corrupt\n", written);
}

}  // namespace
