// The arguments of one IDispatch::Invoke call, laid out for a generated
// thunk: one VARIANT per parameter, in declaration order, each converted to
// its parameter's type.
#pragma once

#include <vector>

#include "platform/posix/dispatch_table.h"

namespace kinfold {

class DispatchArguments {
public:
    DispatchArguments() = default;
    DispatchArguments(const DispatchArguments&) = delete;
    DispatchArguments& operator=(const DispatchArguments&) = delete;
    ~DispatchArguments();

    // Maps the host's arguments (named ones first in rgvarg, positional ones
    // after them in reverse order) onto the member's parameters, fills in
    // omitted optional ones and converts each. On a conversion failure
    // *argErr receives the rgvarg index of the argument at fault.
    HRESULT Prepare(const DispatchMember& member, const DISPPARAMS& params, UINT* argErr);

    VARIANT* Values() { return values_.data(); }

private:
    void Clear();

    std::vector<VARIANT> values_;
};

}  // namespace kinfold
