#include "elements/TestCollection.h"

#include "typelib/ITestElement.h"

namespace host {

namespace {
const QString kSource = QStringLiteral("TestCollection");
}  // namespace

TestCollection::TestCollection() = default;
TestCollection::~TestCollection() = default;

void TestCollection::Add(const ITestElementPtr& element, const com::ObjectPtr& before,
                         rt::Long /*flags*/) {
  com::must(element);
  qsizetype position = elements_.size();
  if (before) {
    for (qsizetype i = 0; i < elements_.size(); ++i)
      if (com::ObjectPtr(elements_.at(i)) == before) {
        position = i;
        break;
      }
  }
  elements_.insert(position, element);
}

ITestElementPtr TestCollection::Item(rt::Long position) {
  if (position < 1 || position > Count()) rt::raise(rt::err::SubscriptOutOfRange, kSource);
  return elements_.at(position - 1);
}

ITestElementPtr TestCollection::Find(rt::Long testID) {
  for (const ITestElementPtr& element : elements_) {
    if (element->TestID() == testID) return element;
    if (auto group = com::queryInterface<ITestElementList>(element))
      if (ITestElementPtr member = group->Find(testID)) return member;
  }
  return nullptr;
}

}  // namespace host
