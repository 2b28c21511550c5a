#pragma once
// The host's list of test elements: a plug-in's catalogue, a group's
// members. Elements are kept in order; Find answers the first element of a
// test ID, looking into the members of groups (elements that are lists
// themselves) where it meets them.

#include <QList>

#include "typelib/IPlugIn.h"

namespace host {

class TestCollection : public ITestElementList {
 public:
  TestCollection();
  ~TestCollection() override;

  // Inserts before the element given as before, appends when before is
  // Nothing or not in the list; error 91 for no element. The third
  // argument is reserved (the plug-in passes 1).
  void Add(const ITestElementPtr& element, const com::ObjectPtr& before, rt::Long flags) override;
  rt::Long Count() override { return static_cast<rt::Long>(elements_.size()); }
  // 1-based; error 9 outside 1..Count.
  ITestElementPtr Item(rt::Long position) override;
  // Nothing when no element has that test ID.
  ITestElementPtr Find(rt::Long testID) override;
  void Clear() override { elements_.clear(); }

  QList<ITestElementPtr>::const_iterator begin() const { return elements_.begin(); }
  QList<ITestElementPtr>::const_iterator end() const { return elements_.end(); }

 private:
  QList<ITestElementPtr> elements_;
};

}  // namespace host
