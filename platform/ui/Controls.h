#pragma once
// The controls a form or user control added at run time (Controls.Add). The
// collection must be a member of its container, so that it takes the
// controls back out before Qt destroys the container's children.

#include <QString>
#include <memory>
#include <vector>

#include "ui/Extender.h"

namespace ui {

class Controls {
 public:
  explicit Controls(QWidget* container);
  ~Controls();
  Controls(const Controls&) = delete;
  Controls& operator=(const Controls&) = delete;

  // Creates a control by registered name (error 429 when there is none) and
  // adds it under the control name; a name already in use raises error 5.
  std::shared_ptr<Extender> Add(const QString& progId, const QString& name);
  // Adds an object that exists already.
  std::shared_ptr<Extender> AddObject(const com::ObjectPtr& object, const QString& name);

  std::shared_ptr<Extender> Item(const QString& name) const;  // Nothing when absent
  void Remove(const QString& name);
  int Count() const { return static_cast<int>(items_.size()); }
  QWidget* Container() const { return container_; }

 private:
  QWidget* container_;
  std::vector<std::shared_ptr<Extender>> items_;
};

}  // namespace ui
