// What a record needs of the database that owns it: the open file, the
// loader for building sub-records on demand, the options that shape what the
// readers return, and the other records by ID. The database implements it;
// records keep a plain pointer to it because the database outlives the
// records it holds, and reach their database through nothing else.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/record_factory.h"
#include "core/type_name_set.h"
#include "platform/automation.h"

namespace kinfold {

class GedcomLine;
class GedcomLoader;
class GedcomReader;
class Progress;
class RecordBase;
struct DatabaseOptions;

class RecordHost {
   public:
    virtual GedcomReader& Reader() = 0;
    virtual GedcomLoader& Loader() = 0;
    virtual bool ConcatenateWithSpace() const = 0;
    virtual const DatabaseOptions& Options() const = 0;

    // The level-0 record of `kind` (an individual, family, note, source,
    // repository, multimedia object or submitter) with `id`, or null.
    virtual RecordBase* FindRecord(RecordKind kind, std::string_view id) const = 0;
    // The file's one submission record, or null.
    virtual RecordBase* Submission() const = 0;
    // The stand-in name, place or event that the options may ask for in
    // place of a missing one.
    virtual RecordBase* BlankRecord(RecordKind kind) const = 0;
    // An event or attribute kind met while loading.
    virtual void AddTypeName(TypeSet set, std::string_view name) = 0;
    // The kind named by the TYPE line under the line at `position`, to be
    // read by ReadPendingTypeNames: while loading, the reader may be
    // reading ahead of the loader on another thread.
    virtual void AddTypeNameBelow(TypeSet set, int32_t position) = 0;
    // Adds the kinds AddTypeNameBelow asked for; the loader calls it once
    // the reader is its own again.
    virtual void ReadPendingTypeNames() = 0;

    // A level-0 line: create the record for its tag and file it in its store
    // or slot. S_FALSE with no record means the record kind is not kept.
    virtual HRESULT OpenTopLevelRecord(const GedcomLine& line, RecordBase** record) = 0;
    // Resolves the pointers of every record after the last line was read;
    // E_ABORT when the user cancels through `window`.
    virtual HRESULT LinkAll(Progress* window) = 0;
    // Tolerant reading left out or changed the line at `position` (its
    // `text` as read) in the level-0 record with ID `record`: `what`
    // happened, for the load's report.
    virtual void NoteReadingChange(int32_t position, std::string_view text, std::string_view record,
                                   std::string_view what) = 0;
    // The pointer of the line at `position` (-1 when it cannot be found)
    // under the level-0 record `owner` names no record. True when such lines
    // are dropped: the caller leaves out what the line made, and the line is
    // noted in the report. False when the load must fail, with this line
    // as the reason.
    virtual bool DropDanglingPointer(const RecordBase& owner, int32_t position) = 0;
    // A bare record that keeps only its opening line, with one reference.
    virtual HRESULT CreatePlainRecord(RecordBase** record) = 0;
    // Records built on demand, which a host may keep after the database is
    // cleared or released: the database lists them so that it can make them
    // let go of it and of the records they point to. False when there is no
    // memory to list it: the record must then not be handed out.
    virtual bool TrackHandedOut(RecordBase& record) = 0;
    virtual void ForgetHandedOut(RecordBase& record) = 0;

   protected:
    ~RecordHost() = default;
};

}  // namespace kinfold
