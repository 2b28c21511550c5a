#pragma once
// One tab of the guide's content pane: its caption, its two pictures (the
// first shown normally, the second while the tab is selected), the colour
// of those pictures that is transparent, and the back colour of its page.
// A guide makes one per tab and hands it to the pane's AddTab.

#include <QImage>

#include "typelib/GuideControls.h"

namespace host {

class PaneTab : public virtual com::Object {
 public:
  ~PaneTab() override;

  virtual std::uint32_t MaskColor() { return maskColor_; }
  virtual void SetMaskColor(std::uint32_t color) { maskColor_ = color; }
  virtual std::uint32_t BackColor() { return backColor_; }
  virtual void SetBackColor(std::uint32_t color) { backColor_ = color; }
  virtual QImage Picture() { return picture_; }
  virtual void SetPicture(const QImage& picture) { picture_ = picture; }
  virtual QImage PictureAlt() { return pictureAlt_; }
  virtual void SetPictureAlt(const QImage& picture) { pictureAlt_ = picture; }
  virtual QString Caption() { return caption_; }
  virtual void SetCaption(const QString& caption) { caption_ = caption; }

 private:
  std::uint32_t maskColor_ = 0x00FF00FFu;
  std::uint32_t backColor_ = 0x8000000Fu;
  QImage picture_;
  QImage pictureAlt_;
  QString caption_;
};

}  // namespace host
