#include "ui/Controls.h"

#include "com/CreateObject.h"

namespace ui {

Controls::Controls(QWidget* container) : container_(container) {}

Controls::~Controls() {
  for (auto& item : items_) item->release();
}

std::shared_ptr<Extender> Controls::Add(const QString& progId, const QString& name) {
  if (Item(name))
    rt::raise(rt::err::InvalidCall, QString(),
              QStringLiteral("A control named '%1' exists already").arg(name));
  return AddObject(com::createObject(progId), name);
}

std::shared_ptr<Extender> Controls::AddObject(const com::ObjectPtr& object, const QString& name) {
  if (!object) rt::raise(rt::err::ObjectNotSet);
  auto extender = std::make_shared<Extender>(name, object, container_);
  items_.push_back(extender);
  return extender;
}

std::shared_ptr<Extender> Controls::Item(const QString& name) const {
  for (const auto& item : items_)
    if (item->Name().compare(name, Qt::CaseInsensitive) == 0) return item;
  return nullptr;
}

void Controls::Remove(const QString& name) {
  std::erase_if(items_, [&](const std::shared_ptr<Extender>& item) {
    if (item->Name().compare(name, Qt::CaseInsensitive) != 0) return false;
    item->release();
    return true;
  });
}

}  // namespace ui
