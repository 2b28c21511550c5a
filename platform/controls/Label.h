#pragma once
// A label that tells when its caption changes: SetCaption with a text other
// than the one shown raises Change (after the new text is shown). A buddy
// control writes its value this way, and the label's owner takes the value
// from there.

#include <QLabel>

namespace controls {

class Label : public QLabel {
  Q_OBJECT
 public:
  explicit Label(QWidget* parent = nullptr);
  ~Label() override;

  QString Caption() const { return text(); }
  void SetCaption(const QString& caption);

 Q_SIGNALS:
  void Change();
};

}  // namespace controls
