// The strings of a GDList (telephone numbers, e-mail addresses, the texts of
// a source's data). They are copied out of the file when the list is made,
// so the list stands alone: each is kept as the string VARIANT that Item and
// the enumerator hand out copies of.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/automation.h"

namespace kinfold {

class ValueList {
   public:
    ValueList() = default;
    ValueList(const ValueList&) = delete;
    ValueList& operator=(const ValueList&) = delete;
    ~ValueList();

    // False when memory runs out; the list is then unchanged.
    bool Append(std::string_view text);

    size_t Size() const { return values_.size(); }
    const VARIANT& At(size_t index) const { return values_[index]; }

   private:
    std::vector<VARIANT> values_;
};

}  // namespace kinfold
