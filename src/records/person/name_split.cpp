#include "records/person/name_split.h"

#include <algorithm>

namespace kinfold {
namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}

// `a` and `b` are the positions of the two slashes around the surname (`b`
// may be the end of the value). A slash touching a word on its outer side
// stands for a word break ("John/Smith/", "/Smith/Jr"); otherwise the blanks
// already there do, and the slashes just go.
std::string DisplayForm(std::string_view value, size_t a, size_t b) {
    std::string full(value);
    const bool gluedBefore = a > 0 && value[a - 1] != ' ';
    const bool gluedAfter = b + 1 < value.size() && value[b + 1] != ' ';
    if (gluedBefore || gluedAfter)
        std::replace(full.begin(), full.end(), '/', ' ');
    else
        full.erase(std::remove(full.begin(), full.end(), '/'), full.end());
    return std::string(Trim(full));
}

}  // namespace

NameSplit SplitName(std::string_view value) {
    const size_t a = value.find('/');
    if (a == std::string_view::npos) {
        const std::string whole(Trim(value));
        return {whole, std::string(), whole};
    }
    const size_t second = value.find('/', a + 1);
    const size_t b = second == std::string_view::npos ? value.size() : second;
    return {std::string(Trim(value.substr(0, a))),
            std::string(Trim(value.substr(a + 1, b - a - 1))), DisplayForm(value, a, b)};
}

}  // namespace kinfold
