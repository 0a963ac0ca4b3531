#include "db/load_report.h"

#include <algorithm>
#include <memory>

#include "core/gedcom_reader.h"

namespace kinfold {

void LoadReport::Clear() {
    entries_.clear();
    failedLine_ = Entry{-1, 0, {}, {}, {}};
    failure_.clear();
}

void LoadReport::Note(int32_t position, std::string_view text, std::string_view record,
                      std::string_view what) {
    entries_.push_back(
        Entry{position, 0, std::string(text), std::string(record), std::string(what)});
}

void LoadReport::SetFailure(std::string_view reason) { failure_.assign(reason); }

void LoadReport::SetFailedLine(int32_t position, std::string_view text, std::string_view what) {
    failedLine_ = Entry{position, 0, std::string(text), {}, std::string(what)};
}

// Line numbers are counted only when something was noted, in one pass over
// the file up to the last line noted.
void LoadReport::Finish(GedcomReader& reader) {
    std::vector<Entry*> lines;
    for (Entry& entry : entries_) lines.push_back(&entry);
    if (failedLine_.position >= 0) lines.push_back(&failedLine_);
    if (lines.empty()) return;
    std::stable_sort(lines.begin(), lines.end(),
                     [](const Entry* a, const Entry* b) { return a->position < b->position; });
    constexpr size_t kBlock = 64 * 1024;
    std::unique_ptr<char[]> block(new char[kBlock]);
    uint64_t offset = 0;
    uint32_t feeds = 0;
    for (Entry* line : lines) {
        const uint64_t end = static_cast<uint64_t>(line->position);
        while (offset < end) {
            const size_t want = static_cast<size_t>(std::min<uint64_t>(kBlock, end - offset));
            const size_t got = reader.ReadBytes(offset, block.get(), want);
            if (got == 0) break;
            feeds += static_cast<uint32_t>(std::count(block.get(), block.get() + got, '\n'));
            offset += got;
        }
        line->lineNumber = feeds + 1;
    }
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.position < b.position; });
}

std::vector<std::string> LoadReport::Texts() const {
    std::vector<std::string> texts;
    for (const Entry& entry : entries_) {
        std::string text = "line " + std::to_string(entry.lineNumber);
        if (!entry.record.empty()) text += " in " + entry.record;
        texts.push_back(text + ": " + entry.text + " " + entry.what);
    }
    return texts;
}

std::string LoadReport::Failure() const {
    if (failedLine_.position < 0) return failure_;
    return "line " + std::to_string(failedLine_.lineNumber) + ": " + failedLine_.text + " " +
           failedLine_.what;
}

}  // namespace kinfold
