#include "core/gedcom_reader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/gedcom_line.h"

namespace kinfold {

namespace {

// A seek away from the window refills a small block, one line at the
// least, since a record member reads only a few lines; sequential reading
// doubles the block up to the maximum, which keeps system calls rare during
// a load. The smaller fills come out of the block cache; the larger ones are
// the load's, which reads each byte once, so they go to the file directly.
constexpr size_t kSmallFill = kMaxLineBytes + 1;
constexpr size_t kCachedFill = BlockCache::kMaxRead;
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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a line that is not blank fails to start, after its blanks, with a
// level number (a sign may stand before the digits, as the level reader
// takes one).
bool HasNoLevel(std::string_view text) {
    // Only the start of the line counts; a blank line is not one without a
    // level, and a UTF-8 byte-order mark before the first line's level is
    // no text.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    size_t at =
        text.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0 ? kByteOrderMark.size() : 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at == text.size()) return false;
    if (text[at] == '-' || text[at] == '+') ++at;
    return at == text.size() || !IsDigit(text[at]);
}

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
    cache_.Reset(file_.Size());
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

void GedcomReader::SetTolerance(bool readLongLines, bool recogniseLinesWithoutLevel) {
    readLongLines_ = readLongLines;
    recogniseLinesWithoutLevel_ = recogniseLinesWithoutLevel;
}

void GedcomReader::Refill(size_t atLeast) {
    const bool continues = position_ >= windowStart_ && position_ <= windowStart_ + windowLength_;
    size_t size = continues && lastFill_ != 0
                      ? (lastFill_ * 2 < kLargeFill ? lastFill_ * 2 : kLargeFill)
                      : kSmallFill;
    size = std::min(std::max(size, atLeast), kLargeFill);
    windowStart_ = position_;
    // The cache reads whole blocks, so a fill from it runs on to the end of
    // the block it ends in.
    constexpr size_t kBlock = BlockCache::kBlockBytes;
    const size_t toBlockEnd = size + (kBlock - (position_ + size) % kBlock) % kBlock;
    if (!useImage_ && toBlockEnd <= kCachedFill) {
        size = toBlockEnd;
        windowLength_ = cache_.Read(file_, position_, window_.get(), size);
    } else {
        windowLength_ = ReadAt(position_, window_.get(), size);
    }
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

bool GedcomReader::ReadLine(GedcomLine& line, LineKind* kind) {
    LineKind read = LineKind::Blank;
    const bool any = ReadPhysicalLine(line, read);
    if (kind != nullptr) *kind = read;
    return any;
}

bool GedcomReader::ReadContentLine(GedcomLine& line) {
    LineKind kind = LineKind::Blank;
    while (kind != LineKind::Content) {
        if (!ReadPhysicalLine(line, kind)) return false;
    }
    return true;
}

bool GedcomReader::ReadPhysicalLine(GedcomLine& line, LineKind& kind) {
    lastText_ = std::string_view();
    if (!file_.IsOpen()) return false;
    const size_t maxLine = readLongLines_ ? kLongLineBytes : kMaxLineBytes;
    const bool inWindow = position_ >= windowStart_ && position_ <= windowStart_ + windowLength_;
    size_t available = inWindow ? static_cast<size_t>(windowStart_ + windowLength_ - position_) : 0;
    if (!inWindow || (available < kMaxLineBytes && !windowAtEnd_)) {
        Refill(0);
        available = windowLength_;
    }
    if (available == 0) return false;

    const char* begin = window_.get() + (position_ - windowStart_);
    size_t scan = available < maxLine ? available : maxLine;
    // The line is a C string to the code that splits it, so a NUL byte ends
    // its text there; the bytes after it up to the line end are consumed but
    // dropped, and the position still advances over every byte read, so later
    // positions stay true file offsets.
    size_t length = LineTextLength(begin, scan);
    if (length == scan && scan < maxLine && !windowAtEnd_) {
        // A long line runs past a small window: read the whole of it in.
        Refill(maxLine + 1);
        available = windowLength_;
        begin = window_.get();
        scan = available < maxLine ? available : maxLine;
        length = LineTextLength(begin, scan);
    }
    size_t consumed = length;
    if (consumed < scan && begin[consumed] == '\0') {
        const void* feed = std::memchr(begin + consumed, '\n', scan - consumed);
        consumed = feed ? static_cast<size_t>(static_cast<const char*>(feed) - begin) : scan;
    }
    lastLineCut_ = consumed == maxLine;  // no line feed in reach
    if (consumed < scan) ++consumed;     // the line feed

    const int32_t linePosition = static_cast<int32_t>(position_);
    lastPosition_ = linePosition;
    position_ += static_cast<uint32_t>(consumed);
    const std::string_view text(begin, length);
    lastText_ = text;
    if (recogniseLinesWithoutLevel_ && HasNoLevel(text))
        kind = LineKind::NoLevel;
    else
        kind = line.Parse(text, linePosition) ? LineKind::Content : LineKind::Blank;
    if (lastLineCut_ && readLongLines_) {
        // The window moves on past the rest: the text kept is copied first.
        cutText_.assign(text);
        lastText_ = cutText_;
        PassOverRestOfLine();
    }
    return true;
}

void GedcomReader::PassOverRestOfLine() {
    for (;;) {
        const bool inWindow = position_ >= windowStart_ && position_ < windowStart_ + windowLength_;
        if (!inWindow) Refill(0);
        const size_t available = static_cast<size_t>(windowStart_ + windowLength_ - position_);
        if (available == 0) return;
        const char* begin = window_.get() + (position_ - windowStart_);
        const void* feed = std::memchr(begin, '\n', available);
        if (feed != nullptr) {
            position_ += static_cast<uint32_t>(static_cast<const char*>(feed) - begin + 1);
            return;
        }
        position_ += static_cast<uint32_t>(available);
    }
}

std::string_view GedcomReader::WholeValue(const GedcomLine& line) const {
    const std::string_view whole = TrimText(lastText_);
    if (!readLongLines_ || whole.size() <= static_cast<size_t>(kFixedStringCapacity) ||
        line.Value().empty())
        return line.Value();
    return whole.substr(line.ValueOffset());
}

std::string GedcomReader::ReadTextValue(int32_t position, bool concatenateWithSpace) {
    GedcomLine line;
    Seek(static_cast<uint32_t>(position));
    if (!ReadContentLine(line)) return std::string(kUnexpectedEndOfFile);

    std::string text(WholeValue(line));
    const int16_t baseLevel = line.Level();
    uint32_t skipLevel = kNoSkip;
    LineKind kind = LineKind::Blank;
    while (ReadPhysicalLine(line, kind)) {
        if (kind == LineKind::Blank) continue;
        if (kind == LineKind::NoLevel) {
            // A line break written raw inside the value: the text after it
            // goes on with the line before it, as a CONT would.
            if (skipLevel == kNoSkip) text.append("\n").append(TrimText(lastText_));
            continue;
        }
        if (line.Level() <= baseLevel) break;
        if (AsUnsigned(line.Level()) > skipLevel) continue;
        // Exact tests: the continuation tags are never subject to the case switch.
        if (line.Tag() == "CONC") {
            skipLevel = kNoSkip;
            if (concatenateWithSpace &&
                (encoding_ == TextEncoding::Bytes || !EndsInsideCharacter(encoding_, text)))
                text += ' ';
            text += WholeValue(line);
        } else if (line.Tag() == "CONT") {
            skipLevel = kNoSkip;
            text += '\n';
            text += WholeValue(line);
        } else {
            // Lines under another sub-tag belong to it, but a continuation at this
            // level or above still belongs to the value.
            skipLevel = AsUnsigned(line.Level());
        }
    }
    return text;
}

}  // namespace kinfold
