// What loading and linking need of a progress display: a bar with a range, a
// position and a step, a line of text, a chance to handle user input between
// lines, and whether the user asked to cancel. Each platform supplies its own
// display: Windows a progress window with a Cancel button, natively a
// one-line bar on standard error.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace kinfold {

class Progress {
   public:
    virtual ~Progress() = default;
    virtual void Show(std::string_view caption) = 0;
    virtual void SetRange(uint32_t low, uint32_t high) = 0;
    virtual void SetStep(uint32_t step) = 0;
    virtual void SetPos(uint32_t position) = 0;
    virtual void StepIt() = 0;
    virtual void SetText(std::string_view text) = 0;
    virtual void PeekAndPump(bool cancelOnEscape) = 0;
    virtual bool Cancelled() const = 0;
    virtual void Destroy() = 0;
};

// The percentage a bar at `position` shows: position * 100 / (high - low),
// or 0 when the range is empty or reversed.
inline uint32_t ProgressPercentage(uint32_t position, uint32_t low, uint32_t high) {
    if (high <= low) return 0;
    return static_cast<uint32_t>(uint64_t{position} * 100 / (high - low));
}

// The range, position and step that every display keeps the same way.
class ProgressBar : public Progress {
   public:
    void SetRange(uint32_t low, uint32_t high) override {
        low_ = low;
        high_ = high;
    }
    void SetStep(uint32_t step) override { step_ = step; }
    void StepIt() override { SetPos(position_ + step_); }

   protected:
    uint32_t Percentage() const { return ProgressPercentage(position_, low_, high_); }

    uint32_t low_ = 0;
    uint32_t high_ = 100;
    uint32_t position_ = 0;
    uint32_t step_ = 1;
};

// Shows a position on a display every 200th of the range, not at every
// step: each showing costs system calls (under Wine, round trips to its
// server), far too many to make for every line or record of a large file.
class ProgressMarks {
   public:
    ProgressMarks() = default;
    // `window` may be null: nothing is shown then.
    ProgressMarks(Progress* window, uint32_t range) : window_(window), step_(range / 200) {}

    // Shows `position` once it is past the next mark; false when the user
    // has cancelled.
    bool Reach(uint32_t position) {
        if (window_ == nullptr || position <= next_) return true;
        window_->SetPos(position);
        window_->PeekAndPump(true);
        if (window_->Cancelled()) return false;
        next_ = int64_t{position} + step_;
        return true;
    }

   private:
    Progress* window_ = nullptr;
    uint32_t step_ = 0;
    int64_t next_ = 0;
};

// The platform's display for one load; nullptr when memory runs out.
std::unique_ptr<Progress> CreateProgressDisplay();

}  // namespace kinfold
