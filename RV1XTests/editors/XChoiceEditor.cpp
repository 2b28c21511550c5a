#include "editors/XChoiceEditor.h"

#include <QGroupBox>
#include <QLabel>

namespace orvanRV1Xtst {

XChoiceEditor::XChoiceEditor(QString registeredName, double designWidth, double designHeight,
                             const char* helpTextKey, const QList<Column>& columns)
    : XConfigEditor(std::move(registeredName), designWidth, designHeight) {
  constexpr double kHelpHeight = 975;
  const double framesHeight = designHeight - kHelpHeight - 120;
  fraTestGuideSettings_ = AddFrame("fraTestGuideSettings", this, {0, 0, 2055, framesHeight});
  lblTestGuideSettings_ =
      AddCaption("lblTestGuideSettings", "20310::Test guide settings:", fraTestGuideSettings_,
                 {120, 120, 1815, 240});
  AddTestGuideSettings(fraTestGuideSettings_, {120, 420, 1815, 735});
  fraTestSetup_ = AddFrame("fraTestSetup", this, {2175, 0, designWidth - 2175, framesHeight});
  for (const Column& column : columns) {
    labels_.append(AddCaption(column.label, column.caption, fraTestSetup_, {}));
    boxes_.append(Add<controls::SimpleComboBox>(column.box, fraTestSetup_, {}));
  }
  AddHelpText(helpTextKey, {0, designHeight - kHelpHeight, designWidth, kHelpHeight});
  TranslateCaptions();
}

XChoiceEditor::~XChoiceEditor() = default;

void XChoiceEditor::BindChoice(int column, StoredChoice stored, std::function<void()> changed) {
  controls::SimpleComboBox* box = Box(column);
  const auto edited = [this, box, stored, changed] {
    Handle([&] {
      if (!Bound() || Locked() || Initialising()) return;
      const int index = box->ListIndex();
      if (index < 0) return;
      const QString text = box->List(index);
      if (index == stored.index() && text == stored.text()) return;
      stored.store(static_cast<rt::Integer>(index), text);
      if (changed) changed();
      ReportChange();
    });
  };
  connect(box, &controls::SimpleComboBox::Change, this, edited);
  connect(box, &controls::SimpleComboBox::Click, this, edited);
  connect(box, &controls::SimpleComboBox::LostFocus, this, [this, box, stored] {
    Handle([&] {
      if (!Bound() || Initialising()) return;
      const InitialisingScope showing(*this);
      if (stored.show) {
        stored.show();
        return;
      }
      const QString text = stored.text();
      if (box->Text() != text) box->SetText(text);
    });
  });
}

void XChoiceEditor::ShowText(int column, const QString& text) {
  const InitialisingScope showing(*this);
  Box(column)->SetText(text);
}

void XChoiceEditor::EnableInputs() {
  for (controls::SimpleComboBox* box : boxes_) box->setEnabled(Bound() && !Locked());
}

void XChoiceEditor::LayOutFrames(double w, double frameHeight, double maxSetupWidth) {
  const double g = Clamp(w * 0.25, 2055, 2895);
  Move(fraTestGuideSettings_, 0, 0, g, frameHeight);
  Move(lblTestGuideSettings_, 120, 120, g - 240);
  if (xtgTestGuideConfig_) xtgTestGuideConfig_->Move(120, 420, g - 240);

  const double left = g + 120;
  const double width = std::min(w - left, maxSetupWidth);
  Move(fraTestSetup_, left, 0, width, frameHeight);
  const auto columns = static_cast<double>(boxes_.size());
  const double c = (width - 120) / columns - 120;
  for (int i = 0; i < boxes_.size(); ++i) {
    const double x = 120 + i * (c + 120);
    Move(labels_.at(i), x, 120, c, 240);
    PlaceWindow(boxes_.at(i), x, 360, c, frameHeight - 480);
  }
}

void XChoiceEditor::LayOutTwoLists() {
  const double w = std::max<double>(ScaleWidth(), 5055);
  const double h = std::max<double>(ScaleHeight(), 1440);
  if (h < 2520)
    ShrinkHelpLine(h - 1440 - 240, 240);
  else
    RestoreHelpLine();
  LayOutFrames(w, HelpLineTop() - 120, 6360);
}

}  // namespace orvanRV1Xtst
