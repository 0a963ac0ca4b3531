#include "core/fixed_string.h"

#include <atomic>
#include <cstring>

namespace kinfold {

namespace detail {
std::atomic<int> compareCaseSwitch{1};
}  // namespace detail

namespace {

unsigned char FoldCase(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

}  // namespace

int detail::CompareFolded(std::string_view a, std::string_view b) {
    const size_t shorter = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < shorter; ++i) {
        const int da = FoldCase(static_cast<unsigned char>(a[i]));
        const int db = FoldCase(static_cast<unsigned char>(b[i]));
        if (da != db) return da - db;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

namespace {

int32_t Clamp(size_t size) {
    return size > static_cast<size_t>(kFixedStringCapacity) ? kFixedStringCapacity
                                                            : static_cast<int32_t>(size);
}

}  // namespace

int SetCompareCase(int value) {
    if (value != 0 && value != 1) return CompareCase();
    return detail::compareCaseSwitch.exchange(value, std::memory_order_relaxed);
}

std::string_view TrimText(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return detail::CompareFolded(a, b) == 0;
}

bool MatchPattern(std::string_view text, std::string_view pattern) {
    if (!pattern.empty() && pattern.front() == '*') {
        const std::string_view ending = pattern.substr(1);
        return text.size() >= ending.size() &&
               TextEquals(text.substr(text.size() - ending.size()), ending);
    }
    const std::string_view beginning = pattern.substr(0, pattern.find('*'));
    return text.size() >= beginning.size() &&
           TextEquals(text.substr(0, beginning.size()), beginning);
}

FixedString::FixedString(std::string_view text) : length_(Clamp(text.size())) {
    std::memcpy(buffer_, text.data(), static_cast<size_t>(length_));
    buffer_[length_] = '\0';
}

// Only the used part is copied: most texts are a few bytes of a 281-byte buffer.
FixedString::FixedString(const FixedString& other) : length_(other.length_) {
    std::memcpy(buffer_, other.buffer_, static_cast<size_t>(length_) + 1);
}

FixedString& FixedString::operator=(const FixedString& other) {
    length_ = other.length_;
    std::memmove(buffer_, other.buffer_, static_cast<size_t>(length_) + 1);
    return *this;
}

void FixedString::Clear() {
    length_ = 0;
    buffer_[0] = '\0';
}

void FixedString::Append(std::string_view text) {
    const int32_t room = kFixedStringCapacity - length_;
    const int32_t count =
        text.size() < static_cast<size_t>(room) ? static_cast<int32_t>(text.size()) : room;
    std::memcpy(buffer_ + length_, text.data(), static_cast<size_t>(count));
    length_ += count;
    buffer_[length_] = '\0';
}

void FixedString::Append(char c) {
    if (length_ + 1 >= kFixedStringCapacity) return;
    buffer_[length_++] = c;
    buffer_[length_] = '\0';
}

int32_t FixedString::Find(std::string_view sub, int32_t start) const {
    if (start < 0 || start >= length_ || sub.empty()) return -1;
    const size_t at = View().find(sub, static_cast<size_t>(start));
    return at == std::string_view::npos ? -1 : static_cast<int32_t>(at);
}

int32_t FixedString::FindLast(std::string_view sub) const {
    if (sub.empty()) return -1;
    const size_t at = View().rfind(sub);
    return at == std::string_view::npos ? -1 : static_cast<int32_t>(at);
}

FixedString FixedString::Left(int32_t count) const {
    if (count <= 0) return FixedString();
    return FixedString(View().substr(0, static_cast<size_t>(count)));
}

FixedString FixedString::Mid(int32_t start, int32_t count) const {
    if (start < 0 || start >= length_ || count <= 0) return FixedString();
    return FixedString(View().substr(static_cast<size_t>(start), static_cast<size_t>(count)));
}

FixedString FixedString::Right(int32_t count) const {
    if (count <= 0) return FixedString();
    if (count >= length_) return *this;
    return FixedString(View().substr(static_cast<size_t>(length_ - count)));
}

FixedString FixedString::Upper() const {
    FixedString result(*this);
    for (int32_t i = 0; i < result.length_; ++i) {
        const char c = result.buffer_[i];
        if (c >= 'a' && c <= 'z') result.buffer_[i] = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

FixedString FixedString::Lower() const {
    FixedString result(*this);
    for (int32_t i = 0; i < result.length_; ++i) {
        result.buffer_[i] =
            static_cast<char>(FoldCase(static_cast<unsigned char>(result.buffer_[i])));
    }
    return result;
}

void FixedString::ReplaceChar(char from, char to) {
    for (int32_t i = 0; i < length_; ++i) {
        if (buffer_[i] == from) buffer_[i] = to;
    }
}

void FixedString::Replace(std::string_view from, std::string_view to) {
    if (from.empty()) return;
    const std::string_view text = View();
    FixedString result;
    size_t done = 0;
    for (size_t at = text.find(from); at != std::string_view::npos; at = text.find(from, done)) {
        result.Append(text.substr(done, at - done));
        result.Append(to);
        done = at + from.size();
    }
    result.Append(text.substr(done));
    *this = result;
}

void FixedString::Trim() {
    const std::string_view kept = TrimText(View());
    length_ = static_cast<int32_t>(kept.size());
    std::memmove(buffer_, kept.data(), kept.size());
    buffer_[length_] = '\0';
}

}  // namespace kinfold
