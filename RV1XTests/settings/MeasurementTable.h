#pragma once
// The measurement table that a limit set hands to the host's standards
// collection when it prints: one row per measurement of the test type that
// can carry a limit, so that the host prints each standard's limits beside
// the test's measured values.
//
// The table's form is the one the host reads (report/MeasurementTable.h):
// rows of key, translated caption, number pattern ("0" or "0.0") and the
// result's measurement of that key. A cell whose step failed is left empty:
// the caption when the translation failed, the measurement when the test
// has no result. A test type without limits gives a list without rows.

#include "typelib/HostTypes.h"

namespace orvanRV1Xtst::MMiscUtils {

// The report serves only for translation; the test supplies its test ID and
// its current result. Never raises.
QVariant BuildMeasurementTable(const host::HostReportPtr& report,
                               const host::ITestElementPtr& test);

}  // namespace orvanRV1Xtst::MMiscUtils
