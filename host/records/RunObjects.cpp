#include "records/RunObjects.h"

namespace host {

TestFilter::~TestFilter() = default;
HostCallBack::~HostCallBack() = default;
DefaultCallBack::~DefaultCallBack() = default;

QVariant DefaultCallBack::Notify(QString& eventName, QVariantList&) {
  events_.append(eventName);
  return QVariant();
}

MtiEntry::~MtiEntry() = default;

void MtiEntry::SetOwner(const QString& product, rt::Long index) {
  product_ = product;
  index_ = index;
}

void MtiEntry::SetIdentity(const QString& mtiType, const QString& serial, const QString& firmware) {
  type_ = mtiType;
  serial_ = serial;
  firmware_ = firmware;
}

MtiList::~MtiList() = default;

MtiEntryPtr MtiList::Find(const QString& product, rt::Long index) {
  for (const MtiEntryPtr& entry : entries_)
    if (entry->Index() == index && entry->Product().compare(product, Qt::CaseInsensitive) == 0)
      return entry;
  return nullptr;
}

void MtiList::Add(const MtiEntryPtr& entry) {
  com::must(entry);
  entries_.append(entry);
}

}  // namespace host
