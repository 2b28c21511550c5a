#pragma once
// The guide's step list ("orvanView.XTestWizard"): the translated
// instruction steps of a test, one under the other, each with a round
// marker. Marked steps are the ones to follow now (dark text, a filled
// marker); the others are greyed, unless no step is marked
// (host::StepLook). Steps without text take no line.

#include <QList>
#include <QStringList>

#include "typelib/GuideControls.h"
#include "ui/UserControl.h"

namespace orvanView {

class XTestWizard final : public ui::UserControl, public host::ITestWizard {
 public:
  XTestWizard();
  ~XTestWizard() override;

  void SetSteps(QVariant& texts) override;
  void MarkSteps(QVariant& numbers) override;
  QStringList Steps() override { return steps_; }
  QList<rt::Integer> MarkedSteps() override { return marked_; }
  host::StepLook Look(rt::Integer number) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QStringList steps_;
  QList<rt::Integer> marked_;
};

}  // namespace orvanView
