#include "SequenceReport.h"

#include "records/RunContext.h"
#include "report/HostReport.h"
#include "runtime/ErrorHandling.h"
#include "sequence/SequenceDocument.h"
#include "services/ErrorService.h"
#include "typelib/ITestElement.h"

namespace hostapp {

namespace {
const QString kSource = QStringLiteral("rv1x-host");

// Output kind and option flag with which a result prints its waveform.
constexpr rt::Long kOutputWithWaveform = 3;
constexpr rt::Long kPrintDischargeCurve = 8;

constexpr double kTitleSize = 14;
constexpr double kTextSize = 10;
constexpr rt::Long kLeft = 0;

void reported(const rt::RuntimeError& error) {
  host::ErrorService::instance()->ReportError(error, kSource);
}

// The report's own font and alignment, whatever a test's print left: each
// test's heading and tables start from the same.
void hostStyle(host::HostReport& report, double size, bool bold) {
  rt::ignoreErrors([&] {
    host::ReportFont& font = com::must(report.Font());
    font.SetName(QStringLiteral("Arial"));
    font.SetSize(size);
    font.SetBold(bold);
    font.SetItalic(false);
    report.SetTextAlignment(kLeft);
  });
}

}  // namespace

bool printSequenceReport(host::SequenceDocument& sequence, const QString& file,
                         const QString& title) {
  auto report = std::make_shared<host::CanvasReport>(file);
  report->setOutputKind(kOutputWithWaveform);
  report->setOptionFlags(kPrintDischargeCurve);
  hostStyle(*report, kTitleSize, true);
  rt::ignoreErrors([&] { report->Text(title); });
  for (int i = 0; i < sequence.Count(); ++i) {
    const host::ITestElementPtr element = sequence.Element(i);
    if (!element) continue;
    hostStyle(*report, kTextSize, false);
    auto ctx = std::make_shared<host::RunContext>();
    ctx->setSelectedStandards(sequence.JudgedBy(i));
    rt::onError([&] { element->PrintReport(report, com::toVariantOf(ctx)); }, reported);
    rt::ignoreErrors([&] { report->Text(QString()); });
  }
  report->finish();
  if (report->fileWritten()) return true;
  reported(rt::RuntimeError(rt::err::PathFileAccessError, kSource,
                            QStringLiteral("Cannot write the report %1").arg(file)));
  return false;
}

}  // namespace hostapp
