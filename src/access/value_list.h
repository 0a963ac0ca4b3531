// The strings of a GDList (telephone numbers, e-mail addresses, the texts of
// a source's data). They are copied out of the file when the list is made,
// so the list stands alone: each is kept as the string VARIANT that Item and
// the enumerator hand out copies of, decoded as the file they come from.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "core/text_encoding.h"
#include "platform/automation.h"

namespace kinfold {

class ValueList {
   public:
    explicit ValueList(TextEncoding encoding = TextEncoding::Bytes) : encoding_(encoding) {}
    ValueList(const ValueList&) = delete;
    ValueList& operator=(const ValueList&) = delete;
    ~ValueList();

    // False when memory runs out; the list is then unchanged.
    bool Append(std::string_view text);

    size_t Size() const { return values_.size(); }
    const VARIANT& At(size_t index) const { return values_[index]; }

   private:
    TextEncoding encoding_;
    std::vector<VARIANT> values_;
};

}  // namespace kinfold
