// Bounded text with the comparison rules shared by IDs, store keys and tag
// searches. The comparisons follow one process-wide switch, which the
// assistant turns to case-insensitive for the length of a search.
//
// FixedString is the value type for scratch text (281 bytes, no heap). Code
// that keeps many texts (store keys, IDs of records) should keep them as
// compact std::strings cut with BoundText and compare them with
// CompareText/TextEquals/TextLess, which give exactly FixedString's results.
#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>

namespace kinfold {

// Longest text a FixedString holds; longer input is cut, never rejected.
constexpr int32_t kFixedStringCapacity = 280;

// Sets the comparison switch: 1 compares bytes, 0 ignores the case of ASCII
// letters. Other values leave it unchanged. Returns the value it had before.
int SetCompareCase(int value);

namespace detail {
// Relaxed is enough: the switch is a mode, not a message between threads.
extern std::atomic<int> compareCaseSwitch;
int CompareFolded(std::string_view a, std::string_view b);
}  // namespace detail

// The comparisons run for every line while loading and for every step of a
// store lookup, so the byte-wise path is inline.
inline int CompareCase() { return detail::compareCaseSwitch.load(std::memory_order_relaxed); }

// Sets the comparison switch for as long as it lives and puts the old value
// back when it goes, on every way out of the scope.
class CompareCaseScope {
   public:
    explicit CompareCaseScope(int value) : saved_(SetCompareCase(value)) {}
    ~CompareCaseScope() { SetCompareCase(saved_); }
    CompareCaseScope(const CompareCaseScope&) = delete;
    CompareCaseScope& operator=(const CompareCaseScope&) = delete;

   private:
    int saved_;
};

// Negative, zero or positive as `a` orders before, equal to or after `b`
// under the switch. Folding goes to lower case, so '_' sorts after letters.
inline int CompareText(std::string_view a, std::string_view b) {
    if (CompareCase() == 0) return detail::CompareFolded(a, b);
    return a.compare(b);
}
inline bool TextEquals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (CompareCase() == 0) return detail::CompareFolded(a, b) == 0;
    return a == b;
}

// `pattern` without a leading '*' matches a text that starts with the part
// before its first '*'; with a leading '*' it matches a text that ends with
// the rest. "*" alone matches everything. Obeys the switch.
bool MatchPattern(std::string_view text, std::string_view pattern);

// Whether `c` is one of the blanks TrimText takes off: space, tab, LF, VT,
// FF or CR.
inline bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// `text` without space, tab, LF, VT, FF and CR at either end.
std::string_view TrimText(std::string_view text);

// Whether `a` and `b` are the same but for the case of ASCII letters,
// whatever the switch says: for names the program itself defines (methods,
// pedigree words).
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The part of `text` a FixedString would keep.
inline std::string_view BoundText(std::string_view text) {
    return text.substr(0, static_cast<size_t>(kFixedStringCapacity));
}

// Ordering for containers keyed by compact strings; transparent, so a lookup
// by string_view needs no temporary key.
struct TextLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return CompareText(a, b) < 0; }
};

class FixedString {
 public:
    FixedString() { buffer_[0] = '\0'; }
    explicit FixedString(std::string_view text);
    FixedString(const FixedString& other);
    FixedString& operator=(const FixedString& other);

    int32_t Length() const { return length_; }
    bool Empty() const { return length_ == 0; }
    const char* CStr() const { return buffer_; }
    std::string_view View() const {
        return std::string_view(buffer_, static_cast<size_t>(length_));
    }

    void Clear();
    // Stops at kFixedStringCapacity characters in all.
    void Append(std::string_view text);
    // Ignored once the text is one short of the capacity: a single character
    // never fills the last place.
    void Append(char c);

    bool Match(std::string_view pattern) const { return MatchPattern(View(), pattern); }

    // Byte-exact searches; -1 when not found, when `start` lies outside the
    // text, and for an empty `sub`.
    int32_t Find(std::string_view sub, int32_t start = 0) const;
    int32_t FindLast(std::string_view sub) const;

    // Counts beyond the text take what there is; negative counts and starts
    // outside the text give the empty string.
    FixedString Left(int32_t count) const;
    FixedString Mid(int32_t start, int32_t count = kFixedStringCapacity) const;
    FixedString Right(int32_t count) const;

    // ASCII letters only: the bytes of the file carry no known character set.
    FixedString Upper() const;
    FixedString Lower() const;

    void ReplaceChar(char from, char to);
    // Replaces every occurrence, left to right; the result is cut at the capacity.
    void Replace(std::string_view from, std::string_view to);
    // In place, as TrimText.
    void Trim();

 private:
    char buffer_[kFixedStringCapacity + 1];
    int32_t length_ = 0;
};

inline bool operator==(const FixedString& a, const FixedString& b) {
    return TextEquals(a.View(), b.View());
}
inline bool operator!=(const FixedString& a, const FixedString& b) { return !(a == b); }
inline bool operator<(const FixedString& a, const FixedString& b) {
    return CompareText(a.View(), b.View()) < 0;
}
inline bool operator>(const FixedString& a, const FixedString& b) { return b < a; }
inline bool operator<=(const FixedString& a, const FixedString& b) { return !(b < a); }
inline bool operator>=(const FixedString& a, const FixedString& b) { return !(a < b); }
inline bool operator==(const FixedString& a, std::string_view b) { return TextEquals(a.View(), b); }
inline bool operator!=(const FixedString& a, std::string_view b) { return !(a == b); }

}  // namespace kinfold
