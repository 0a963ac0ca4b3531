#include "assistant/copy_writer.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/unicode.h"

namespace kinfold {

namespace {

constexpr size_t kReadBytes = 1 << 20;

// How many bytes at the end of `bytes` start a UTF-8 sequence that the
// next bytes complete.
size_t IncompleteTail(std::string_view bytes) {
    const size_t look = std::min<size_t>(bytes.size(), 3);
    for (size_t back = 1; back <= look; ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) == 0x80) continue;
        const size_t length = Utf8Length(byte);
        return length > back ? back : 0;
    }
    return 0;
}

}  // namespace

CopyWriter::CopyWriter(OutputFile& output, ReadSource source, Utf16 utf16, bool utf16Mark)
    : output_(output), source_(std::move(source)), utf16_(utf16), markPending_(utf16Mark) {}

void CopyWriter::Keep(uint32_t from, uint32_t to) {
    if (from >= to) return;
    if (from != pendingTo_ || pendingFrom_ == pendingTo_) {
        WritePending();
        pendingFrom_ = from;
    }
    pendingTo_ = to;
}

void CopyWriter::Insert(std::string_view lines) {
    WritePending();
    const std::string& end = LineEnd();
    if (lastWritten_ != '\n' && lastWritten_ != '\r') Emit(end);
    std::string text;
    for (size_t start = 0; start < lines.size();) {
        const size_t stop = std::min(lines.find('\n', start), lines.size());
        text.append(lines, start, stop - start).append(end);
        start = stop + 1;
    }
    Emit(text);
}

bool CopyWriter::Finish() {
    WritePending();
    if (!carry_.empty()) {
        const std::string rest = std::exchange(carry_, std::string());
        output_.Write(Utf8ToUtf16(rest, utf16_));
    }
    return !readShort_;
}

void CopyWriter::WritePending() {
    if (pendingFrom_ == pendingTo_) return;
    auto buffer = std::make_unique<char[]>(kReadBytes);
    for (uint64_t at = pendingFrom_; at < pendingTo_;) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(kReadBytes, pendingTo_ - at));
        const size_t got = source_(at, buffer.get(), want);
        if (got == 0) {
            readShort_ = true;
            break;
        }
        Emit(std::string_view(buffer.get(), got));
        at += got;
    }
    pendingFrom_ = pendingTo_ = 0;
}

void CopyWriter::Emit(std::string_view bytes) {
    if (bytes.empty()) return;
    lastWritten_ = bytes.back();
    if (utf16_ == Utf16::None) {
        output_.Write(bytes);
        return;
    }
    if (markPending_) {
        output_.Write(utf16_ == Utf16::LittleEndian ? "\xFF\xFE" : "\xFE\xFF");
        markPending_ = false;
    }
    std::string text = std::exchange(carry_, std::string());
    text.append(bytes);
    const size_t tail = IncompleteTail(text);
    carry_.assign(text, text.size() - tail, tail);
    text.resize(text.size() - tail);
    output_.Write(Utf8ToUtf16(text, utf16_));
}

const std::string& CopyWriter::LineEnd() {
    if (lineEndKnown_) return lineEnd_;
    lineEndKnown_ = true;
    char head[4096];
    const size_t got = source_(0, head, sizeof head);
    // Lines end at a LF (a lone CR is read as one only from a decoded
    // image), so the copy's own lines end with one, after a CR when the
    // file's first line has one.
    const std::string_view start(head, got);
    const size_t end = start.find('\n');
    if (end != std::string_view::npos && end > 0 && start[end - 1] == '\r') lineEnd_ = "\r\n";
    return lineEnd_;
}

}  // namespace kinfold
