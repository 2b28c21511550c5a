#include "AnalyzerModel.h"

#include <algorithm>
#include <cmath>

namespace rv1xsim {

namespace {

const QByteArray kAccepted = QByteArrayLiteral("!");
const QByteArray kRejected = QByteArrayLiteral("?");
const QByteArray kPrompt = QByteArrayLiteral("\r>");
constexpr char kGarbage = '#';
constexpr int kLineLength = 59;  // the "!" makes the reply 60 characters

// Commands that only switch something on the analyzer and are acknowledged.
const QList<QByteArray> kPlainCommands{"R", "C", "S", "G", "J"};

// Parameter codes: a letter and a number in a fixed count of digits.
struct CodeFamily {
  char letter;
  int digits;
  int first;
  int last;
};
constexpr CodeFamily kCodeFamilies[] = {
    {'Q', 2, 0, 26},  // load
    {'Y', 2, 1, 15},  // trigger wave
    {'N', 2, 1, 21},  // noise
    {'E', 2, 1, 20},  // ECG wave
    {'W', 2, 1, 14},  // ECG wave, second set
    {'A', 1, 1, 4},   // ECG amplitude
    {'V', 2, 1, 8},   // shock-advisory rhythm
    {'F', 1, 1, 9},   // function mode (F3: charge time)
};

bool isParameterCode(const QByteArray& name) {
  for (const CodeFamily& family : kCodeFamilies) {
    if (name.size() != 1 + family.digits || name.at(0) != family.letter) continue;
    const QByteArray digits = name.mid(1);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return false;
    const int number = digits.toInt();
    return number >= family.first && number <= family.last;
  }
  return false;
}

// A field of the measurement reply: 1-based first column, width, decimals.
struct Column {
  int first;
  int width;
  int decimals;
  bool zeroPadded;
};

void place(QByteArray& line, const Column& column, double value) {
  QByteArray text = QByteArray::number(value, 'f', column.decimals);
  if (column.zeroPadded)
    text = text.rightJustified(column.width, '0', true);
  else
    text = text.rightJustified(column.width, ' ', true);
  line.replace(column.first - 1, column.width, text);
}

// Peak current per count of the waveform encoding, by generation and range.
double countScale(Generation generation, char range) {
  if (range == 'H') return generation == Generation::MkII ? 0.05 : -0.05;
  if (range == 'L') return generation == Generation::MkII ? 0.01 : -0.0111;
  return 0.0;
}

constexpr int kMkIIBlockBytes = 2000;
constexpr int kMkIISamplesUsed = 150;  // what the older generation's decoder reads

}  // namespace

QList<double> dischargeCurrent(double peakCurrent, int peakAt, int samples) {
  QList<double> values;
  values.reserve(samples);
  const double tau = std::max(peakAt, 1);
  for (int i = 0; i < samples; ++i) {
    const double x = i / tau;
    values.append(peakCurrent * x * std::exp(1.0 - x));
  }
  return values;
}

AnalyzerModel::AnalyzerModel(SimulatorOptions options)
    : options_(std::move(options)),
      localLeft_(options_.faults.localReplies),
      garbageLeft_(options_.faults.garbageProbes),
      pollsLeft_(options_.pendingPolls) {}

void AnalyzerModel::setOptions(const SimulatorOptions& options) {
  options_ = options;
  localLeft_ = options_.faults.localReplies;
  garbageLeft_ = options_.faults.garbageProbes;
  pollsLeft_ = options_.pendingPolls;
}

bool AnalyzerModel::remote() const {
  return localLeft_ == 0 || mkiiiMode_;
}

Reply AnalyzerModel::framed(const QByteArray& text, const QByteArray& command, bool prompt) const {
  Reply reply;
  const QByteArray bytes = prompt ? text + kPrompt : text;
  const Faults& faults = options_.faults;
  if (faults.hangUpOn.contains(command)) {
    reply.pieces.append(bytes.left(bytes.size() / 2));
    reply.hangUp = true;
    return reply;
  }
  if (faults.splitDelayMs > 0) {
    for (qsizetype at = 0; at < bytes.size(); at += faults.splitSize)
      reply.pieces.append(bytes.mid(at, faults.splitSize));
    reply.pieceDelayMs = faults.splitDelayMs;
  } else {
    reply.pieces.append(bytes);
  }
  return reply;
}

Reply AnalyzerModel::respond(const QByteArray& command) {
  const Faults& faults = options_.faults;
  if (faults.silent) return {};
  if (auto raw = faults.rawReplies.find(command); raw != faults.rawReplies.end())
    return Reply{{raw.value()}, 0, false};
  if (faults.ignored.contains(command)) return {};
  if (faults.rejected.contains(command)) return framed(kRejected, command);
  if (command == QByteArrayLiteral("\r\x0b")) {
    if (garbageLeft_ != 0) {
      if (garbageLeft_ > 0) --garbageLeft_;
      return Reply{{QByteArray(1, kGarbage)}, 0, false};
    }
    return framed(kAccepted, command);
  }
  if (command == QByteArrayLiteral("\r")) return framed(kAccepted, command);
  QByteArray name = command;
  name.chop(1);
  // The waveform block is binary: no prompt follows it.
  if (name == "P" && remote()) return framed(waveformBlock(), command, false);
  return framed(answer(name), command);
}

QByteArray AnalyzerModel::answer(const QByteArray& name) {
  const bool mkiii = options_.generation == Generation::MkIII;
  if (name == "X" || name == "Z") {
    if (!mkiii) return kRejected;
    mkiiiMode_ = name == "X";
    return kAccepted;
  }
  if (!remote()) {
    if (name == "D" && localLeft_ > 0) --localLeft_;
    return kRejected;
  }
  if (name == "D") {
    if (pollsLeft_ > 0) {
      --pollsLeft_;
      return QByteArrayLiteral("0!");
    }
    return QByteArrayLiteral("1!");
  }
  if (name == "I") return QByteArray(1, options_.range) + kAccepted;
  if (name == "M") return measurementLine() + kAccepted;
  if (name == "R") pollsLeft_ = options_.pendingPolls;
  if (kPlainCommands.contains(name) || isParameterCode(name)) return kAccepted;
  return kRejected;
}

QByteArray AnalyzerModel::measurementLine() const {
  QByteArray line(kLineLength, ' ');
  const Measurements& v = options_.values;
  if (options_.range == 'P') {
    place(line, {1, 3, 0, true}, v.rate);
    place(line, {8, 6, 1, false}, v.pulseWidth);
    place(line, {17, 6, 1, false}, v.amplitude);
    place(line, {35, 6, 2, false}, v.sensitivity);
    place(line, {44, 6, 0, false}, v.sensedRp);
    place(line, {53, 7, 0, false}, v.pacedRp);
  } else {
    place(line, {1, 6, 1, false}, v.energy);
    place(line, {9, 6, 1, false}, v.peakVoltage);
    place(line, {17, 6, 1, false}, v.peakCurrent);
    place(line, {25, 7, 1, false}, v.delay);
    place(line, {35, 6, 1, false}, v.chargeTime);
  }
  return line;
}

QByteArray AnalyzerModel::waveformBlock() const {
  const Generation generation = options_.generation;
  const double scale = countScale(generation, options_.range);
  QByteArray block;
  if (generation == Generation::MkIII) {
    const int words = options_.blockWords;
    block.append(static_cast<char>(words & 0xFF));
    block.append(static_cast<char>((words >> 8) & 0xFF));
    for (double current : dischargeCurrent(options_.values.peakCurrent, words / 4, words)) {
      // 12-bit two's complement, high byte first
      const int raw = scale == 0.0
                          ? 0
                          : std::clamp(static_cast<int>(std::lround(current / scale)), -2048, 2047);
      const int bits = raw & 0x0FFF;
      block.append(static_cast<char>(bits >> 8));
      block.append(static_cast<char>(bits & 0xFF));
    }
  } else {
    for (double current :
         dischargeCurrent(options_.values.peakCurrent, kMkIISamplesUsed / 4, kMkIIBlockBytes / 2)) {
      // 16-bit two's complement, high byte first
      const int raw =
          scale == 0.0 ? 0
                       : std::clamp(static_cast<int>(std::lround(current / scale)), -32768, 32767);
      block.append(static_cast<char>((raw >> 8) & 0xFF));
      block.append(static_cast<char>(raw & 0xFF));
    }
  }
  const Faults& faults = options_.faults;
  if (faults.blockBytes >= 0) block.truncate(faults.blockBytes);
  block.append(QByteArray(faults.extraBytes, '\x55'));
  return block;
}

}  // namespace rv1xsim
