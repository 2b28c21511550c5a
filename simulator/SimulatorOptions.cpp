#include "SimulatorOptions.h"

#include <QStringList>
#include <functional>

namespace rv1xsim {

namespace {

using Setter = std::function<bool(const QString& value, SimulatorOptions& o)>;

bool toInt(const QString& text, int& out, int minimum) {
  bool ok = false;
  const int v = text.toInt(&ok);
  if (!ok || v < minimum) return false;
  out = v;
  return true;
}

bool toDouble(const QString& text, double& out) {
  bool ok = false;
  const double v = text.toDouble(&ok);
  if (ok) out = v;
  return ok;
}

// A count that may be left out ("garbage": every time) or given ("garbage=1").
Setter countOrAlways(int Faults::*field) {
  return [field](const QString& v, SimulatorOptions& o) {
    if (v.isEmpty()) {
      o.faults.*field = -1;
      return true;
    }
    return toInt(v, o.faults.*field, 0);
  };
}

Setter commandSet(QSet<QByteArray> Faults::*field) {
  return [field](const QString& v, SimulatorOptions& o) {
    if (v.isEmpty()) return false;
    for (const QString& name : v.split(u'+', Qt::SkipEmptyParts))
      (o.faults.*field).insert(wireCommand(name));
    return true;
  };
}

Setter value(double Measurements::*field) {
  return [field](const QString& v, SimulatorOptions& o) { return toDouble(v, o.values.*field); };
}

struct Option {
  const char* name;
  const char* help;
  Setter set;
};

const QList<Option>& optionTable() {
  static const QList<Option> table{
      {"mkii", "the older generation (no \"X\", a fixed 2000-byte waveform block)",
       [](const QString& v, SimulatorOptions& o) {
         o.generation = Generation::MkII;
         return v.isEmpty();
       }},
      {"mkiii", "the newer generation (the default)",
       [](const QString& v, SimulatorOptions& o) {
         o.generation = Generation::MkIII;
         return v.isEmpty();
       }},
      {"range", "=P|H|L  the range switch (default H)",
       [](const QString& v, SimulatorOptions& o) {
         if (v.size() != 1 || !QStringLiteral("PHL").contains(v.at(0).toUpper())) return false;
         o.range = v.at(0).toUpper().toLatin1();
         return true;
       }},
      {"unpaced", "send as fast as the pseudo-terminal takes it, not at 9600 baud",
       [](const QString& v, SimulatorOptions& o) {
         o.paced = false;
         return v.isEmpty();
       }},
      {"words", "=N  length of the newer generation's waveform block in words (default 1000)",
       [](const QString& v, SimulatorOptions& o) {
         return toInt(v, o.blockWords, 0) && o.blockWords <= 65535;
       }},
      {"polls", "=N  \"D\" answers \"0!\" (nothing measured yet) N times after each \"R\"",
       [](const QString& v, SimulatorOptions& o) { return toInt(v, o.pendingPolls, 0); }},
      {"silent", "answer nothing",
       [](const QString& v, SimulatorOptions& o) {
         o.faults.silent = true;
         return v.isEmpty();
       }},
      {"local", "[=N]  not in remote mode (for the first N \"D\" commands only)",
       countOrAlways(&Faults::localReplies)},
      {"reject", "=CMD[+CMD...]  answer \"?\" to these commands (CR: the bare CR, PROBE: CR VT)",
       commandSet(&Faults::rejected)},
      {"ignore", "=CMD[+CMD...]  do not answer these commands", commandSet(&Faults::ignored)},
      {"hangup", "=CMD[+CMD...]  close the port halfway through the reply to these commands",
       commandSet(&Faults::hangUpOn)},
      {"garbage", "[=N]  answer the opening probe (the first N) with a garbage character",
       countOrAlways(&Faults::garbageProbes)},
      {"split", "=MS[/SIZE]  send replies in pieces of SIZE characters (default 1), MS apart",
       [](const QString& v, SimulatorOptions& o) {
         const QStringList parts = v.split(u'/');
         if (parts.size() > 2 || !toInt(parts[0], o.faults.splitDelayMs, 0)) return false;
         return parts.size() == 1 || toInt(parts[1], o.faults.splitSize, 1);
       }},
      {"truncate", "=N  cut the waveform block (length header included) to N bytes",
       [](const QString& v, SimulatorOptions& o) { return toInt(v, o.faults.blockBytes, 0); }},
      {"extra", "[=N]  send N surplus bytes (default 1) after the waveform block",
       [](const QString& v, SimulatorOptions& o) {
         if (v.isEmpty()) {
           o.faults.extraBytes = 1;
           return true;
         }
         return toInt(v, o.faults.extraBytes, 0);
       }},
      {"energy", "=J", value(&Measurements::energy)},
      {"peak-voltage", "=V", value(&Measurements::peakVoltage)},
      {"peak-current", "=A", value(&Measurements::peakCurrent)},
      {"delay", "=MS", value(&Measurements::delay)},
      {"charge-time", "=S", value(&Measurements::chargeTime)},
      {"rate", "=PPM",
       [](const QString& v, SimulatorOptions& o) { return toInt(v, o.values.rate, 0); }},
      {"pulse-width", "=MS", value(&Measurements::pulseWidth)},
      {"amplitude", "=MA", value(&Measurements::amplitude)},
      {"sensitivity", "=MV", value(&Measurements::sensitivity)},
      {"sensed-rp", "=MS", value(&Measurements::sensedRp)},
      {"paced-rp", "=MS", value(&Measurements::pacedRp)},
  };
  return table;
}

}  // namespace

QByteArray wireCommand(const QString& name) {
  if (name.compare(QLatin1String("CR"), Qt::CaseInsensitive) == 0) return QByteArrayLiteral("\r");
  if (name.compare(QLatin1String("PROBE"), Qt::CaseInsensitive) == 0)
    return QByteArrayLiteral("\r\x0b");
  return name.toLatin1() + '\r';
}

bool parseOptions(const QString& text, SimulatorOptions& out, QString* error) {
  SimulatorOptions parsed = out;
  for (const QString& item : text.split(u',', Qt::SkipEmptyParts)) {
    const QString name = item.section(u'=', 0, 0).trimmed().toLower();
    const QString value = item.section(u'=', 1).trimmed();
    bool known = false;
    for (const Option& option : optionTable()) {
      if (name != QLatin1String(option.name)) continue;
      known = true;
      if (!option.set(value, parsed)) {
        if (error)
          *error = QStringLiteral("simulator option %1: bad value \"%2\"").arg(name, value);
        return false;
      }
    }
    if (!known) {
      if (error) *error = QStringLiteral("unknown simulator option %1").arg(name);
      return false;
    }
  }
  out = parsed;
  return true;
}

QString optionsHelp() {
  QString text;
  for (const Option& option : optionTable()) {
    const QString help = QLatin1String(option.help);
    const bool joined = help.startsWith(u'=') || help.startsWith(u'[');
    text += QStringLiteral("  %1%2%3\n")
                .arg(QLatin1String(option.name), joined ? QString() : QStringLiteral("  "), help);
  }
  return text;
}

}  // namespace rv1xsim
