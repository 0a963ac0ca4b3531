// What loading and linking need of a progress display: a bar with a range, a
// position and a step, a line of text, a chance to handle user input between
// lines, and whether the user asked to cancel.
#pragma once

#include <cstdint>
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

// A display that shows nothing and is never cancelled.
class SilentProgress final : public Progress {
   public:
    void Show(std::string_view) override {}
    void SetRange(uint32_t, uint32_t) override {}
    void SetStep(uint32_t) override {}
    void SetPos(uint32_t) override {}
    void StepIt() override {}
    void SetText(std::string_view) override {}
    void PeekAndPump(bool) override {}
    bool Cancelled() const override { return false; }
    void Destroy() override {}
};

}  // namespace kinfold
