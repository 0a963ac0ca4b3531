// Shared pieces of the native VARIANT conversion. Everything here mirrors
// the reference implementation (Wine's oleaut32) step by step, because the
// test suites compare the two builds value for value.
#pragma once

#include <cstdint>

#include "oleauto.h"

namespace kinfold::platform {

// DISP_E_BADVARTYPE unless `vt` names a type a VARIANT may hold.
HRESULT ValidateVarType(VARTYPE vt);

// Bytes one value of `vt` takes in an array or behind a reference; 0 for
// types that have no such storage (VT_EMPTY, VT_NULL, ...).
ULONG ElementSize(VARTYPE vt);

// Converts a VARIANT that is neither by reference nor an array into `dest`
// (VT_EMPTY on entry). `dest->vt` is set by the caller on success.
HRESULT Coerce(VARIANT* dest, LCID lcid, USHORT flags, const VARIANT* src, VARTYPE vt);

// A number as read from text: decimal (or hex/octal) digits, a power of ten
// and flags, as VarParseNumFromStr reports it.
struct ParsedNumber {
    static constexpr int kMaxDigits = 1024;
    int digitCount = 0;
    int power10 = 0;
    int baseShift = 0;  // 4 for &H, 3 for &O, 0 for decimal
    bool negative = false;
    uint8_t digits[kMaxDigits];
};

// Reads `text` with the standard flags (blanks, signs, parentheses, currency,
// thousands separators, decimal point, exponent, &H/&O) in US English
// conventions. DISP_E_TYPEMISMATCH when the text is not a number.
HRESULT ParseNumber(const OLECHAR* text, ParsedNumber* number);

// Stores the parsed number as `vt` (an integer type, VT_R4 or VT_R8) in
// `out`'s value; DISP_E_OVERFLOW when it does not fit.
HRESULT ParsedNumberTo(const ParsedNumber& number, VARTYPE vt, VARIANT* out);

// Text of a real number with `precision` significant digits, as oleaut32
// writes it ("2.5", "1E+15", "NAN"); nullptr when allocation fails.
BSTR FormatReal(double value, int precision);

}  // namespace kinfold::platform
