#include "services/ErrorService.h"

#include <cstdio>

#include "runtime/ErrorHandling.h"
#include "ui/MessageBoxes.h"

namespace host {

ErrorService::~ErrorService() = default;

std::shared_ptr<ErrorService> ErrorService::instance() {
  static auto service = std::make_shared<ErrorService>();
  return service;
}

void ErrorService::RaiseError(const QString& product, rt::Long number, const QString& source,
                              rt::Long severity, const QString& description) {
  if (product.isEmpty() && number == 0 && source.isEmpty()) {
    rt::passOn();
    return;
  }
  entries_.append(ErrorEntry{product, number, source, description, severity, false});
  throw rt::RuntimeError(number, source, description);
}

QString ErrorService::reportText(const rt::RuntimeError& error, const QString& source) {
  QString text =
      QStringLiteral("Error %1 (%2) in %3").arg(error.Number()).arg(error.hexNumber(), source);
  if (!error.Source().isEmpty() && error.Source() != source)
    text += QStringLiteral(" [%1]").arg(error.Source());
  if (!error.Description().isEmpty()) text += QStringLiteral(": ") + error.Description();
  return text;
}

QString ErrorService::adviceFor(const rt::RuntimeError& error) const {
  return advice_ ? rt::orDefault([&] { return advice_(error); }, QString()) : QString();
}

void ErrorService::ReportError(const rt::RuntimeError& error, const QString& source) {
  entries_.append(ErrorEntry{kProduct, error.Number(), source, error.Description(), 0, true});
  for (ReportCapture* capture : captures_) capture->reported_.append(error);
  QString text = reportText(error, source);
  if (const QString advice = adviceFor(error); !advice.isEmpty())
    text += QStringLiteral("; ") + advice;
  std::fprintf(stderr, "error: %s\n", qPrintable(text));
  std::fflush(stderr);
  ui::MessageBoxes::instance().showPrinted(text, ui::mb::OkOnly | ui::mb::Critical,
                                           ui::applicationTitle());
}

ErrorService& errors() {
  return com::must(ErrorService::instance());
}

QList<ErrorEntry> ErrorService::reported() const {
  QList<ErrorEntry> result;
  for (const ErrorEntry& e : entries_)
    if (e.reported) result.append(e);
  return result;
}

ReportCapture::ReportCapture() : service_(errors()) {
  service_.captures_.append(this);
}

ReportCapture::~ReportCapture() {
  service_.captures_.removeOne(this);
}

}  // namespace host
