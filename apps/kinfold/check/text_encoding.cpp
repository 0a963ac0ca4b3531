#include "check/text_encoding.h"

#include <cstdio>

namespace kinfold::cli {

namespace {

enum class RuleKind { Utf8, SingleByte, Utf16 };

struct ByteRange {
    unsigned char first;
    unsigned char last;
};

// The first byte of a UTF-8 character: how many continuation bytes follow and
// the range of the first of them (which rules out overlong forms, surrogates
// and code points past U+10FFFF). Bytes in no row are never first bytes.
struct LeadByte {
    ByteRange lead;
    int continuations;
    ByteRange next;
};

const LeadByte kLeadBytes[] = {
    {{0xC2, 0xDF}, 1, {0x80, 0xBF}}, {{0xE0, 0xE0}, 2, {0xA0, 0xBF}},
    {{0xE1, 0xEC}, 2, {0x80, 0xBF}}, {{0xED, 0xED}, 2, {0x80, 0x9F}},
    {{0xEE, 0xEF}, 2, {0x80, 0xBF}}, {{0xF0, 0xF0}, 3, {0x90, 0xBF}},
    {{0xF1, 0xF3}, 3, {0x80, 0xBF}}, {{0xF4, 0xF4}, 3, {0x80, 0x8F}},
};

// ANSEL's bytes above ASCII that stand for nothing. It defines 0xA1-0xC8 but
// for 0xAF and 0xBB (GEDCOM adds 0xBE and 0xBF, the boxes), GEDCOM's
// 0xCD-0xCF, and the combining marks 0xE0-0xFB and 0xFE.
const ByteRange kAnselUndefined[] = {{0x80, 0xA0}, {0xAF, 0xAF}, {0xBB, 0xBB}, {0xC9, 0xCC},
                                     {0xD0, 0xDF}, {0xFC, 0xFD}, {0xFF, 0xFF}};
const ByteRange kAsciiUndefined[] = {{0x80, 0xFF}};
// Windows-1252 leaves five bytes unassigned.
const ByteRange kAnsiUndefined[] = {{0x81, 0x81}, {0x8D, 0x8D}, {0x8F, 0x90}, {0x9D, 0x9D}};

bool InRange(unsigned char byte, ByteRange range) {
    return byte >= range.first && byte <= range.last;
}

std::string ByteText(unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof(text), "0x%02X", byte);
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
        if (x != b[i]) return false;
    }
    return true;
}

template <size_t N>
constexpr size_t CountOf(const ByteRange (&)[N]) {
    return N;
}

}  // namespace

struct CharsetRule {
    const char* name;
    RuleKind kind;
    const ByteRange* undefined;
    size_t undefinedCount;
};

namespace {

const CharsetRule kRules[] = {
    {"UTF-8", RuleKind::Utf8, nullptr, 0},
    {"ASCII", RuleKind::SingleByte, kAsciiUndefined, CountOf(kAsciiUndefined)},
    {"ANSEL", RuleKind::SingleByte, kAnselUndefined, CountOf(kAnselUndefined)},
    {"ANSI", RuleKind::SingleByte, kAnsiUndefined, CountOf(kAnsiUndefined)},
    {"UNICODE", RuleKind::Utf16, nullptr, 0},
};

}  // namespace

TextEncoding::TextEncoding() : rule_(&kRules[0]) {}

bool TextEncoding::Declare(std::string_view charset) {
    for (const CharsetRule& rule : kRules)
        if (SameName(charset, rule.name)) {
            rule_ = &rule;
            return true;
        }
    rule_ = nullptr;
    return false;
}

bool TextEncoding::DeclaresUtf16() const {
    return rule_ != nullptr && rule_->kind == RuleKind::Utf16;
}

std::string TextEncoding::Check(std::string_view text, bool continues) {
    if (rule_ == nullptr || rule_->kind == RuleKind::Utf16) return "";
    if (rule_->kind == RuleKind::SingleByte) {
        for (unsigned char byte : text)
            for (size_t i = 0; i < rule_->undefinedCount; ++i)
                if (InRange(byte, rule_->undefined[i]))
                    return "byte " + ByteText(byte) + " is not defined in " + rule_->name;
        return "";
    }
    if (!continues) due_ = 0;
    std::string problem;
    for (unsigned char byte : text) {
        if (!problem.empty()) break;
        if (due_ > 0) {
            if (!InRange(byte, {low_, high_})) {
                // The byte that began the sequence is the one to blame: "Ren\xE9 " is
                // Windows-1252 text, not a bad blank.
                problem = "invalid UTF-8: byte " + ByteText(lead_) +
                          " begins a character that the byte after it (" + ByteText(byte) +
                          ") does not continue";
                due_ = 0;
            } else {
                --due_;
                low_ = 0x80;
                high_ = 0xBF;
            }
            continue;
        }
        if (byte < 0x80) continue;
        for (const LeadByte& lead : kLeadBytes)
            if (InRange(byte, lead.lead)) {
                lead_ = byte;
                due_ = lead.continuations;
                low_ = lead.next.first;
                high_ = lead.next.last;
            }
        if (due_ == 0)
            problem = "invalid UTF-8: byte " + ByteText(byte) + " cannot begin a character";
    }
    return problem;
}

std::string TextEncoding::Finish() {
    if (due_ == 0) return "";
    due_ = 0;
    low_ = 0x80;
    high_ = 0xBF;
    return "invalid UTF-8: byte " + ByteText(lead_) +
           " begins a character that the text ends before finishing";
}

}  // namespace kinfold::cli
