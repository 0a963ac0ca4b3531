#ifndef _WIN32

#include "injection/fault_runner.h"

#include <cstdio>
#include <new>

namespace kinfold::test {
namespace {

// A collection: an object with an Item member.
bool IsList(const VARIANT& result) {
    if (result.vt != VT_DISPATCH || result.pdispVal == nullptr) return false;
    const DispatchInterface* iface = InterfaceOf(result.pdispVal);
    if (iface == nullptr) return false;
    for (const DispatchMember& member : *iface)
        if (std::string_view(member.name) == "Item") return true;
    return false;
}

}  // namespace

void Fault::Schedule(long nth) const {
    switch (kind) {
        case Allocation: fault::FailAllocation(nth); break;
        case ReadNothing: fault::FailRead(nth, fault::ReadFault::Nothing); break;
        case ReadHalf: fault::FailRead(nth, fault::ReadFault::Half); break;
    }
}

bool Fault::Happened() const {
    return kind == Allocation ? fault::AllocationFailed() : fault::ReadFailed();
}

HRESULT RecordingRunner::Run(const DispatchInterface&, const DispatchMember&,
                             const std::function<HRESULT(VARIANT*)>& call, VARIANT* result) {
    const HRESULT code = call(result);
    answers_.push_back(AnswerText(code, *result));
    return code;
}

HRESULT FaultRunner::Run(const DispatchInterface& iface, const DispatchMember& member,
                         const std::function<HRESULT(VARIANT*)>& call, VARIANT* result) {
    const std::string name = std::string(iface.name) + "." + member.name;
    for (long nth = 1;; ++nth) {
        VariantClear(result);
        fault_.Schedule(nth);
        HRESULT code;
        try {
            code = call(result);
        } catch (const std::bad_alloc&) {
            // What a host in C++ would see; any other host would crash.
            code = kBadAllocEscaped;
        }
        const bool happened = fault_.Happened();
        fault_.Cancel();
        if (happened) {
            ++injected_;
            char text[16];
            std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
            const bool partial = code == S_OK && next_ < reference_.size() &&
                                 AnswerText(code, *result) != reference_[next_];
            const char* kind = partial ? " (partial) -> " : IsList(*result) ? " (list) -> " : " -> ";
            ++failedAnswers_[name + kind + text];
            continue;
        }
        const std::string answer = AnswerText(code, *result);
        if (next_ >= reference_.size() || answer != reference_[next_])
            mismatches_.push_back(name + ": " + answer + " after " + std::to_string(nth - 1) +
                                  " faults, instead of " +
                                  (next_ < reference_.size() ? reference_[next_] : "no call"));
        ++next_;
        return code;
    }
}

}  // namespace kinfold::test

#endif  // _WIN32
