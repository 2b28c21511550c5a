// The guide control library's component server; each control adds itself.
#include "com/ServerModule.h"

RV1X_COMPONENT_SERVER(com::ServerModule(QStringLiteral("orvanTGCL2"), {}))
