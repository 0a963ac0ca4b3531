// The database as a second linking thread sees it: records are found as they
// are, but a pointer that names no record is set aside instead of reported,
// with the answer the database's options would give. Reporting reads the
// file and writes the load's report, which only the loading thread may do;
// it reports what was set aside once both threads are done, in the order
// one thread would have met them.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/database_options.h"
#include "core/record_host.h"

namespace kinfold {

class SetAsideHost final : public RecordHost {
   public:
    struct DanglingPointer {
        const RecordBase* owner;
        int32_t position;
    };

    explicit SetAsideHost(RecordHost& database) : database_(database) {}

    const std::vector<DanglingPointer>& SetAside() const { return setAside_; }

    // Throws std::bad_alloc when there is no memory to set the line aside.
    bool DropDanglingPointer(const RecordBase& owner, int32_t position) override {
        setAside_.push_back(DanglingPointer{&owner, position});
        return database_.Options().dropDanglingPointers;
    }

    GedcomReader& Reader() override { return database_.Reader(); }
    GedcomLoader& Loader() override { return database_.Loader(); }
    bool ConcatenateWithSpace() const override { return database_.ConcatenateWithSpace(); }
    const DatabaseOptions& Options() const override { return database_.Options(); }
    RecordBase* FindRecord(RecordKind kind, std::string_view id) const override {
        return database_.FindRecord(kind, id);
    }
    RecordBase* Submission() const override { return database_.Submission(); }
    RecordBase* BlankRecord(RecordKind kind) const override { return database_.BlankRecord(kind); }
    void AddTypeName(TypeSet set, std::string_view name) override {
        database_.AddTypeName(set, name);
    }
    void AddTypeNameBelow(TypeSet set, int32_t position) override {
        database_.AddTypeNameBelow(set, position);
    }
    void ReadPendingTypeNames() override { database_.ReadPendingTypeNames(); }
    HRESULT OpenTopLevelRecord(const GedcomLine& line, RecordBase** record) override {
        return database_.OpenTopLevelRecord(line, record);
    }
    HRESULT LinkAll(Progress* window) override { return database_.LinkAll(window); }
    void NoteReadingChange(int32_t position, std::string_view text, std::string_view record,
                           std::string_view what) override {
        database_.NoteReadingChange(position, text, record, what);
    }
    HRESULT CreatePlainRecord(RecordBase** record) override {
        return database_.CreatePlainRecord(record);
    }
    bool TrackHandedOut(RecordBase& record) override { return database_.TrackHandedOut(record); }
    void ForgetHandedOut(RecordBase& record) override { database_.ForgetHandedOut(record); }

   private:
    RecordHost& database_;
    std::vector<DanglingPointer> setAside_;
};

}  // namespace kinfold
