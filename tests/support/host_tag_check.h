// The host tag every record carries: empty until the host writes it, then a
// copy of what was written, whether by put or by putref.
#pragma once

#include <gtest/gtest.h>

#include "platform/text.h"
#include "support/com_test_support.h"

namespace kinfold::test {

template <class Record>
void ExpectHostTagKeepsACopy(Record* record) {
    ASSERT_NE(record, nullptr);
    VARIANT read;
    VariantInit(&read);
    read.vt = VT_I4;  // a sentinel the first read must replace
    EXPECT_EQ(record->get_Tag(&read), S_OK);
    EXPECT_EQ(read.vt, VT_EMPTY);

    VARIANT text = TextVariant("kept");
    EXPECT_EQ(record->put_Tag(text), S_OK);
    VariantClear(&text);  // the record holds its own copy
    EXPECT_EQ(record->get_Tag(&read), S_OK);
    ASSERT_EQ(read.vt, VT_BSTR);
    EXPECT_EQ(BstrToText(read.bstrVal), "kept");
    VariantClear(&read);

    // A reference is read through when stored, not kept.
    LONG number = 7;
    VARIANT byRef;
    VariantInit(&byRef);
    byRef.vt = VT_I4 | VT_BYREF;
    byRef.plVal = &number;
    EXPECT_EQ(record->putref_Tag(byRef), S_OK);
    number = 8;
    EXPECT_EQ(record->get_Tag(&read), S_OK);
    EXPECT_EQ(read.vt, VT_I4);
    EXPECT_EQ(read.lVal, 7);

    EXPECT_EQ(record->putref_Tag(DoubleVariant(1.5)), S_OK);
    EXPECT_EQ(record->get_Tag(&read), S_OK);
    EXPECT_EQ(read.vt, VT_R8);
    EXPECT_EQ(read.dblVal, 1.5);
    EXPECT_EQ(record->get_Tag(nullptr), E_POINTER);
}

}  // namespace kinfold::test
