// What each collection interface hands out and how its Item is indexed. The
// collection template is instantiated from this table, so the nineteen
// collection interfaces are served by one implementation per container kind.
#pragma once

#include <type_traits>

#include "kinfold.h"
#include "platform/automation.h"

namespace kinfold {

// Item's in-argument, and the type its out-argument points to.
template <class IndexType, class ResultType>
struct ItemSignature {
    using Index = IndexType;
    using Result = ResultType;
};

template <class CollectionIface>
struct CollectionTraits;

// clang-format off
// Top-level records: Item takes a position or a record ID.
template <> struct CollectionTraits<IGDIndividuals>      : ItemSignature<VARIANT, IGDIndividualRecord*> {};
template <> struct CollectionTraits<IGDFamilies>         : ItemSignature<VARIANT, IGDFamilyRecord*> {};
template <> struct CollectionTraits<IGDSources>          : ItemSignature<VARIANT, IGDSourceRecord*> {};
template <> struct CollectionTraits<IGDNotes>            : ItemSignature<VARIANT, IGDNoteRecord*> {};
template <> struct CollectionTraits<IGDRepositories>     : ItemSignature<VARIANT, IGDRepositoryRecord*> {};
template <> struct CollectionTraits<IGDMultimedia>       : ItemSignature<VARIANT, IGDMultimediaRecord*> {};
template <> struct CollectionTraits<IGDSubmitters>       : ItemSignature<VARIANT, IGDSubmitterRecord*> {};
// Sub-records: Item takes a position.
template <> struct CollectionTraits<IGDNames>            : ItemSignature<LONG, IGDNameRecord*> {};
template <> struct CollectionTraits<IGDFamilyLinks>      : ItemSignature<LONG, IGDFamilyLinkRecord*> {};
template <> struct CollectionTraits<IGDFactEvents>       : ItemSignature<LONG, IGDFactEventRecord*> {};
template <> struct CollectionTraits<IGDPlaces>           : ItemSignature<LONG, IGDPlaceRecord*> {};
template <> struct CollectionTraits<IGDOrdinances>       : ItemSignature<LONG, IGDOrdinanceRecord*> {};
template <> struct CollectionTraits<IGDAssociations>     : ItemSignature<LONG, IGDAssociationRecord*> {};
template <> struct CollectionTraits<IGDReferenceNumbers> : ItemSignature<LONG, IGDReferenceNumberRecord*> {};
template <> struct CollectionTraits<IGDCallNumbers>      : ItemSignature<LONG, IGDCallNumberRecord*> {};
template <> struct CollectionTraits<IGDMediaFiles>       : ItemSignature<LONG, IGDMediaFileRecord*> {};
// Texts: the event and attribute kinds of a file, and lists of strings.
template <> struct CollectionTraits<IGDFactEventTypes>   : ItemSignature<LONG, BSTR> {};
template <> struct CollectionTraits<IGDList>             : ItemSignature<LONG, VARIANT> {};
// Objects that are no records: what the assistant finds between two people.
template <> struct CollectionTraits<IGDRelationships>    : ItemSignature<LONG, IGDRelationship*> {};
// clang-format on

// A collection of records (as opposed to texts).
template <class CollectionIface>
constexpr bool kHoldsRecords =
    std::is_pointer<typename CollectionTraits<CollectionIface>::Result>::value &&
    !std::is_same<typename CollectionTraits<CollectionIface>::Result, BSTR>::value;

// A collection whose Item also finds a record by its ID.
template <class CollectionIface>
constexpr bool kFindsById =
    std::is_same<typename CollectionTraits<CollectionIface>::Index, VARIANT>::value;

}  // namespace kinfold
