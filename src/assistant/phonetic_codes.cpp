#include "assistant/phonetic_codes.h"

#include <algorithm>

#include "assistant/cologne_phonetics.h"
#include "assistant/daitch_mokotoff.h"
#include "assistant/latin_letters.h"
#include "assistant/soundex.h"
#include "core/fixed_string.h"
#include "platform/text.h"

namespace kinfold {
namespace {

std::vector<std::string> OneCode(std::string code) {
    if (code.empty()) return {};
    return {std::move(code)};
}

// Daitch-Mokotoff or Cologne codes of the letters LatinLetters gives.
std::vector<std::string> LetterCodes(const std::string& letters, PhoneticMethod method) {
    if (method == PhoneticMethod::DaitchMokotoff) return DaitchMokotoffCodes(letters);
    return OneCode(CologneCode(letters));
}

}  // namespace

bool FindPhoneticMethod(std::string_view name, PhoneticMethod* method) {
    const struct {
        std::string_view name;
        PhoneticMethod method;
    } kMethods[] = {{"", PhoneticMethod::Soundex},
                    {"soundex", PhoneticMethod::Soundex},
                    {"dm", PhoneticMethod::DaitchMokotoff},
                    {"cologne", PhoneticMethod::Cologne}};
    for (const auto& known : kMethods) {
        if (!EqualsIgnoringAsciiCase(name, known.name)) continue;
        *method = known.method;
        return true;
    }
    return false;
}

// A BSTR ends at its first zero unit here, as BstrToText reads it.
std::vector<std::string> HostNameCodes(const OLECHAR* name, PhoneticMethod method) {
    if (method == PhoneticMethod::Soundex) return OneCode(SoundexCode(BstrToText(name)));
    const auto* units = reinterpret_cast<const char16_t*>(name);
    return LetterCodes(
        LatinLetters(units != nullptr ? std::u16string_view(units) : std::u16string_view()),
        method);
}

std::vector<std::string> FileNameCodes(std::string_view name, TextEncoding encoding,
                                       PhoneticMethod method) {
    if (method == PhoneticMethod::Soundex) return OneCode(SoundexCode(name));
    if (encoding == TextEncoding::Bytes) return LetterCodes(LatinLetters(name), method);
    return LetterCodes(LatinLetters(DecodeText(encoding, name)), method);
}

bool ShareACode(const std::vector<std::string>& some, const std::vector<std::string>& others) {
    return std::any_of(some.begin(), some.end(), [&](const std::string& code) {
        return std::find(others.begin(), others.end(), code) != others.end();
    });
}

}  // namespace kinfold
