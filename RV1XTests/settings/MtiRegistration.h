#pragma once
// The analyzer identities of a run live in the host's identity list; a
// result keeps only the index of its analyzer's entry. These functions find
// an identity there or register it, and remember the index used last since
// the library was loaded (found or added), which stands in for index 0.
//
// An identity is its model type, serial number and firmware version: a
// firmware corrected or updated is a new entry, so that the results of the
// earlier firmware keep it.

#include "settings/CMtiData2.h"
#include "typelib/HostTypes.h"

namespace orvanRV1Xtst::MMiscUtils {

// The index of an identity that could not be registered. It is not 0, which
// stands for the identity registered last: a result whose own identity is
// missing must never show another analyzer's.
inline constexpr rt::Long kNotRegistered = -1;

// A new record with the identity of the list's "RV-1X" entry of that index
// (0: the index used last), or Nothing. Never raises.
CMtiData2Ptr GetMtiData(const host::MtiListPtr& list, rt::Long index);

// The index of the list's "RV-1X" entry with the identity's model type,
// serial number and firmware; an identity that is not there yet (or has no
// serial number) is added under a new index, which is answered. kNotRegistered when
// nothing could be added (no list, no identity, or the list refused it).
// Never raises.
rt::Long RegisterMti(const host::MtiListPtr& list, const CMtiData2Ptr& identity);

}  // namespace orvanRV1Xtst::MMiscUtils
