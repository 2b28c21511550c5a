#pragma once
// The editors whose settings are entries of fixed lists (refractory period,
// sensitivity, pacer accuracy): the guide settings in a frame on the left,
// and on the right, in the frame "fraTestSetup", one column per setting: a
// bold caption over a combo box of the simple style.
//
// Each box is bound to a text and a list position the configuration keeps
// (StoredChoice). An entry picked, or a text typed that names an entry
// (letter case aside), stores that entry's position and its own text; a
// text that names no entry stores nothing, and when the operator leaves the
// box it shows the stored entry again.

#include <QList>
#include <array>

#include "controls/SimpleComboBox.h"
#include "editors/XConfigEditor.h"

class QGroupBox;
class QLabel;

namespace orvanRV1Xtst {

// The two-list editors' designed width: the least width their layout
// takes (5055), which the frames need to show whole.
constexpr double kTwoListsDesignWidth = 5055;

struct StoredChoice {
  std::function<QString()> text;
  std::function<rt::Integer()> index;
  // Writes both, in the order the configuration takes them.
  std::function<void(rt::Integer index, const QString& text)> store;
  // Shows the stored entry again; without it the box shows the stored text.
  std::function<void()> show = {};
};

class XChoiceEditor : public XConfigEditor {
 public:
  ~XChoiceEditor() override;
  void SetFocus() override {}

 protected:
  struct Column {
    const char* label;
    const char* caption;
    const char* box;
  };
  XChoiceEditor(QString registeredName, double designWidth, double designHeight,
                const char* helpTextKey, const QList<Column>& columns);

  controls::SimpleComboBox* Box(int column) const { return boxes_.at(column); }
  template <std::size_t N>
  void Fill(int column, const std::array<const char*, N>& entries) {
    const InitialisingScope filling(*this);
    for (const char* entry : entries) Box(column)->AddItem(QLatin1String(entry));
  }
  // Binds a box; changed runs after an entry was stored, before "Change".
  void BindChoice(int column, StoredChoice stored, std::function<void()> changed = {});
  // Shows a stored text in a box without taking it for an edit.
  void ShowText(int column, const QString& text);

  // Whether a configuration is bound.
  virtual bool Bound() const = 0;
  // Enables the boxes exactly when a configuration is bound and the editor
  // is not locked.
  void EnableInputs() override;

  // Places the two frames side by side, frameHeight high, for an inner
  // width w: the guide frame a quarter of w within 2055..2895, the setup
  // frame the rest (at most maxSetupWidth), its columns side by side with
  // 120 twips between them; the boxes, which include their lists, fill the
  // frame down to 120 twips above its bottom.
  void LayOutFrames(double w, double frameHeight, double maxSetupWidth);
  // The layout of the two-list editors: at least 5055 x 1440 twips; below
  // 2520 the help line gets what is left under the inputs (shown when that
  // is more than 240), at 2520 or more its designed height; the frames end
  // 120 above it and the setup frame is at most 6360 wide.
  void LayOutTwoLists();
  void Layout() override { LayOutTwoLists(); }

  QGroupBox* fraTestGuideSettings_ = nullptr;
  QGroupBox* fraTestSetup_ = nullptr;
  QLabel* lblTestGuideSettings_ = nullptr;

 private:
  QList<QLabel*> labels_;
  QList<controls::SimpleComboBox*> boxes_;
};

}  // namespace orvanRV1Xtst
