#include "core/gedcom_reader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/gedcom_line.h"

namespace kinfold {

namespace {

// A seek away from the window refills a small block, since a record member
// reads only a few lines; sequential reading doubles the block up to the
// maximum, which keeps system calls rare during a load.
constexpr size_t kSmallFill = 512;
constexpr size_t kLargeFill = 256 * 1024;

// Levels compared as unsigned numbers, so "all ones" is a skip level that
// no line exceeds.
constexpr uint32_t kNoSkip = 0xFFFFFFFFu;

// Index of the first LF or NUL in `text`, or `size`. Eight bytes at a time:
// a word holds one of the two bytes when it, or its XOR with LFs, has a zero
// byte; the exact place is then found byte by byte.
size_t LineTextLength(const char* text, size_t size) {
    constexpr uint64_t kOnes = 0x0101010101010101u;
    constexpr uint64_t kHighs = 0x8080808080808080u;
    constexpr uint64_t kLineFeeds = kOnes * '\n';
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t word;
        std::memcpy(&word, text + i, 8);
        const uint64_t feeds = word ^ kLineFeeds;
        if (((word - kOnes) & ~word & kHighs) | ((feeds - kOnes) & ~feeds & kHighs)) break;
    }
    while (i < size && text[i] != '\n' && text[i] != '\0') ++i;
    return i;
}

uint32_t AsUnsigned(int16_t level) { return static_cast<uint32_t>(static_cast<int32_t>(level)); }

}  // namespace

GedcomReader::GedcomReader() : window_(new char[kLargeFill]) {}

GedcomReader::~GedcomReader() = default;

HRESULT GedcomReader::Open(std::string_view path) {
    position_ = 0;
    length_ = 0;
    fileName_.assign(path.data(), path.size());
    file_.Close();
    image_.clear();
    image_.shrink_to_fit();
    useImage_ = false;
    encoding_ = TextEncoding::Bytes;
    windowStart_ = 0;
    windowLength_ = 0;
    lastFill_ = 0;
    windowAtEnd_ = false;
    if (path.empty()) return E_FAIL;
    if (!file_.Open(path)) {
        fileName_.clear();
        return E_FAIL;
    }
    if (file_.Size() > static_cast<uint64_t>(INT32_MAX)) {
        file_.Close();
        fileName_.clear();
        return kFileTooLarge;
    }
    length_ = static_cast<uint32_t>(file_.Size());
    return S_OK;
}

HRESULT GedcomReader::Seek(uint32_t position) {
    if (!file_.IsOpen()) return E_FAIL;
    position_ = position;
    // A record's members read lines close to each other (an event's date,
    // then its place), so a seek inside the window keeps it and costs no
    // system call. Elsewhere the window is dropped and refilled small; so is
    // a window whose read came up short before the end of the file, since
    // that read failed rather than met the end, and may succeed now.
    const bool failedShort = windowAtEnd_ && windowStart_ + windowLength_ < length_;
    if (failedShort || position < windowStart_ || position >= windowStart_ + windowLength_) {
        windowLength_ = 0;
        windowAtEnd_ = false;
        lastFill_ = 0;
    }
    return S_OK;
}

void GedcomReader::Refill() {
    const bool continues = position_ >= windowStart_ && position_ <= windowStart_ + windowLength_;
    const size_t size = continues && lastFill_ != 0
                            ? (lastFill_ * 2 < kLargeFill ? lastFill_ * 2 : kLargeFill)
                            : kSmallFill;
    windowStart_ = position_;
    windowLength_ = ReadAt(position_, window_.get(), size);
    windowAtEnd_ = windowLength_ < size;
    lastFill_ = size;
}

size_t GedcomReader::ReadAt(uint64_t offset, char* buffer, size_t count) {
    if (!useImage_) return file_.ReadAt(offset, buffer, count);
    if (offset >= image_.size()) return 0;
    const size_t n = std::min(count, static_cast<size_t>(image_.size() - offset));
    std::memcpy(buffer, image_.data() + offset, n);
    return n;
}

std::string GedcomReader::ReadAll() {
    std::string bytes(length_, '\0');
    bytes.resize(file_.IsOpen() ? file_.ReadAt(0, bytes.data(), bytes.size()) : 0);
    return bytes;
}

void GedcomReader::UseImage(std::string image) {
    image_ = std::move(image);
    useImage_ = true;
    length_ = static_cast<uint32_t>(std::min<size_t>(image_.size(), INT32_MAX));
    position_ = 0;
    windowStart_ = 0;
    windowLength_ = 0;
    lastFill_ = 0;
    windowAtEnd_ = false;
}

bool GedcomReader::ReadLine(GedcomLine& line) {
    bool blank = false;
    return ReadPhysicalLine(line, blank);
}

bool GedcomReader::ReadContentLine(GedcomLine& line) {
    bool blank = true;
    while (blank) {
        if (!ReadPhysicalLine(line, blank)) return false;
    }
    return true;
}

bool GedcomReader::ReadPhysicalLine(GedcomLine& line, bool& blank) {
    if (!file_.IsOpen()) return false;
    const bool inWindow = position_ >= windowStart_ && position_ <= windowStart_ + windowLength_;
    size_t available = inWindow ? static_cast<size_t>(windowStart_ + windowLength_ - position_) : 0;
    if (!inWindow || (available < kMaxLineBytes && !windowAtEnd_)) {
        Refill();
        available = windowLength_;
    }
    if (available == 0) return false;

    const char* begin = window_.get() + (position_ - windowStart_);
    const size_t scan = available < kMaxLineBytes ? available : kMaxLineBytes;

    // The line is a C string to the code that splits it, so a NUL byte ends
    // its text there; the bytes after it up to the line end are consumed but
    // dropped, and the position still advances over every byte read, so later
    // positions stay true file offsets.
    const size_t length = LineTextLength(begin, scan);
    size_t consumed = length;
    if (consumed < scan && begin[consumed] == '\0') {
        const void* feed = std::memchr(begin + consumed, '\n', scan - consumed);
        consumed = feed ? static_cast<size_t>(static_cast<const char*>(feed) - begin) : scan;
    }
    lastLineCut_ = consumed == kMaxLineBytes;  // no line feed in reach
    if (consumed < scan) ++consumed;  // the line feed

    const int32_t linePosition = static_cast<int32_t>(position_);
    position_ += static_cast<uint32_t>(consumed);
    blank = !line.Parse(std::string_view(begin, length), linePosition);
    return true;
}

std::string GedcomReader::ReadTextValue(int32_t position, bool concatenateWithSpace) {
    GedcomLine line;
    Seek(static_cast<uint32_t>(position));
    if (!ReadContentLine(line)) return std::string(kUnexpectedEndOfFile);

    std::string text(line.Value());
    const int16_t baseLevel = line.Level();
    uint32_t skipLevel = kNoSkip;
    while (ReadContentLine(line) && line.Level() > baseLevel) {
        if (AsUnsigned(line.Level()) > skipLevel) continue;
        // Exact tests: the continuation tags are never subject to the case switch.
        if (line.Tag() == "CONC") {
            skipLevel = kNoSkip;
            if (concatenateWithSpace &&
                (encoding_ == TextEncoding::Bytes || !EndsInsideCharacter(encoding_, text)))
                text += ' ';
            text += line.Value();
        } else if (line.Tag() == "CONT") {
            skipLevel = kNoSkip;
            text += '\n';
            text += line.Value();
        } else {
            // Lines under another sub-tag belong to it, but a continuation at this
            // level or above still belongs to the value.
            skipLevel = AsUnsigned(line.Level());
        }
    }
    return text;
}

}  // namespace kinfold
