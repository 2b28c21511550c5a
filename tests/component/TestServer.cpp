#include "TestGreeter.h"
#include "com/ServerModule.h"

namespace {
class CGreeter final : public ITestGreeter {
 public:
  QString Greet(const QString& name) override { return QStringLiteral("Hello, ") + name; }
};
}  // namespace

RV1X_COMPONENT_SERVER(com::ServerModule(QStringLiteral("rv1xtestserver"),
                                        {{QStringLiteral("CGreeter"), [] {
                                            return com::ObjectPtr(std::make_shared<CGreeter>());
                                          }}}))
