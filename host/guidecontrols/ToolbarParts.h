#pragma once
// The objects the toolbar hands out: its buttons, its status line with the
// result indicator, and the standard chosen on it. Each tells the toolbar
// when the guide changes it, so the toolbar redraws.

#include <QPointer>
#include <QToolButton>
#include <functional>

#include "typelib/GuideControls.h"

namespace orvanTGCL2 {

class TgButton final : public host::ToolbarButton {
 public:
  TgButton(rt::Long id, QToolButton* widget, std::function<void()> changed);
  ~TgButton() override;

  bool State() override { return state_; }
  bool Enabled() override { return enabled_; }
  void SetEnabled(bool enabled) override;
  rt::Long Id() override { return id_; }

  // Toolbar side.
  QToolButton* widget() const { return widget_.data(); }
  bool guideEnabled() const { return guideEnabled_; }
  void show(bool shown, bool enabled, bool state);

 private:
  rt::Long id_;
  QPointer<QToolButton> widget_;
  std::function<void()> changed_;
  bool guideEnabled_ = true;
  bool enabled_ = true;
  bool state_ = false;
};

class TgStatus final : public host::ToolbarStatus {
 public:
  explicit TgStatus(std::function<void()> changed);
  ~TgStatus() override;

  rt::Integer ResultStatus() override { return resultStatus_; }
  void SetResultStatus(rt::Integer status) override;
  QString Text() override { return text_; }
  void SetText(const QString& text) override;
  QString ResultNote() override { return note_; }
  void SetResultNote(const QString& note) override;

 private:
  std::function<void()> changed_;
  rt::Integer resultStatus_ = 0;
  QString text_;
  QString note_;
};

class TgSelection final : public host::StandardSelection {
 public:
  TgSelection(QString alphaName, QString completeName, bool flag);
  ~TgSelection() override;
  QString AlphaName() override { return alphaName_; }
  QString CompleteName() override { return completeName_; }
  bool Flag() override { return flag_; }

 private:
  QString alphaName_, completeName_;
  bool flag_;
};

}  // namespace orvanTGCL2
