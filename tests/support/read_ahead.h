// Which loads read their lines on a second thread: files from a given size
// on, set for as long as a ReadAheadFrom lives (process-wide, so only from a
// test's own thread while no other database loads).
#pragma once

#include <cstdint>

#include "core/gedcom_loader.h"

namespace kinfold::test {

class ReadAheadFrom {
   public:
    explicit ReadAheadFrom(uint32_t bytes) : before_(kinfold::ReadAheadFrom()) {
        SetReadAheadFrom(bytes);
    }
    ~ReadAheadFrom() { SetReadAheadFrom(before_); }
    ReadAheadFrom(const ReadAheadFrom&) = delete;
    ReadAheadFrom& operator=(const ReadAheadFrom&) = delete;

   private:
    uint32_t before_;
};

// Both ways of loading, for tests that must give the same answers in each.
struct LoadingWay {
    const char* name;
    uint32_t readAheadFrom;
};
constexpr LoadingWay kLoadingWays[] = {{"one thread", UINT32_MAX}, {"reading ahead", 0}};

}  // namespace kinfold::test
