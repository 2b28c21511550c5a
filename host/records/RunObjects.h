#pragma once
// The objects a test run gets from the host: the filter of the test, the
// callback of a dialog or control, and the analyzer identity list.

#include <QList>
#include <QVariantList>

#include "typelib/HostTypes.h"

namespace host {

class TestFilter : public virtual com::Object {
 public:
  ~TestFilter() override;
  // Bit 1: build a service record.
  virtual rt::Long Flags() { return flags_; }
  void setFlags(rt::Long flags) { flags_ = flags; }

  static constexpr rt::Long BuildServiceRecord = 1;

 private:
  rt::Long flags_ = 0;
};

// What a custom control tells its host after each change ("Change").
class HostCallBack : public virtual com::Object {
 public:
  ~HostCallBack() override;
  virtual QVariant Notify(QString& eventName, QVariantList& args) = 0;
};

// The callback used until the host sets its own: it counts the events.
class DefaultCallBack : public HostCallBack {
 public:
  ~DefaultCallBack() override;
  QVariant Notify(QString& eventName, QVariantList& args) override;
  const QStringList& events() const { return events_; }

 private:
  QStringList events_;
};

class MtiEntry : public virtual com::Object {
 public:
  ~MtiEntry() override;
  virtual void SetOwner(const QString& product, rt::Long index);
  virtual void SetIdentity(const QString& mtiType, const QString& serial, const QString& firmware);
  virtual QString Product() { return product_; }
  virtual rt::Long Index() { return index_; }
  virtual QString MtiType() { return type_; }
  virtual QString Serial() { return serial_; }
  virtual QString Firmware() { return firmware_; }

 private:
  QString product_;
  rt::Long index_ = 0;
  QString type_, serial_, firmware_;
};

class MtiList : public virtual com::Object {
 public:
  ~MtiList() override;
  // The entry of that product (without regard to case) and index, or Nothing.
  virtual MtiEntryPtr Find(const QString& product, rt::Long index);
  virtual void Add(const MtiEntryPtr& entry);  // error 91 for Nothing
  virtual rt::Long Count() { return static_cast<rt::Long>(entries_.size()); }
  const QList<MtiEntryPtr>& entries() const { return entries_; }
  QList<MtiEntryPtr>::const_iterator begin() const { return entries_.begin(); }
  QList<MtiEntryPtr>::const_iterator end() const { return entries_.end(); }

 private:
  QList<MtiEntryPtr> entries_;
};

}  // namespace host
