#pragma once
// The base of a user control (an editor, a view, a hosted page): a widget
// that is also a component object, so it is created by registered name and
// held by reference like any other object. Its events reach the container
// through RaiseEvent, which the container's extender turns into its
// ObjectEvent (event name, parameter list).
//
// A control is owned by its references, never by a Qt parent: containers
// take their controls' widgets back out before they are destroyed.

#include <QVariantList>
#include <QWidget>

#include "com/Object.h"
#include "runtime/Types.h"

namespace ui {

class Extender;

class UserControl : public QWidget, public virtual com::Object {
  Q_OBJECT
 public:
  explicit UserControl(QWidget* parent = nullptr);
  ~UserControl() override;

  // Inner size in twips.
  rt::Long ScaleWidth() const;
  rt::Long ScaleHeight() const;

  std::uint32_t BackColor() const { return backColor_; }
  void SetBackColor(std::uint32_t oleColor);

  // The extender that hosts this control, when a container added it.
  Extender* ContainerExtender() const { return extender_; }

 Q_SIGNALS:
  void EventRaised(const QString& name, const QVariantList& parameters);

 protected:
  void RaiseEvent(const QString& name, const QVariantList& parameters = {});

 private:
  friend class Extender;
  Extender* extender_ = nullptr;
  std::uint32_t backColor_ = 0x8000000Fu;
};

}  // namespace ui
