#pragma once
// Locale-independent number texts for stored documents, and folder paths
// ready for a file name.

#include "typelib/HostTypes.h"

namespace host {

class NumberFormatter : public virtual com::Object {
 public:
  ~NumberFormatter() override;
  static std::shared_ptr<NumberFormatter> instance();

  // "." as the decimal point, no grouping, the shortest text that reads
  // back as the same value; Booleans "True"/"False"; Empty gives "".
  virtual QString NumberText(const QVariant& value);
  // NumberText of a Single appended to a text being built, without a text
  // of its own (a waveform's hundreds of samples).
  virtual void AppendNumberText(QString& text, rt::Single value);
  // The folder with a trailing "/", so that a file name can follow.
  virtual QString FolderPath(const QString& folder);
};

}  // namespace host
