#pragma once
// References to the host's objects, as the host's type library names them.

#include <QImage>
#include <QString>
#include <QVariant>
#include <memory>

#include "com/Object.h"
#include "runtime/Types.h"
#include "ui/WindowHandles.h"

namespace host {

#define RV1X_HOST_REFERENCE(Type) \
  class Type;                     \
  using Type##Ptr = std::shared_ptr<Type>

// The interfaces the system implements.
RV1X_HOST_REFERENCE(IPlugIn);
RV1X_HOST_REFERENCE(ISetup);
RV1X_HOST_REFERENCE(ITestElement);
RV1X_HOST_REFERENCE(ITestElementList);
RV1X_HOST_REFERENCE(IConfigData);
RV1X_HOST_REFERENCE(ILimitData);
RV1X_HOST_REFERENCE(IResultData);
RV1X_HOST_REFERENCE(IMeasurement);
RV1X_HOST_REFERENCE(IMeasurement2);
RV1X_HOST_REFERENCE(ICustomControl);
RV1X_HOST_REFERENCE(IDialog);
RV1X_HOST_REFERENCE(IOrvanQelQuery);

// The host's own objects.
RV1X_HOST_REFERENCE(XmlDocument);
RV1X_HOST_REFERENCE(XmlElement);
RV1X_HOST_REFERENCE(XmlNodeList);
RV1X_HOST_REFERENCE(XmlHelper);
RV1X_HOST_REFERENCE(HostLog);
RV1X_HOST_REFERENCE(HostReport);
RV1X_HOST_REFERENCE(ReportCanvas);
RV1X_HOST_REFERENCE(RegistryHelper);
RV1X_HOST_REFERENCE(RunContext);
RV1X_HOST_REFERENCE(TestFilter);
RV1X_HOST_REFERENCE(TestInfo);
RV1X_HOST_REFERENCE(HostCallBack);
RV1X_HOST_REFERENCE(StandardsCollection);
RV1X_HOST_REFERENCE(Standard);
RV1X_HOST_REFERENCE(Limit);
RV1X_HOST_REFERENCE(ServiceRecord);
RV1X_HOST_REFERENCE(TestGuideSettingsObject);
RV1X_HOST_REFERENCE(MtiList);
RV1X_HOST_REFERENCE(MtiEntry);

#undef RV1X_HOST_REFERENCE

// The product section of every text look-up and error report.
inline const QString kProduct = QStringLiteral("RV-1X");

}  // namespace host
