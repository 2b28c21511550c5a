#pragma once
// The instrument link's own names and texts.

#include <QString>

namespace orvanRV1Xvti {

// The deliverable's file name: its title in message boxes and the source of
// the port-status errors.
inline const QString kLibrary = QStringLiteral("orvanRV1Xvti");
inline const QString kConnectionSource = QStringLiteral("RV1XVTI.CRV1XVti");
inline const QString kLinkSource = QStringLiteral("MComm");

inline const QString kRegistryKey = QStringLiteral("Software\\Tavrin\\orvan\\RV-1X");
inline const QString kCommTimeOutValue = QStringLiteral("CommTimeOut");

namespace text {
inline const QString NoAnalyzerFound = QStringLiteral(
    "20321::No MTI was found connected. Check that your RV-1X is connected and that it has been "
    "powered on.");
inline const QString NotInRemoteMode = QStringLiteral(
    "20320::A RV-1X was found on port %%1, but it is not set in remote mode. If you want to use "
    "this MTI set it in remote mode and press 'Retry'.");
}  // namespace text

}  // namespace orvanRV1Xvti
