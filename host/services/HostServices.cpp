#include "services/HostServices.h"

#include <QStringList>

namespace host {

int compareVersions(const QString& a, const QString& b) {
  const QStringList left = a.split(u'.');
  const QStringList right = b.split(u'.');
  for (int i = 0; i < std::max(left.size(), right.size()); ++i) {
    const int l = i < left.size() ? left[i].toInt() : 0;
    const int r = i < right.size() ? right[i].toInt() : 0;
    if (l != r) return l < r ? -1 : 1;
  }
  return 0;
}

VersionService::~VersionService() = default;

std::shared_ptr<VersionService> VersionService::instance() {
  static auto service = std::make_shared<VersionService>();
  return service;
}

bool VersionService::AtLeast(const QString& version) {
  return compareVersions(hostVersion_, version) >= 0;
}

PortAssignment::~PortAssignment() = default;

rt::Long PortAssignment::Port(const QString& product, const QString&) {
  return ports_.value(product.toLower(), 0);
}

PortAssignmentService::~PortAssignmentService() = default;

std::shared_ptr<PortAssignmentService> PortAssignmentService::instance() {
  static auto service = std::make_shared<PortAssignmentService>();
  return service;
}

std::shared_ptr<PortAssignment> PortAssignmentService::Assignment() {
  return assignment_;
}

}  // namespace host
