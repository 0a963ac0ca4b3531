// A test that loads a small inline GEDCOM text into a database created as a
// host creates it, and reaches the internal records behind it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string_view>

#include "db/gedcom_db.h"
#include "support/com_test_support.h"
#include "support/live_object_guard.h"

namespace kinfold::test {

class LoadedDatabaseTest : public ::testing::Test {
   protected:
    void LoadText(std::string_view gedcom) {
        file_ = std::make_unique<TempFile>(gedcom);
        ASSERT_TRUE(Load(db_.get(), file_->Path()));
    }

    GEDCOMdb& Database() const { return *static_cast<GEDCOMdb*>(db_.get()); }

    LiveObjectGuard guard_;  // checked after every other member is gone
    MessageCapture messages_;
    // The database keeps the file open, so it goes before the file.
    std::unique_ptr<TempFile> file_;
    ComPtr<IGEDCOMdb> db_ = NewDatabase();
};

}  // namespace kinfold::test
