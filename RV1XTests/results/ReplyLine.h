#pragma once
// The analyzer's reply to "M": a fixed-column line whose numbers stand
// right-aligned in their fields, blanks before them and blanks between the
// fields. Its layout is that of the range the switch is on, the whole line,
// whichever result reads it; the closing "!" is not part of it.
//
// A reply is a reading only when it stands in the columns of the layout the
// test needs: every field's number ends in the field's last column, nothing
// but blanks lies between the fields or after the last one. A line shifted
// against its columns, lengthened or of the other range gives no value at
// all. A field the line does not reach holds nothing; the layout's last field
// may end with the line, and its number then ends there.

#include <QString>
#include <optional>
#include <span>

namespace orvanRV1Xtst {

// One field of a layout: its first and last column (from 1), the quantity it
// shows, and whether that quantity can be below 0.
struct ReplyColumns {
  int first;
  int last;
  const char* quantity;
  bool signedQuantity = false;
};

struct ReplyLayout {
  const char* name;
  std::span<const ReplyColumns> fields;
  constexpr int lastColumn() const { return fields.back().last; }
};

// The ranges High and Low.
namespace defibrillatorline {
enum Field { Energy, PeakVoltage, PeakCurrent, Delay, ChargeTime };
inline constexpr ReplyColumns kColumns[] = {
    {1, 6, "energy"},  {9, 14, "peak voltage", true}, {17, 22, "peak current", true},
    {25, 31, "delay"}, {35, 40, "charge time"},
};
}  // namespace defibrillatorline
inline constexpr ReplyLayout kDefibrillatorLine{"defibrillator", defibrillatorline::kColumns};

// The range Pace.
namespace pacerline {
enum Field { Rate, PulseWidth, Amplitude, Sensitivity, SensedPeriod, PacedPeriod };
inline constexpr ReplyColumns kColumns[] = {
    {1, 3, "rate"},
    {8, 13, "pulse width"},
    {17, 22, "amplitude"},
    {35, 40, "sensitivity"},
    {44, 49, "sensed refractory period"},
    {53, 59, "paced refractory period"},
};
}  // namespace pacerline
inline constexpr ReplyLayout kPacerLine{"pacer", pacerline::kColumns};

// One field of the line that a result reads: the measurement it goes to, its
// field in the layout, and whether the analyzer's 0 there means "not
// measured yet".
struct ReplyField {
  const char* key;
  int field;
  bool zeroIsNone = false;
};

// What a field of a reply holds: its value when it was measured; else, when
// the reply is at fault, why not (empty for the analyzer's "not measured
// yet" 0).
struct FieldReading {
  std::optional<double> value;
  QString fault;
};

// A reply read by one layout.
class ReplyLine {
 public:
  ReplyLine(const QString& reply, const ReplyLayout& layout);

  // Why the reply is no reading at all; empty when it stands in the
  // layout's columns.
  const QString& fault() const { return fault_; }
  // What one field holds: nothing when the line is at fault; a plain
  // decimal number, blanks inside it ignored, and not below 0 unless the
  // quantity has a sign.
  FieldReading field(const ReplyField& field) const;

 private:
  QString CheckColumns() const;

  const ReplyLayout& layout_;
  QString line_;
  QString fault_;
};

// The number at the start of a reply's field: "." the decimal point, blanks,
// tabs and line feeds ignored; 0 when there is none, also when the reply ends
// before the field. For the polls that only ask whether the analyzer shows
// something yet.
double replyNumber(const QString& reply, int first, int length);

}  // namespace orvanRV1Xtst
