#pragma once
// A toolbar of buttons by key, each with a tool tip and an image taken by
// key from three image lists: the normal images, those of a disabled button
// and those under the mouse. A button may carry a menu of entries by key.
//
// Events: ButtonClick (the button's key) and ButtonMenuClick (the entry's
// key). A disabled toolbar or button raises neither.

#include <QList>
#include <QString>
#include <QWidget>
#include <memory>

#include "controls/ImageList.h"

class QBoxLayout;
class QToolButton;

namespace controls {

class Toolbar : public QWidget {
  Q_OBJECT
 public:
  explicit Toolbar(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);
  ~Toolbar() override;

  void SetImageList(std::shared_ptr<const ImageList> images);
  void SetDisabledImageList(std::shared_ptr<const ImageList> images);
  void SetHotImageList(std::shared_ptr<const ImageList> images);

  // Appends a button; its images are looked up by imageKey in the lists.
  void AddButton(const QString& key, const QString& toolTip, const QString& imageKey);
  void AddButtonMenu(const QString& buttonKey, const QString& entryKey, const QString& text);
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  // Nothing for a key the toolbar does not hold.
  QToolButton* Button(const QString& key) const;
  void SetButtonEnabled(const QString& key, bool enabled);

  // Each button is the image size and a one-pixel border on every side.
  QSize ButtonSize() const;

 Q_SIGNALS:
  void ButtonClick(const QString& key);
  void ButtonMenuClick(const QString& key);

 private:
  struct Entry {
    QString key;
    QString imageKey;
    QToolButton* button;
  };
  void UpdateIcons();

  Qt::Orientation orientation_;
  QBoxLayout* layout_ = nullptr;
  QList<Entry> buttons_;
  std::shared_ptr<const ImageList> normal_, disabled_, hot_;
};

}  // namespace controls
