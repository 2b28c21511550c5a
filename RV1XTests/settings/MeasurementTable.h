#pragma once
// The measurement table that a limit set hands to the host's standards
// collection when it prints: one row per measurement of the test type that
// can carry a limit, so that the host prints each standard's limits beside
// the test's measured values.
//
// The table is a QVariantList of rows; each row is a QVariantList of four
// cells:
//   0  the measurement key (QString), the same key as the limit's
//   1  the caption, translated through the report (QString)
//   2  the number pattern of the row, "0" or "0.0" (QString)
//   3  the measurement of that key in the test's current result: a
//      com::ObjectPtr holding the IMeasurement, or holding Nothing when the
//      result has no such measurement
// A cell whose step failed is an empty (invalid) QVariant: column 1 when the
// translation failed, column 3 when the test has no result.
// A test type without limits gives a QVariantList without rows, still a
// list (not an empty QVariant).

#include "typelib/HostTypes.h"

namespace orvanRV1Xtst::MMiscUtils {

// The report serves only for translation; the test supplies its test ID and
// its current result. Never raises.
QVariant BuildMeasurementTable(const host::HostReportPtr& report,
                               const host::ITestElementPtr& test);

}  // namespace orvanRV1Xtst::MMiscUtils
