// The native progress display: one line on standard error, redrawn in place
// while a file loads, with a bar, the percentage and the loader's text. It
// writes nothing when standard error is not a terminal, so logs and pipes
// stay clean; CancelLoad stops the load either way.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/progress.h"

namespace kinfold {

class TerminalProgress final : public ProgressBar {
   public:
    // Draws on `out` in `width` columns; a null `out` draws nothing.
    TerminalProgress(std::FILE* out, size_t width) : out_(out), width_(width) {}
    ~TerminalProgress() override { Destroy(); }

    void Show(std::string_view caption) override;
    void SetPos(uint32_t position) override;
    void SetText(std::string_view text) override;
    void PeekAndPump(bool cancelOnEscape) override;
    bool Cancelled() const override { return cancelled_; }
    void Destroy() override;

   private:
    void Draw();

    std::FILE* out_;
    size_t width_;
    std::string caption_;
    std::string text_;
    bool shown_ = false;
    bool drawn_ = false;
    bool cancelled_ = false;
    uint32_t lastPercentage_ = 0;
};

// The line for a bar at `percentage` with its caption and text, cut to
// `width` columns: "Progress [#####-----]  50%  Linking Records...". Line
// breaks and runs of blanks in the text become one blank.
std::string ProgressLine(std::string_view caption, uint32_t percentage, std::string_view text,
                         size_t width);

}  // namespace kinfold
