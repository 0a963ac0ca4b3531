// The message notifier: a sink can be installed and restored; the default
// writes the text and a newline to standard error (on Windows when
// KINFOLD_MESSAGES=stderr). The native progress display: the line it draws,
// when it redraws, and how a host's cancel request reaches the loader.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/notifier.h"
#ifndef _WIN32
#include "platform/posix/load_cancel.h"
#include "platform/posix/terminal_progress.h"
#endif

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

#ifndef _WIN32
namespace kinfold::test {
namespace {

TEST(ProgressLineTest, DrawsBarPercentageAndText) {
    const struct {
        const char* caption;
        uint32_t percentage;
        const char* text;
        size_t width;
        const char* expected;
    } cases[] = {
        {"Opening Database...", 0, "", 80, "Opening Database... [--------------------]   0%"},
        {"Progress", 37, "Linking Records...", 80,
         "Progress [#######-------------]  37%  Linking Records..."},
        {"Progress", 100, "", 80, "Progress [####################] 100%"},
        // The loader's text has line feeds and an indent before the path.
        {"Progress", 5, "Loading GEDCOM File:\n\n     /tmp/a.ged", 80,
         "Progress [#-------------------]   5%  Loading GEDCOM File: /tmp/a.ged"},
        {"Progress", 50, "Linking Records...", 20, "Progress [##########"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgressLine(c.caption, c.percentage, c.text, c.width), c.expected) << c.text;
}

TEST(ProgressPercentageTest, FollowsTheRange) {
    EXPECT_EQ(ProgressPercentage(50, 0, 200), 25u);
    EXPECT_EQ(ProgressPercentage(199, 0, 200), 99u);
    // An empty or reversed range shows 0 % throughout.
    EXPECT_EQ(ProgressPercentage(50, 100, 100), 0u);
    EXPECT_EQ(ProgressPercentage(50, 100, 10), 0u);
    // Positions of files near 4 GB do not overflow.
    EXPECT_EQ(ProgressPercentage(4000000000u, 0, 4000000000u), 100u);
}

// Everything the display wrote, with each redraw's "\r\033[K" shown as '|'.
std::string Written(std::FILE* file) {
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;) text.push_back(static_cast<char>(c));
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 4, "\r\033[K") == 0) {
            shown.push_back('|');
            i += 3;
        } else {
            shown.push_back(text[i]);
        }
    }
    return shown;
}

TEST(TerminalProgressTest, RedrawsOnlyWhenThePercentageOrTextChanges) {
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    {
        TerminalProgress progress(out, 60);
        progress.SetText("hidden until shown");
        progress.Show("Opening");
        progress.SetRange(0, 200);
        progress.SetPos(1);  // still 0 %
        progress.SetPos(4);  // 2 %
        progress.StepIt();   // still 2 %
        progress.SetText("Linking");
    }  // the destructor clears the line
    EXPECT_EQ(Written(out),
              "|Opening [--------------------]   0%  hidden until shown"
              "|Progress [--------------------]   2%  hidden until shown"
              "|Progress [--------------------]   2%  Linking|");
    std::fclose(out);
}

TEST(TerminalProgressTest, CancelRequestsCountOnlyWhileALoadRuns) {
    TerminalProgress progress(nullptr, 0);
    CancelLoad();  // before the load: forgotten when it starts
    progress.Show("Opening");
    progress.PeekAndPump(true);
    EXPECT_FALSE(progress.Cancelled());
    CancelLoad();
    EXPECT_FALSE(progress.Cancelled()) << "seen only when the loader pumps";
    progress.PeekAndPump(true);
    EXPECT_TRUE(progress.Cancelled());
}

}  // namespace
}  // namespace kinfold::test
#endif
