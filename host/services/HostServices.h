#pragma once
// The host's version and its port assignment: which port the host assigned
// to an instrument plug-in (below 1: none).

#include <QHash>

#include "typelib/HostTypes.h"

namespace host {

class VersionService : public virtual com::Object {
 public:
  ~VersionService() override;
  static std::shared_ptr<VersionService> instance();

  // Whether the host is at least that version (dotted numbers).
  virtual bool AtLeast(const QString& version);

  QString hostVersion() const { return hostVersion_; }
  void setHostVersion(const QString& version) { hostVersion_ = version; }

 private:
  QString hostVersion_ = QStringLiteral("2.4.0");
};

class PortAssignment : public virtual com::Object {
 public:
  ~PortAssignment() override;
  // The port assigned to the product; 0 when none.
  virtual rt::Long Port(const QString& product, const QString& detail);

  void assign(const QString& product, rt::Long port) { ports_.insert(product.toLower(), port); }
  void clear() { ports_.clear(); }

 private:
  QHash<QString, rt::Long> ports_;
};

class PortAssignmentService : public virtual com::Object {
 public:
  ~PortAssignmentService() override;
  static std::shared_ptr<PortAssignmentService> instance();
  virtual std::shared_ptr<PortAssignment> Assignment();

 private:
  std::shared_ptr<PortAssignment> assignment_ = std::make_shared<PortAssignment>();
};

// Compares dotted version texts numerically: negative, 0 or positive.
int compareVersions(const QString& a, const QString& b);

}  // namespace host
