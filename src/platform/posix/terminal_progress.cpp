#include "platform/posix/terminal_progress.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <atomic>
#include <new>

#include "platform/posix/load_cancel.h"

namespace kinfold {
namespace {

// A lock-free flag is all a signal handler may touch.
std::atomic<bool> cancelRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

constexpr size_t kBarWidth = 20;
constexpr std::string_view kTitle = "Progress";

// Columns of the terminal on standard error, less one so that a full line
// never wraps; 0 when standard error is not a terminal.
size_t TerminalColumns() {
    if (!isatty(STDERR_FILENO)) return 0;
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 1) return size.ws_col - 1;
    return 79;
}

void AppendCollapsed(std::string& line, std::string_view text) {
    bool blank = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            blank = true;
            continue;
        }
        if (blank && !line.empty() && line.back() != ' ') line.push_back(' ');
        blank = false;
        line.push_back(c);
    }
}

}  // namespace

void CancelLoad() { cancelRequested.store(true); }

std::string ProgressLine(std::string_view caption, uint32_t percentage, std::string_view text,
                         size_t width) {
    const size_t filled = percentage >= 100 ? kBarWidth : percentage * kBarWidth / 100;
    std::string line(caption);
    line.append(" [").append(filled, '#').append(kBarWidth - filled, '-').append("] ");
    const std::string number = std::to_string(percentage);
    line.append(number.size() < 3 ? 3 - number.size() : 0, ' ').append(number).append("%  ");
    AppendCollapsed(line, text);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    if (line.size() > width) line.resize(width);
    return line;
}

void TerminalProgress::Show(std::string_view caption) {
    cancelRequested.store(false);
    caption_.assign(caption);
    shown_ = true;
    Draw();
}

// The caption keeps the text given to Show until the bar first moves off
// 0 %, then shows the title, as the Windows window does.
void TerminalProgress::SetPos(uint32_t position) {
    position_ = position;
    const uint32_t percentage = Percentage();
    if (percentage == lastPercentage_) return;
    lastPercentage_ = percentage;
    caption_.assign(kTitle);
    Draw();
}

void TerminalProgress::SetText(std::string_view text) {
    text_.assign(text);
    Draw();
}

void TerminalProgress::PeekAndPump(bool) {
    if (cancelRequested.load()) cancelled_ = true;
}

void TerminalProgress::Destroy() {
    if (drawn_) {
        std::fputs("\r\033[K", out_);
        std::fflush(out_);
    }
    drawn_ = false;
    shown_ = false;
}

void TerminalProgress::Draw() {
    if (out_ == nullptr || !shown_) return;
    std::fputs("\r\033[K", out_);
    std::fputs(ProgressLine(caption_, lastPercentage_, text_, width_).c_str(), out_);
    std::fflush(out_);
    drawn_ = true;
}

std::unique_ptr<Progress> CreateProgressDisplay() {
    const size_t columns = TerminalColumns();
    return std::unique_ptr<Progress>(
        new (std::nothrow) TerminalProgress(columns > 0 ? stderr : nullptr, columns));
}

}  // namespace kinfold
