#include "SimulatorOptions.h"

#include <QStringList>
#include <algorithm>
#include <functional>

namespace rv1xsim {

void CommandSet::add(const QByteArray& command, int occurrence) {
  entries_.append(Entry{command, occurrence});
}

bool CommandSet::matches(const QByteArray& command, int occurrence) const {
  return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& entry) {
    return entry.command == command && (entry.occurrence == 0 || entry.occurrence == occurrence);
  });
}

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

// "D", "D#2" (only the second "D"), "PROBE": one entry of a command list.
bool addCommand(const QString& item, CommandSet& set) {
  const QString name = item.section(u'#', 0, 0);
  if (name.isEmpty()) return false;
  int occurrence = 0;
  if (item.contains(u'#') && !toInt(item.section(u'#', 1), occurrence, 1)) return false;
  set.add(wireCommand(name), occurrence);
  return true;
}

// "CMD[#N][+CMD[#N]...]"
bool addCommands(const QString& list, CommandSet& set) {
  const QStringList items = list.split(u'+', Qt::SkipEmptyParts);
  if (items.isEmpty()) return false;
  for (const QString& item : items)
    if (!addCommand(item, set)) return false;
  return true;
}

Setter commandSet(CommandSet Faults::*field) {
  return [field](const QString& v, SimulatorOptions& o) { return addCommands(v, o.faults.*field); };
}

// "HEAD[:CMD+CMD...]": the commands go into only, HEAD is left for the caller.
bool takeCommands(const QString& v, QString& head, CommandSet& only) {
  head = v.section(u':', 0, 0);
  return !v.contains(u':') || addCommands(v.section(u':', 1), only);
}

bool toRange(const QString& text, char& out) {
  if (text.size() != 1 || !QStringLiteral("PHL").contains(text.at(0).toUpper())) return false;
  out = text.at(0).toUpper().toLatin1();
  return true;
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
       [](const QString& v, SimulatorOptions& o) { return toRange(v, o.range); }},
      {"turn-range", "=P|H|L/N  the operator turns the range switch after N replies to \"I\"",
       [](const QString& v, SimulatorOptions& o) {
         const QStringList parts = v.split(u'/');
         return parts.size() == 2 && toRange(parts[0], o.rangeTurn.to) &&
                toInt(parts[1], o.rangeTurn.afterQueries, 1);
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
      {"polls",
       "=N  the shock (or the refractory measurement) comes after N polls: \"D\" answers \"0!\" "
       "N times after each \"R\", \"F3\" or \"C\"",
       [](const QString& v, SimulatorOptions& o) { return toInt(v, o.pendingPolls, 0); }},
      {"pacer-polls",
       "=N  the pacer's pulses are seen from the (N+1)th \"M\" on the pace range after each "
       "\"R\" or load code (before it the rate reads 000)",
       [](const QString& v, SimulatorOptions& o) { return toInt(v, o.pacerPolls, 0); }},
      {"sensitivity-polls",
       "=N  the sensitivity shows from the (N+1)th \"M\" on the pace range after each \"S\"",
       [](const QString& v, SimulatorOptions& o) { return toInt(v, o.sensitivityPolls, 0); }},
      {"no-faults", "forget every fault given so far (on the input: behave again)",
       [](const QString& v, SimulatorOptions& o) {
         o.faults = Faults{};
         return v.isEmpty();
       }},
      {"silent", "answer nothing",
       [](const QString& v, SimulatorOptions& o) {
         o.faults.silent = true;
         return v.isEmpty();
       }},
      {"local", "[=N]  not in remote mode (for the first N \"D\" commands only)",
       countOrAlways(&Faults::localReplies)},
      {"reject", "=CMD[+CMD...]  answer \"?\" to these commands and do not carry them out",
       commandSet(&Faults::rejected)},
      {"ignore", "=CMD[+CMD...]  neither answer nor carry out these commands",
       commandSet(&Faults::ignored)},
      {"hangup", "=CMD[+CMD...]  close the port halfway through the reply to these commands",
       commandSet(&Faults::hangUpOn)},
      {"answer", "=CMD:TEXT  carry out the command but answer TEXT (then CR \">\")",
       [](const QString& v, SimulatorOptions& o) {
         CommandSet command;
         if (!v.contains(u':') || !addCommand(v.section(u':', 0, 0), command)) return false;
         o.faults.answers.append({command, v.section(u':', 1).toLatin1()});
         return true;
       }},
      {"late", "=MS[:CMD+CMD...]  start every reply (or those to these commands) MS late",
       [](const QString& v, SimulatorOptions& o) {
         QString delay;
         return takeCommands(v, delay, o.faults.lateOnly) && toInt(delay, o.faults.lateMs, 0);
       }},
      {"garbage", "[=N]  answer the opening probe (the first N) with a garbage character",
       countOrAlways(&Faults::garbageProbes)},
      {"split",
       "=MS[/SIZE][:CMD+CMD...]  send every reply (or those to these commands) in pieces of "
       "SIZE characters (default 1), MS apart",
       [](const QString& v, SimulatorOptions& o) {
         QString pace;
         if (!takeCommands(v, pace, o.faults.splitOnly)) return false;
         const QStringList parts = pace.split(u'/');
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
      {"energy", "=J  the discharge's energy (default 95)", value(&Measurements::energy)},
      {"peak-voltage", "=V  its peak voltage (1520)", value(&Measurements::peakVoltage)},
      {"peak-current", "=A  its peak current (30.4), also the waveform's peak",
       value(&Measurements::peakCurrent)},
      {"delay", "=MS  its delay (4.5)", value(&Measurements::delay)},
      {"charge-time", "=S  the charge time (4.2)", value(&Measurements::chargeTime)},
      {"rate", "=PPM  the pacer's rate (72; 0: no pulses ever seen)",
       [](const QString& v, SimulatorOptions& o) { return toInt(v, o.values.rate, 0); }},
      {"pulse-width", "=MS  its pulse width (10)", value(&Measurements::pulseWidth)},
      {"amplitude", "=MA  its pulse amplitude (70)", value(&Measurements::amplitude)},
      {"sensitivity", "=MV  its sensitivity (1.2)", value(&Measurements::sensitivity)},
      {"sensed-rp", "=MS  its sensed refractory period (250)", value(&Measurements::sensedRp)},
      {"paced-rp", "=MS  its paced refractory period (300)", value(&Measurements::pacedRp)},
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
  text += QStringLiteral(
      "  CMD is a command as sent (CR: the bare CR, PROBE: CR VT); CMD#N only its Nth arrival\n"
      "  since the options were set.\n");
  return text;
}

}  // namespace rv1xsim
