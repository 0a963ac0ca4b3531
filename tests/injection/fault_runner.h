// Runs every call of a walk again and again, failing the first, then the
// second, ... allocation or file read inside it, until one try gets through
// untouched. Each failed try must give an answer the rules allow, and the try
// that gets through must give what the same call gave in a walk without
// failures: a failure leaves nothing behind that changes a later answer.
#pragma once

#ifndef _WIN32

#include <map>
#include <string>
#include <vector>

#include "platform/fault_injection.h"
#include "support/member_walker.h"

namespace kinfold::test {

// The code a FaultRunner notes for a call that let std::bad_alloc out.
constexpr HRESULT kBadAllocEscaped = static_cast<HRESULT>(0xBADA110CL);

// The fault a runner injects: the nth allocation, or the nth read failing
// outright or coming back half full.
struct Fault {
    enum Kind { Allocation, ReadNothing, ReadHalf } kind;

    void Schedule(long nth) const;
    bool Happened() const;
    void Cancel() const { Schedule(0); }
};

// Records the answers of a walk without faults.
class RecordingRunner : public MemberWalker::CallRunner {
   public:
    HRESULT Run(const DispatchInterface& iface, const DispatchMember& member,
                const std::function<HRESULT(VARIANT*)>& call, VARIANT* result) override;
    const std::vector<std::string>& Answers() const { return answers_; }

   private:
    std::vector<std::string> answers_;
};

class FaultRunner : public MemberWalker::CallRunner {
   public:
    FaultRunner(Fault fault, const std::vector<std::string>& reference)
        : fault_(fault), reference_(reference) {}

    HRESULT Run(const DispatchInterface& iface, const DispatchMember& member,
                const std::function<HRESULT(VARIANT*)>& call, VARIANT* result) override;

    // Faults injected, and the answers they gave: "Interface.Member -> code"
    // and count; "(partial)" marks a success that answered less than in full,
    // "(list)" a success that is a collection.
    long Injected() const { return injected_; }
    const std::map<std::string, long>& FailedAnswers() const { return failedAnswers_; }
    // Calls whose try without a fault answered otherwise than the reference.
    const std::vector<std::string>& Mismatches() const { return mismatches_; }

   private:
    Fault fault_;
    const std::vector<std::string>& reference_;
    size_t next_ = 0;
    long injected_ = 0;
    std::map<std::string, long> failedAnswers_;
    std::vector<std::string> mismatches_;
};

}  // namespace kinfold::test

#endif  // _WIN32
