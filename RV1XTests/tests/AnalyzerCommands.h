#pragma once
// What several runs send or read alike: the analyzer command a setting
// stands for, the poll for a finished discharge and the end of a played
// wave.

#include <QString>
#include <functional>

#include "runtime/Types.h"

namespace orvanRV1Xtst {

// A command sent with the connection's error checking; its reply as text.
using SendCommandFn = std::function<QString(const QString&)>;

// The analyzer's command for a setting. A setting outside its code table
// (a stored index beyond the list, a text typed that names no entry) has
// none, and an empty command would leave the analyzer on whatever it was
// set to before: error 5, naming the setting and what it holds, so that the
// run ends before the analyzer is touched.
QString settingCommand(const QString& command, const QString& setting, const QString& stored);

// One poll for a finished discharge: "D"; unless that answers "0!", "M",
// whose reply counts once its energy (characters 1 to 6) is above 0. The
// reply, or "" while there is none yet.
QString pollDischarge(const SendCommandFn& send);

// Switches the analyzer's ECG and test-wave outputs off, so that the
// monitor under test is not left watching a simulation.
void switchOutputsOff(const SendCommandFn& send);

}  // namespace orvanRV1Xtst
