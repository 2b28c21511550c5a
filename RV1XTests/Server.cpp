// The test library's component server.
#include "com/ServerModule.h"

RV1X_COMPONENT_SERVER(com::ServerModule(QStringLiteral("orvanRV1Xtst"), {}))
