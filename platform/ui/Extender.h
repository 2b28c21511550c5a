#pragma once
// A control added to a container at run time by registered name under a
// control name ("isc", "irvResult") is held through its extender: name,
// place and size in twips, Visible, Move, Tag, the inner object, and
// ObjectEvent, through which the hosted control's events reach the
// container.

#include <QObject>
#include <QPointer>
#include <QVariantList>
#include <QWidget>
#include <memory>
#include <optional>

#include "com/Object.h"
#include "runtime/Types.h"

namespace ui {

class Extender : public QObject, public virtual com::Object {
  Q_OBJECT
 public:
  Extender(QString name, com::ObjectPtr object, QWidget* container);
  ~Extender() override;

  const QString& Name() const { return name_; }
  com::ObjectPtr Object() const { return object_; }
  QWidget* widget() const { return widget_.data(); }

  rt::Long Left() const;
  rt::Long Top() const;
  rt::Long Width() const;
  rt::Long Height() const;
  void SetLeft(double twips);
  void SetTop(double twips);
  void SetWidth(double twips);
  void SetHeight(double twips);
  // A width or height left out keeps the current one; a negative one raises
  // error 380 and leaves the control where it was.
  void Move(double left, double top, std::optional<double> width = std::nullopt,
            std::optional<double> height = std::nullopt);

  bool Visible() const;
  void SetVisible(bool visible);

  QString Tag() const { return tag_; }
  void SetTag(const QString& tag) { tag_ = tag; }

  // Gives the control's widget back to the container (after a dock).
  void reclaim();
  // Takes the widget out of every parent, so that no container deletes it.
  void release();

 Q_SIGNALS:
  void ObjectEvent(const QString& name, const QVariantList& parameters);

 private:
  QString name_;
  com::ObjectPtr object_;
  QPointer<QWidget> widget_;
  QPointer<QWidget> container_;
  QString tag_;
  bool visible_ = true;
};

}  // namespace ui
