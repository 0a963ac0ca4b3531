#include "access/value_list.h"

#include "access/file_text.h"

namespace kinfold {

ValueList::~ValueList() {
    for (VARIANT& value : values_) VariantClear(&value);
}

bool ValueList::Append(std::string_view text) {
    VARIANT value;
    VariantInit(&value);
    V_BSTR(&value) = AllocFileBstr(encoding_, text);
    if (V_BSTR(&value) == nullptr) return false;
    V_VT(&value) = VT_BSTR;
    try {
        values_.push_back(value);
    } catch (...) {
        VariantClear(&value);
        return false;
    }
    return true;
}

}  // namespace kinfold
