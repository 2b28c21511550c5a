#pragma once
// What a printed record says: every text of the report's lines and tables,
// from the calls the report recorded.

#include <QString>
#include <QStringList>

#include "report/HostReport.h"

namespace testsupport {

inline QString printedText(const host::HostReport& report) {
  QStringList texts;
  for (const host::ReportCall& call : report.calls()) {
    if (call.name == QLatin1String("Text")) texts.append(call.args.at(0).toString());
    if (call.name == QLatin1String("AddTable"))
      texts.append(call.args.at(1).toString() + call.args.at(2).toString());
  }
  return texts.join(u'\n');
}

}  // namespace testsupport
