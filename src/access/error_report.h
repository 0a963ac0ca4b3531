// Reporting a message to an automation host: the text travels as the
// thread's error information and the member returns DISP_E_EXCEPTION, or a
// code of its own, which a script engine turns into a run-time error with
// that description.
#pragma once

#include <string_view>

#include "platform/automation.h"

namespace kinfold {

// `source` is the ProgID of the reporting object's class, or nullptr for the
// classes that have none (records, the assistant).
HRESULT ReportError(std::string_view message, const OLECHAR* source = nullptr);

// The same message returned with `failure` (E_INVALIDARG for an argument
// the member does not know, say) instead of DISP_E_EXCEPTION.
HRESULT ReportFailure(HRESULT failure, std::string_view message);

}  // namespace kinfold
