#include "core/footnote_format.h"

namespace kinfold {
namespace {

constexpr std::string_view kCodes = "%.CNRacfnprt";

// 0, 1, 2 for the block codes R, C, N; kNoEnd for the others.
size_t BlockIndex(char code) {
    switch (code) {
        case 'R':
            return 0;
        case 'C':
            return 1;
        case 'N':
            return 2;
        default:
            return FootnoteFormat::kNoEnd;
    }
}

}  // namespace

void FootnoteFormat::Compile(std::string_view format) {
    std::vector<Token> tokens;
    std::string pending;
    const size_t length = format.size();
    size_t p = 0;
    for (;;) {
        size_t i = format.find('%', p);
        if (i == std::string_view::npos) i = length;
        pending.append(format.substr(p, i - p));
        const bool hasCode = length != 0 && i < length - 1;
        const char code = hasCode ? format[i + 1] : 0;
        p = hasCode ? i + 2 : i + 1;
        if (hasCode && kCodes.find(code) != std::string_view::npos) {
            if (!pending.empty()) tokens.push_back(Token{0, std::move(pending), kNoEnd});
            pending.clear();
            tokens.push_back(Token{code, std::string(), kNoEnd});
        } else if (hasCode) {
            pending.push_back(code);
        }
        if (i >= length) {
            if (!pending.empty()) tokens.push_back(Token{0, std::move(pending), kNoEnd});
            break;
        }
    }
    // A block runs to the last later occurrence of its code.
    size_t last[3] = {kNoEnd, kNoEnd, kNoEnd};
    for (size_t k = tokens.size(); k-- > 0;) {
        const size_t block = BlockIndex(tokens[k].code);
        if (block == kNoEnd) continue;
        tokens[k].blockEnd = last[block];
        if (last[block] == kNoEnd) last[block] = k;
    }
    text_.assign(format.data(), format.size());
    tokens_.swap(tokens);
}

}  // namespace kinfold
