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

// The platform's display for one load; nullptr when memory runs out.
std::unique_ptr<Progress> CreateProgressDisplay();

}  // namespace kinfold
