#pragma once
// The instruction pop-up ("RV1XTests.XTestInstruction"): a picture and one
// line of translated text that the guide window lays over its result view
// whenever the operator has to act before the test can go on ("Please set
// range to Pace", "Start pacer", "Please wait..."). While it flashes, its
// back colour alternates every 500 ms between red and the window colour.
//
// Parts, by name: imgIcon (the picture, a 48 x 48 bitmap of the library),
// lblHelpTxt (the text, Verdana bold 14.25 pt), shpBackground (the panel
// 45 twips inside every edge) and the flash timer tmrFlash.

#include "ui/Timer.h"
#include "ui/UserControl.h"

class QLabel;

namespace orvanRV1Xtst {

class XTestInstruction final : public ui::UserControl {
 public:
  XTestInstruction();
  ~XTestInstruction() override;

  bool Flash() const { return tmrFlash_.Enabled(); }
  // True shows red at once and then alternates; False stops on the window
  // colour.
  void SetFlash(bool fFlash);
  // The picture of that bitmap name (an empty name keeps the picture shown)
  // and the translation of the text. A name that is no bitmap of the
  // library raises 326 and changes nothing.
  void ShowMsg(const QString& sIconID, const QString& sMsgLid);

  // The parts, for the guide and for tests.
  QLabel* Icon() const { return imgIcon_; }
  QLabel* HelpText() const { return lblHelpTxt_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void tmrFlash_Timer();
  void UserControl_Resize();

  ui::Timer tmrFlash_;
  QWidget* shpBackground_ = nullptr;
  QLabel* imgIcon_ = nullptr;
  QLabel* lblHelpTxt_ = nullptr;
};

using XTestInstructionPtr = std::shared_ptr<XTestInstruction>;

}  // namespace orvanRV1Xtst
