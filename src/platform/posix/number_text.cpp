// Numbers from and to text, as oleaut32 does it for VARIANT conversion:
// VarParseNumFromStr / VarNumFromParseNum with the standard flags, and the
// "%.15G" / "%.7G" formatting of reals. The quirks of the reference (digits
// summed in double arithmetic, the first stored digit deciding the rounding
// of integers, thousands separators accepted almost anywhere) are kept on
// purpose: both builds must give the same answers.
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>

#include "variant_internal.h"

namespace kinfold::platform {
namespace {

// US English number characters; the native layer has no other locale.
constexpr OLECHAR kDecimalPoint = u'.';
constexpr OLECHAR kThousands = u',';
constexpr OLECHAR kPlus = u'+';
constexpr OLECHAR kMinus = u'-';
constexpr OLECHAR kCurrency = u'$';

bool IsSpace(OLECHAR c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

bool IsDigit(OLECHAR c) { return c >= u'0' && c <= u'9'; }

int HexValue(OLECHAR c) {
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

struct Flags {
    bool leadingPlus = false, leadingMinus = false, currency = false, parens = false;
    bool decimal = false, exponent = false, processingExponent = false, negativeExponent = false;
    bool leadingZero = false, hex = false, octal = false, closed = false;
};

}  // namespace

HRESULT ParseNumber(const OLECHAR* p, ParsedNumber* number) {
    *number = ParsedNumber();
    if (!p) return DISP_E_TYPEMISMATCH;
    Flags f;
    // Leading blanks, signs, currency symbol and opening parenthesis, each sign once.
    for (;;) {
        if (IsSpace(*p)) {
            while (IsSpace(*p)) ++p;
        } else if (*p == kPlus && !f.leadingPlus) {
            f.leadingPlus = true, ++p;
        } else if (*p == kMinus && !f.leadingMinus) {
            f.leadingMinus = true, number->negative = true, ++p;
        } else if (*p == kCurrency && !f.currency) {
            f.currency = true, ++p;
        } else if (*p == u'(' && !f.parens) {
            f.parens = true, ++p;
        } else {
            break;
        }
    }
    if (p[0] == u'&' && (p[1] == u'H' || p[1] == u'h')) {
        f.hex = true, p += 2;
    } else if (p[0] == u'&' && (p[1] == u'O' || p[1] == u'o')) {
        f.octal = true, p += 2;
    }
    while (*p == u'0') f.leadingZero = true, ++p;

    int& count = number->digitCount;
    for (; *p; ++p) {
        if (IsDigit(*p) && f.processingExponent) {
            int exponent = 0;
            while (IsDigit(*p)) {
                if (exponent < 100000) exponent = exponent * 10 + (*p - u'0');
                ++p;
            }
            number->power10 += f.negativeExponent ? -exponent : exponent;
            f.processingExponent = false;
            --p;
        } else if (IsDigit(*p)) {
            if (f.octal && *p > u'7') break;
            if (count >= ParsedNumber::kMaxDigits) {
                if (!f.decimal) ++number->power10;  // a digit too many still counts
                continue;
            }
            if (f.decimal) --number->power10;
            number->digits[count++] = static_cast<uint8_t>(*p - u'0');
        } else if (*p == kThousands && (count > 0 || f.leadingZero)) {
            // Separators are not checked for position, only that digits came first.
        } else if (*p == kDecimalPoint && !f.decimal && !f.exponent && !f.hex && !f.octal) {
            f.decimal = true;
            if (count == 0) {
                while (p[1] == u'0') f.leadingZero = true, ++p, --number->power10;
            }
        } else if (f.hex && HexValue(*p) >= 0) {
            if (count >= ParsedNumber::kMaxDigits) return DISP_E_OVERFLOW;
            number->digits[count++] = static_cast<uint8_t>(HexValue(*p));
        } else if ((*p == u'e' || *p == u'E') && !f.exponent && !f.hex && !f.octal) {
            f.exponent = f.processingExponent = true;
        } else if (f.processingExponent && *p == kPlus) {
            // An explicit positive exponent sign changes nothing.
        } else if (f.processingExponent && *p == kMinus) {
            f.negativeExponent = true;
        } else {
            break;
        }
    }
    if (count == 0 && f.leadingZero) number->digits[count++] = 0;
    if (f.processingExponent) return DISP_E_TYPEMISMATCH;  // "1e", "1e+"
    if (f.hex || f.octal) {
        number->power10 = 0;
        number->baseShift = f.hex ? 4 : 3;
    } else {
        while (count > 1 && number->digits[count - 1] == 0) --count, ++number->power10;
    }
    // Trailing blanks, signs, currency symbol and the closing parenthesis.
    bool trailingPlus = false, trailingMinus = false;
    for (;;) {
        if (IsSpace(*p)) {
            while (IsSpace(*p)) ++p;
        } else if (*p == kPlus && !f.leadingPlus && !trailingPlus) {
            trailingPlus = true, ++p;
        } else if (*p == kMinus && !f.leadingMinus && !trailingMinus) {
            trailingMinus = true, number->negative = true, ++p;
        } else if (*p == u')' && f.parens && !f.closed) {
            f.closed = true, number->negative = true, ++p;
        } else if (*p == kCurrency) {
            ++p;
        } else {
            break;
        }
    }
    if (f.parens && !f.closed) return DISP_E_TYPEMISMATCH;
    if (*p) return DISP_E_TYPEMISMATCH;  // every character must be used
    if (count == 0) return DISP_E_TYPEMISMATCH;
    return S_OK;
}

namespace {

struct IntegerRange {
    uint64_t positiveMax;  // largest magnitude of a positive value
    uint64_t negativeMax;  // largest magnitude of a negative value (0: unsigned)
    int bits;
};

IntegerRange RangeOf(VARTYPE vt) {
    switch (vt) {
        case VT_I1: return {127, 128, 8};
        case VT_UI1: return {255, 0, 8};
        case VT_I2: return {32767, 32768, 16};
        case VT_UI2: return {65535, 0, 16};
        case VT_I4: case VT_INT: return {2147483647u, 2147483648u, 32};
        case VT_UI4: case VT_UINT: return {4294967295u, 0, 32};
        case VT_I8: return {INT64_MAX, uint64_t(INT64_MAX) + 1, 64};
        default: return {UINT64_MAX, 0, 64};
    }
}

void StoreInteger(VARTYPE vt, uint64_t bits, VARIANT* out) {
    switch (RangeOf(vt).bits) {
        case 8: out->bVal = static_cast<BYTE>(bits); break;
        case 16: out->uiVal = static_cast<USHORT>(bits); break;
        case 32: out->ulVal = static_cast<ULONG>(bits); break;
        default: out->ullVal = bits; break;
    }
}

HRESULT HexOctalTo(const ParsedNumber& n, VARTYPE vt, VARIANT* out) {
    uint64_t value = 0;
    for (int i = 0; i < n.digitCount; ++i) {
        // The reference's overflow test, slightly stricter than needed.
        if (value > (UINT64_MAX >> n.baseShift) - n.digits[i]) return DISP_E_OVERFLOW;
        value = (value << n.baseShift) + n.digits[i];
    }
    if (vt == VT_R4 || vt == VT_R8) {
        // Reals take the value as a signed 32-bit quantity, or its negation.
        const int64_t negated = static_cast<int64_t>(0 - value);
        double real;
        if (value <= INT32_MAX)
            real = static_cast<double>(value);
        else if (negated >= INT32_MIN)
            real = static_cast<double>(negated);
        else
            return DISP_E_OVERFLOW;
        if (vt == VT_R4) out->fltVal = static_cast<float>(real);
        else out->dblVal = real;
        return S_OK;
    }
    // Integers take the bit pattern when it fits the type's width.
    const IntegerRange range = RangeOf(vt);
    if (range.bits < 64 && value >= (uint64_t(1) << range.bits)) return DISP_E_OVERFLOW;
    StoreInteger(vt, value, out);
    return S_OK;
}

HRESULT DecimalToInteger(const ParsedNumber& n, VARTYPE vt, VARIANT* out) {
    int wholeDigits = n.digitCount + n.power10;
    int fractionDigits = 0;
    if (n.power10 < 0) {
        if (-n.power10 >= n.digitCount) wholeDigits = 0;
        fractionDigits = n.digitCount - wholeDigits;
    }
    const int scale = n.power10 > 0 ? n.power10 : 0;
    const int usedDigits = n.power10 > 0 ? n.digitCount : wholeDigits;
    uint64_t value = 0;
    for (int i = 0; i < usedDigits; ++i) {
        if (value > UINT64_MAX / 10 || (value == UINT64_MAX / 10 && n.digits[i] > UINT64_MAX % 10))
            return DISP_E_OVERFLOW;
        value = value * 10 + n.digits[i];
    }
    for (int i = 0; i < scale; ++i) {
        if (value > UINT64_MAX / 10) return DISP_E_OVERFLOW;
        value *= 10;
    }
    if (fractionDigits > 0) {
        // Only the first stored fraction digit is looked at, even when zeros
        // stood between it and the decimal point (so 0.06 rounds to 1).
        const uint8_t* fraction = n.digits + wholeDigits;
        bool up = fraction[0] > 5;
        if (fraction[0] == 5) {
            for (int i = 1; i < fractionDigits && !up; ++i) up = fraction[i] != 0;
            if (!up) up = (value & 1) != 0;  // a tie goes to the even neighbour
        }
        if (up) {
            if (value == UINT64_MAX) return DISP_E_OVERFLOW;
            ++value;
        }
    }
    const IntegerRange range = RangeOf(vt);
    if (n.negative && value != 0) {
        if (value > range.negativeMax) return DISP_E_OVERFLOW;
        StoreInteger(vt, 0 - value, out);
    } else {
        if (value > range.positiveMax) return DISP_E_OVERFLOW;
        StoreInteger(vt, value, out);
    }
    return S_OK;
}

// The reference's smallest magnitudes are the smallest denormals.
constexpr double kR8Min = 4.94065645841247e-324;
constexpr double kR4Min = 1.40129846e-45;

HRESULT DecimalToReal(const ParsedNumber& n, VARTYPE vt, VARIANT* out) {
    static const double kPowers[11] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};
    double whole = 0.0;
    for (int i = 0; i < n.digitCount; ++i) whole = whole * 10.0 + n.digits[i];
    int multiplier = n.power10 > 0 ? n.power10 : 0;
    int divisor = n.power10 < 0 ? -n.power10 : 0;
    while (multiplier > 0) {
        const int step = multiplier > 10 ? 10 : multiplier;
        if (whole > DBL_MAX / kPowers[step]) return DISP_E_OVERFLOW;
        whole *= kPowers[step];
        multiplier -= step;
    }
    while (divisor > 0) {
        const int step = divisor > 10 ? 10 : divisor;
        if (whole != 0 && whole < kR8Min * kPowers[step]) {
            whole = 0;  // underflow reads as zero
            break;
        }
        whole /= kPowers[step];
        divisor -= step;
    }
    const double value = n.negative ? -whole : whole;
    if (vt == VT_R8) {
        out->dblVal = value;
        return S_OK;
    }
    if (whole != 0 && (whole > FLT_MAX || whole < kR4Min)) return DISP_E_OVERFLOW;
    out->fltVal = static_cast<float>(value);
    return S_OK;
}

}  // namespace

HRESULT ParsedNumberTo(const ParsedNumber& number, VARTYPE vt, VARIANT* out) {
    if (number.baseShift) return HexOctalTo(number, vt, out);
    if (vt == VT_R4 || vt == VT_R8) return DecimalToReal(number, vt, out);
    return DecimalToInteger(number, vt, out);
}

BSTR FormatReal(double value, int precision) {
    char text[64];
    size_t length;
    if (std::isnan(value)) {
        std::strcpy(text, std::signbit(value) ? "-NAN(IND)" : "NAN");
        length = std::strlen(text);
    } else {
        const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, precision);
        length = static_cast<size_t>(result.ptr - text);
        for (size_t i = 0; i < length; ++i)
            if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
        // A negative zero is written as a plain zero.
        if (text[0] == '-' && std::strspn(text + 1, "0.") == length - 1) std::strcpy(text, "0"), length = 1;
    }
    OLECHAR wide[64];
    for (size_t i = 0; i < length; ++i) wide[i] = static_cast<OLECHAR>(text[i]);
    return SysAllocStringLen(wide, static_cast<UINT>(length));
}

}  // namespace kinfold::platform
