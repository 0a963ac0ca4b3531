// KINFOLD_TEST_READ_AHEAD_FROM=BYTES sets the size from which every load of
// the run reads ahead on a second thread (0: every load), so that the whole
// suite can run through that path too.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/gedcom_loader.h"

namespace {

class ReadAheadEnvironment : public testing::Environment {
   public:
    void SetUp() override {
        const char* bytes = std::getenv("KINFOLD_TEST_READ_AHEAD_FROM");
        if (bytes != nullptr && *bytes != '\0')
            kinfold::SetReadAheadFrom(static_cast<uint32_t>(std::stoul(bytes)));
    }
};

const testing::Environment* const kRegistered =
    testing::AddGlobalTestEnvironment(new ReadAheadEnvironment);

}  // namespace
