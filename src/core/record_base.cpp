#include "core/record_base.h"

#include "core/fixed_string.h"
#include "core/gedcom_line.h"
#include "core/gedcom_loader.h"
#include "core/gedcom_reader.h"
#include "core/record_host.h"
#include "core/record_list.h"
#include "platform/notifier.h"

namespace kinfold {
namespace {

constexpr uint16_t kNoSkip = 0xFFFF;

// Reads lines from the reader's current position and stops at the first
// whose tag is `tag` (true) or whose level is not below `baseLevel` (false).
// Lines under a non-matching line are passed over, so in a well-formed file
// only the lines one level below the base are compared. `position` follows
// every line read.
bool ScanForTag(GedcomReader& reader, std::string_view tag, int32_t& position, int16_t baseLevel,
                GedcomLine& line) {
    uint16_t skipLevel = kNoSkip;
    while (reader.ReadContentLine(line)) {
        position = line.Position();
        if (line.Level() <= baseLevel) return false;
        if (static_cast<uint16_t>(line.Level()) > skipLevel) continue;
        if (TextEquals(line.Tag(), tag)) return true;
        skipLevel = static_cast<uint16_t>(line.Level());
    }
    return false;
}

// FindFirstSubTag in `reader`.
bool FindFirstSubTagIn(GedcomReader& reader, std::string_view tag, int32_t& position,
                       int16_t& baseLevel, GedcomLine& line) {
    if (position == -1) return false;
    if (FAILED(reader.Seek(static_cast<uint32_t>(position)))) return false;
    if (!reader.ReadContentLine(line)) return false;
    baseLevel = line.Level();
    return ScanForTag(reader, tag, position, baseLevel, line);
}

}  // namespace

std::string ReadSubTagValue(GedcomReader& reader, std::string_view tag, int32_t position) {
    int16_t baseLevel = 0;
    GedcomLine line;
    if (!FindFirstSubTagIn(reader, tag, position, baseLevel, line)) return std::string();
    return std::string(line.Value());
}

RecordBase::~RecordBase() {
    if (handedOut_ && database_ != nullptr) database_->ForgetHandedOut(*this);
}

HRESULT RecordBase::Link(RecordHost&) { return S_OK; }

HRESULT RecordBase::LinkPointer(RecordHost& database, RecordKind kind) {
    RecordBase* target = database.FindRecord(kind, Pointer());
    SetTarget(target);
    return target != nullptr ? S_OK : E_FAIL;
}

void RecordBase::TakeOpeningLine(const GedcomLine& line) {
    texts_.Assign(line.Id(), line.Value(), line.Pointer());
    position_ = line.Position();
    level_ = line.Level();
    SetTarget(line.Target());
}

bool RecordBase::TakeSubLine(const GedcomLine&, RecordBase** child) {
    *child = nullptr;
    return false;
}

bool RecordBase::TakeLineUnderKept(const GedcomLine&) { return false; }

bool RecordBase::FindSubTag(std::string_view tag, int32_t& position, bool startAtPosition) const {
    if (!startAtPosition) position = position_;
    int16_t baseLevel = 0;
    return FindFirstSubTag(tag, position, baseLevel);
}

bool RecordBase::FindFirstSubTag(std::string_view tag, int32_t& position,
                                 int16_t& baseLevel) const {
    GedcomLine line;
    return FindFirstSubTag(tag, position, baseLevel, line);
}

bool RecordBase::FindFirstSubTag(std::string_view tag, int32_t& position, int16_t& baseLevel,
                                 GedcomLine& line) const {
    // A record a host created through its class object has no file to read.
    if (database_ == nullptr) return false;
    return FindFirstSubTagIn(database_->Reader(), tag, position, baseLevel, line);
}

bool RecordBase::FindNextTag(std::string_view tag, int32_t& position, int16_t baseLevel) const {
    if (database_ == nullptr) return false;
    GedcomReader& reader = database_->Reader();
    if (FAILED(reader.Seek(static_cast<uint32_t>(position)))) return false;
    GedcomLine line;
    return ScanForTag(reader, tag, position, baseLevel, line);
}

bool RecordBase::ReadTagLine(std::string_view tag, GedcomLine& line) const {
    int32_t position = position_;
    int16_t baseLevel = 0;
    return FindFirstSubTag(tag, position, baseLevel, line);
}

std::string RecordBase::ReadTagValue(std::string_view tag) const {
    GedcomLine line;
    return ReadTagLine(tag, line) ? std::string(line.Value()) : std::string();
}

std::string RecordBase::ReadTagValue(std::string_view tag, int32_t startPosition) const {
    int32_t position = startPosition;
    int16_t baseLevel = 0;
    GedcomLine line;
    if (startPosition == -1 || !FindFirstSubTag(tag, position, baseLevel, line))
        return std::string();
    return std::string(line.Value());
}

std::string RecordBase::GetTag() const {
    if (position_ == -1 || database_ == nullptr) return std::string();
    GedcomReader& reader = database_->Reader();
    GedcomLine line;
    if (FAILED(reader.Seek(static_cast<uint32_t>(position_))) || !reader.ReadContentLine(line))
        return std::string();
    return std::string(line.Tag());
}

std::string RecordBase::ReadText(int32_t position) const {
    if (database_ == nullptr) return std::string();
    return database_->Reader().ReadTextValue(position, database_->ConcatenateWithSpace());
}

std::string RecordBase::ReadTagText(std::string_view tag, int32_t startPosition) const {
    int32_t position = startPosition == -1 ? position_ : startPosition;
    if (!FindSubTag(tag, position, true)) return std::string();
    return ReadText(position);
}

std::string RecordBase::ReadNestedValue(std::string_view outer, std::string_view inner) const {
    int32_t position = position_;
    if (!FindSubTag(outer, position, false)) return std::string();
    return ReadTagValue(inner, position);
}

HRESULT RecordBase::BuildSubRecords(std::string_view tag, RecordList& list,
                                    int32_t startPosition) const {
    HRESULT result = S_OK;
    ForEachSubTag(tag, startPosition, [&](int32_t position, int32_t& after) {
        RecordBase* record = nullptr;
        HRESULT hr = database_->Loader().ParseSubRecord(nullptr, position, &record, &after);
        if (FAILED(hr)) {
            ShowMessage("ERROR: GEDCOM file is corrupt.");
            result = hr;
            return false;
        }
        const bool appended = list.Append(record);
        record->Release();
        if (!appended) result = E_OUTOFMEMORY;
        return appended;
    });
    return result;
}

std::vector<int32_t> RecordBase::PointerLines(std::string_view tag,
                                              std::string_view pointer) const {
    std::vector<int32_t> positions;
    ForEachSubTag(tag, -1, [&](int32_t position, int32_t& after) {
        GedcomReader& reader = database_->Reader();
        GedcomLine line;
        if (FAILED(reader.Seek(static_cast<uint32_t>(position))) || !reader.ReadContentLine(line))
            return false;
        if (line.Pointer() == pointer) positions.push_back(position);
        after = static_cast<int32_t>(reader.Position());
        return true;
    });
    return positions;
}

}  // namespace kinfold
