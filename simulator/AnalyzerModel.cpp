#include "AnalyzerModel.h"

#include <algorithm>

#include "WaveformBlock.h"

namespace rv1xsim {

namespace {

const QByteArray kAccepted = QByteArrayLiteral("!");
const QByteArray kRejected = QByteArrayLiteral("?");
const QByteArray kNotYet = QByteArrayLiteral("0!");
const QByteArray kDone = QByteArrayLiteral("1!");
const QByteArray kPrompt = QByteArrayLiteral("\r>");
const QByteArray kProbe = QByteArrayLiteral("\r\x0b");
const QByteArray kBareCR = QByteArrayLiteral("\r");
constexpr char kGarbage = '#';

// What the reply to "M" polls on the pace range: the measurements it shows
// as they are made. "D" polls the discharge and refractory measurements.
constexpr Reading kPolledByM[] = {Reading::Pacer, Reading::Sensitivity};

enum Trait {
  kAnyGeneration = 0,
  kNewerOnly = 1,  // the older generation answers "?"
  kLocalToo = 2,   // carried out also when not in remote mode
  kBinary = 4,     // the reply is a block without the prompt
};

}  // namespace

// One row of the command table: a letter alone, or a letter and a number of
// a fixed count of digits in a range ("Q00".."Q26").
struct AnalyzerModel::Command {
  char letter;
  int digits;
  int first;
  int last;
  int traits;
  Handler handler;
  QByteArray AnalyzerState::*setting;  // what choose() stores the code in
  const char* help;

  bool matches(const QByteArray& code) const {
    if (code.size() != 1 + digits || code.at(0) != letter) return false;
    if (digits == 0) return true;
    const QByteArray number = code.mid(1);
    if (!std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return false;
    return number.toInt() >= first && number.toInt() <= last;
  }

  QString label() const {
    auto code = [&](int n) {
      return QString(QLatin1Char(letter)) + QString::number(n).rightJustified(digits, u'0');
    };
    if (digits == 0) return QString(QLatin1Char(letter));
    return first == last ? code(first) : code(first) + u'-' + code(last);
  }
};

const QList<AnalyzerModel::Command>& AnalyzerModel::commandTable() {
  using M = AnalyzerModel;
  static const QList<Command> table{
      {'X', 0, 0, 0, kNewerOnly | kLocalToo, &M::enterOwnMode, nullptr,
       "enters the newer generation's own mode (remote control)"},
      {'Z', 0, 0, 0, kNewerOnly | kLocalToo, &M::leaveOwnMode, nullptr,
       "leaves that mode; settings and outputs stay as they are"},
      {'D', 0, 0, 0, kAnyGeneration, &M::reportCompletion, nullptr,
       "\"1!\" once the measurement last started (a shock, the refractory periods) is made, "
       "else \"0!\""},
      {'I', 0, 0, 0, kAnyGeneration, &M::reportRange, nullptr,
       "the range switch: \"P!\", \"H!\" or \"L!\""},
      {'M', 0, 0, 0, kAnyGeneration, &M::reportMeasurement, nullptr,
       "the measurement line of the range the switch is on, then \"!\"; 0 where not made yet"},
      {'P', 0, 0, 0, kAnyGeneration | kBinary, &M::sendWaveform, nullptr,
       "the waveform block of the last discharge (zeros before one)"},
      {'R', 0, 0, 0, kAnyGeneration, &M::reset, nullptr,
       "clears the measurements and awaits a shock; looks for pacer pulses anew"},
      {'F', 1, 3, 3, kAnyGeneration, &M::startChargeTime, nullptr,
       "charge-time mode: awaits a shock and times its charge"},
      {'C', 0, 0, 0, kAnyGeneration, &M::startRefractory, nullptr,
       "starts the refractory measurement"},
      {'S', 0, 0, 0, kAnyGeneration, &M::startSensitivity, nullptr,
       "starts the sensitivity measurement"},
      {'G', 0, 0, 0, kNewerOnly, &M::setPlayback, nullptr, "automatic playback on"},
      {'J', 0, 0, 0, kNewerOnly, &M::setPlayback, nullptr, "automatic playback off"},
      {'Q', 2, 0, 26, kAnyGeneration, &M::selectLoad, &AnalyzerState::load,
       "selects the pacer load; looks for pacer pulses anew"},
      {'Y', 2, 1, 15, kAnyGeneration, &M::choose, &AnalyzerState::trigger,
       "selects the trigger wave"},
      {'N', 2, 1, 21, kAnyGeneration, &M::choose, &AnalyzerState::noise, "selects the noise"},
      {'A', 1, 1, 4, kAnyGeneration, &M::choose, &AnalyzerState::amplitude,
       "selects the ECG amplitude (A1 2.0 mV .. A4 0.5 mV)"},
      {'E', 2, 1, 1, kAnyGeneration, &M::stopWave, nullptr, "ECG output off"},
      {'E', 2, 2, 20, kAnyGeneration, &M::choose, &AnalyzerState::wave, "plays an ECG wave"},
      {'W', 2, 1, 1, kAnyGeneration, &M::stopWave, nullptr, "test-wave output off"},
      {'W', 2, 2, 14, kAnyGeneration, &M::choose, &AnalyzerState::wave, "plays a test wave"},
      {'V', 2, 1, 8, kAnyGeneration, &M::choose, &AnalyzerState::wave,
       "plays a shock-advisory rhythm"},
  };
  return table;
}

const AnalyzerModel::Command* AnalyzerModel::find(const QByteArray& code) {
  const QList<Command>& table = commandTable();
  const auto row = std::find_if(table.begin(), table.end(),
                                [&](const Command& command) { return command.matches(code); });
  return row == table.end() ? nullptr : &*row;
}

QString AnalyzerModel::commandsHelp() {
  QString text;
  for (const Command& command : commandTable()) {
    QString traits;
    if (command.traits & kNewerOnly) traits = QStringLiteral(" (newer generation only)");
    text += QStringLiteral("  %1  %2%3\n")
                .arg(command.label().leftJustified(7), QLatin1String(command.help), traits);
  }
  text += QStringLiteral("  CR       \"!\"\n  other    \"?\"\n");
  return text;
}

AnalyzerModel::AnalyzerModel(SimulatorOptions options)
    : options_(std::move(options)),
      localLeft_(options_.faults.localReplies),
      garbageLeft_(options_.faults.garbageProbes) {}

void AnalyzerModel::setOptions(const SimulatorOptions& options) {
  options_ = options;
  localLeft_ = options_.faults.localReplies;
  garbageLeft_ = options_.faults.garbageProbes;
  rangeQueries_ = 0;
  arrivals_.clear();
}

bool AnalyzerModel::remote() const {
  return localLeft_ == 0 || mkiiiMode_;
}

Reply AnalyzerModel::respond(const QByteArray& command) {
  const Faults& faults = options_.faults;
  const int arrival = ++arrivals_[command];
  if (faults.silent) return {};
  if (auto raw = faults.rawReplies.find(command); raw != faults.rawReplies.end())
    return Reply{{raw.value()}};
  if (faults.ignored.matches(command, arrival)) return {};
  if (faults.rejected.matches(command, arrival)) return framed({kRejected}, command, arrival);
  const Answer answer = carryOut(command);
  for (const auto& [commands, text] : faults.answers)
    if (commands.matches(command, arrival)) return framed({text}, command, arrival);
  return framed(answer, command, arrival);
}

AnalyzerModel::Answer AnalyzerModel::carryOut(const QByteArray& command) {
  if (command == kProbe) {
    if (garbageLeft_ == 0) return {kAccepted};
    if (garbageLeft_ > 0) --garbageLeft_;
    return {QByteArray(1, kGarbage), false};
  }
  if (command == kBareCR) return {kAccepted};
  const QByteArray code = command.endsWith('\r') ? command.chopped(1) : command;
  const Command* row = find(code);
  if (!row || ((row->traits & kNewerOnly) && options_.generation != Generation::MkIII))
    return {kRejected};
  if (!remote() && !(row->traits & kLocalToo)) {
    // The operator switches to remote mode while the host keeps asking.
    if (code == "D" && localLeft_ > 0) --localLeft_;
    return {kRejected};
  }
  return {(this->*row->handler)(*row, code), !(row->traits & kBinary)};
}

Reply AnalyzerModel::framed(const Answer& answer, const QByteArray& command, int arrival) const {
  const Faults& faults = options_.faults;
  const QByteArray bytes = answer.prompt ? answer.text + kPrompt : answer.text;
  Reply reply;
  if (faults.lateMs > 0 && (faults.lateOnly.isEmpty() || faults.lateOnly.matches(command, arrival)))
    reply.delayMs = faults.lateMs;
  if (faults.hangUpOn.matches(command, arrival)) {
    reply.pieces.append(bytes.left(bytes.size() / 2));
    reply.hangUp = true;
    return reply;
  }
  if (faults.splitDelayMs > 0 &&
      (faults.splitOnly.isEmpty() || faults.splitOnly.matches(command, arrival))) {
    for (qsizetype at = 0; at < bytes.size(); at += faults.splitSize)
      reply.pieces.append(bytes.mid(at, faults.splitSize));
    reply.pieceDelayMs = faults.splitDelayMs;
  } else {
    reply.pieces.append(bytes);
  }
  return reply;
}

void AnalyzerModel::startMeasurement(std::initializer_list<Reading> readings, int polls) {
  awaited_ = readings;
  for (Reading reading : readings) progressOf(readings_, reading).start(polls);
}

QByteArray AnalyzerModel::enterOwnMode(const Command&, const QByteArray&) {
  mkiiiMode_ = true;
  return kAccepted;
}

QByteArray AnalyzerModel::leaveOwnMode(const Command&, const QByteArray&) {
  mkiiiMode_ = false;
  return kAccepted;
}

QByteArray AnalyzerModel::reportCompletion(const Command&, const QByteArray&) {
  bool made = true;
  for (Reading reading : awaited_) made = progressOf(readings_, reading).poll() && made;
  return made ? kDone : kNotYet;
}

QByteArray AnalyzerModel::reportRange(const Command&, const QByteArray&) {
  const QByteArray reply = QByteArray(1, options_.range) + kAccepted;
  RangeTurn& turn = options_.rangeTurn;
  if (turn.to != 0 && ++rangeQueries_ >= turn.afterQueries) {
    options_.range = turn.to;
    turn.to = 0;
  }
  return reply;
}

QByteArray AnalyzerModel::reportMeasurement(const Command&, const QByteArray&) {
  if (options_.range == 'P')
    for (Reading reading : kPolledByM) progressOf(readings_, reading).poll();
  return measurementLine() + kAccepted;
}

QByteArray AnalyzerModel::sendWaveform(const Command&, const QByteArray&) {
  return waveformBlock();
}

QByteArray AnalyzerModel::reset(const Command&, const QByteArray&) {
  for (Progress& progress : readings_) progress.clear();
  state_.chargeTimeMode = false;
  startMeasurement({Reading::Discharge}, options_.pendingPolls);
  progressOf(readings_, Reading::Pacer).start(options_.pacerPolls);
  return kAccepted;
}

QByteArray AnalyzerModel::startChargeTime(const Command&, const QByteArray&) {
  state_.chargeTimeMode = true;
  startMeasurement({Reading::Discharge, Reading::ChargeTime}, options_.pendingPolls);
  return kAccepted;
}

QByteArray AnalyzerModel::startRefractory(const Command&, const QByteArray&) {
  startMeasurement({Reading::Refractory}, options_.pendingPolls);
  return kAccepted;
}

QByteArray AnalyzerModel::startSensitivity(const Command&, const QByteArray&) {
  progressOf(readings_, Reading::Sensitivity).start(options_.sensitivityPolls);
  return kAccepted;
}

QByteArray AnalyzerModel::setPlayback(const Command&, const QByteArray& code) {
  state_.autoPlayback = code == "G";
  return kAccepted;
}

QByteArray AnalyzerModel::selectLoad(const Command& command, const QByteArray& code) {
  progressOf(readings_, Reading::Pacer).start(options_.pacerPolls);
  return choose(command, code);
}

QByteArray AnalyzerModel::choose(const Command& command, const QByteArray& code) {
  state_.*command.setting = code;
  return kAccepted;
}

QByteArray AnalyzerModel::stopWave(const Command&, const QByteArray&) {
  state_.wave.clear();
  return kAccepted;
}

QByteArray AnalyzerModel::measurementLine() const {
  return rv1xsim::measurementLine(options_.values, options_.range, readings_);
}

QByteArray AnalyzerModel::waveformBlock() const {
  const bool discharged = progressOf(readings_, Reading::Discharge).made();
  return rv1xsim::waveformBlock(options_, discharged ? options_.values.peakCurrent : 0.0);
}

}  // namespace rv1xsim
