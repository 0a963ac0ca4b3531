// Individuals that a host passes to the assistant: they must be records of
// the assistant's own database, or the call fails with an automation error
// that tells the host so.
#pragma once

#include "assistant/individual_sequence.h"
#include "platform/automation.h"

namespace kinfold {

class GEDCOMdb;

// The message of every failure to recognise a record.
inline constexpr char kRecordNotOurs[] = "Record not part of this GEDCOM database";

// The internal individual behind `object`; a failure is reported as
// kRecordNotOurs. An assistant without a database owns no record.
HRESULT ResolveIndividual(IUnknown* object, const GEDCOMdb* database,
                          IndividualEntry** individual);

// The individuals of an array (of objects, or of VARIANTs holding objects)
// or of a collection reached through its enumerator, in their order.
// E_INVALIDARG for any other kind of list or a member that is no object.
HRESULT ReadIndividualList(const VARIANT& list, const GEDCOMdb* database,
                           IndividualSequence& individuals);

// An optional individual argument: an omitted one (VT_ERROR) or a null
// object gives null, an object that is no IGDIndividualRecord its query's
// code, any other VARIANT E_INVALIDARG. The object is borrowed from the
// argument, which the caller holds for the call.
HRESULT ReadOptionalIndividual(const VARIANT& argument, IUnknown** object);

}  // namespace kinfold
