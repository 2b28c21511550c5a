#pragma once
// A configuration's settings, described once as a table of members. A
// member is a field of the class with its default, the child of the stored
// element that holds it and how its text is written, its place in the order
// in which Load reads the children, and whether it is saved, copied and
// printed (with its report row). The table lists the members in the order
// Save writes them. The defaults of a new configuration, Save, Load,
// CopyFrom and the report rows all walk it:
//   - Save writes the saved members in the table's order;
//   - Load reads the members in their reading order; a missing child leaves
//     its field as it was, and a text that does not fit its field (a 16-bit
//     index beyond its range) raises there, so that the fields read before
//     it have their new values and those after it keep theirs;
//   - CopyFrom copies the copied members;
//   - the report prints the printed members in the order of their rows.
// The texts are converted as StoredSettings.h says.

#include <QList>
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <optional>
#include <type_traits>
#include <vector>

#include "runtime/Conversions.h"
#include "runtime/NumberDisplay.h"
#include "settings/CConfigBase.h"
#include "settings/StoredSettings.h"

namespace orvanRV1Xtst::setting {

// How a printed member shows its value.
enum class Shown {
  // The pattern "#0": a number, and a text that reads as one, as a whole
  // number (halves away from zero); any other text as it stands.
  Whole,
  // The number its text begins with (0 for none), in its shortest form as
  // the user reads numbers.
  LeadingNumber,
};

// How the text of a number is written.
enum class Written {
  Formatted,  // through the host's number formatter
  Digits,     // plain decimal digits, "-" before a negative number
};

template <class Config>
class Member {
 public:
  template <class T>
  Member(const char* child, T Config::*field, T byDefault, int readAs, Written written);

  // Printed in that row (counted from 1) of the configuration's table.
  Member& printed(int row, const char* textKey, const char* unit, Shown shown = Shown::Whole) {
    printed_ = Printed{row, QLatin1String(textKey), QLatin1String(unit), shown};
    return *this;
  }
  // Read from a stored element, never written by Save.
  Member& notSaved() {
    saved_ = false;
    return *this;
  }
  // Left at its default in a copy.
  Member& notCopied() {
    copy_ = nullptr;
    return *this;
  }
  // A number copied through the class's reader of the setting, so that a
  // stored value the reader cannot give fails the copy as it fails every
  // other reader.
  template <class Value>
  Member& copiedThrough(Value (Config::*reader)() const) {
    copy_ = [assign = assign_, reader](Config& target, const Config& source) {
      assign(target, static_cast<rt::Double>((source.*reader)()));
    };
    return *this;
  }

  const QString& child() const { return child_; }
  int readAs() const { return readAs_; }
  bool saved() const { return saved_; }
  bool isPrinted() const { return printed_.has_value(); }
  int printedRow() const { return printed_ ? printed_->row : 0; }

  void setDefault(Config& config) const { setDefault_(config); }
  void copy(Config& target, const Config& source) const {
    if (copy_) copy_(target, source);
  }
  void read(Config& config, host::XmlElement& element) const { read_(config, element, child_); }
  QString storedText(const Config& config) const { return storedText_(config); }
  // The row's value is formatted when the row is printed.
  ReportRow reportRow(const Config& config) const {
    return {printed_->textKey,
            [shownText = shownText_, &config, shown = printed_->shown] {
              return shownText(config, shown);
            },
            printed_->unit};
  }

 private:
  struct Printed {
    int row;
    QString textKey;
    QString unit;
    Shown shown;
  };

  QString child_;
  int readAs_;
  bool saved_ = true;
  std::optional<Printed> printed_;
  std::function<void(Config&)> setDefault_;
  std::function<void(Config&, const Config&)> copy_;
  std::function<void(Config&, rt::Double)> assign_;  // numbers only
  std::function<void(Config&, host::XmlElement&, const QString&)> read_;
  std::function<QString(const Config&)> storedText_;
  std::function<QString(const Config&, Shown)> shownText_;
};

template <class Config>
template <class T>
Member<Config>::Member(const char* child, T Config::*field, T byDefault, int readAs,
                       Written written)
    : child_(QLatin1String(child)), readAs_(readAs) {
  setDefault_ = [field, byDefault](Config& config) { config.*field = byDefault; };
  copy_ = [field](Config& target, const Config& source) { target.*field = source.*field; };
  read_ = [field](Config& config, host::XmlElement& element, const QString& name) {
    stored::read(element, name, config.*field);
  };
  if constexpr (std::is_same_v<T, QString>) {
    storedText_ = [field](const Config& config) { return config.*field; };
    shownText_ = [field](const Config& config, Shown shown) {
      const QString& text = config.*field;
      return shown == Shown::LeadingNumber ? rt::cstr(stored::number(text))
                                           : rt::format(text, QStringLiteral("#0"));
    };
  } else if constexpr (std::is_same_v<T, bool>) {
    storedText_ = [field](const Config& config) { return stored::flagText(config.*field); };
    shownText_ = [field](const Config& config, Shown) { return rt::cstr(QVariant(config.*field)); };
  } else {
    static_assert(std::is_arithmetic_v<T>, "a setting is a text, a flag or a number");
    assign_ = [field](Config& config, rt::Double value) { config.*field = static_cast<T>(value); };
    storedText_ = [field, written](const Config& config) {
      return written == Written::Digits ? QString::number(config.*field)
                                        : stored::numberText(config.*field);
    };
    // A single-precision number shows as the single value it is.
    using Number = std::conditional_t<std::is_same_v<T, rt::Single>, rt::Single, rt::Double>;
    shownText_ = [field](const Config& config, Shown shown) {
      const auto value = static_cast<Number>(config.*field);
      return shown == Shown::LeadingNumber ? rt::cstr(value)
                                           : rt::formatNumber(value, QStringLiteral("#0"));
    };
  }
}

// The members by kind: a text, a flag, a number written through the host's
// number formatter, a number written as plain digits. The arguments: the
// stored child's name, the field, its default, its place in the reading
// order (from 1).
template <class Config>
Member<Config> text(const char* child, QString Config::*field, const QString& byDefault,
                    int readAs) {
  return Member<Config>(child, field, byDefault, readAs, Written::Formatted);
}
template <class Config>
Member<Config> flag(const char* child, bool Config::*field, bool byDefault, int readAs) {
  return Member<Config>(child, field, byDefault, readAs, Written::Formatted);
}
template <class Config, class T>
Member<Config> formatted(const char* child, T Config::*field, std::type_identity_t<T> byDefault,
                         int readAs) {
  return Member<Config>(child, field, byDefault, readAs, Written::Formatted);
}
template <class Config, class T>
Member<Config> digits(const char* child, T Config::*field, std::type_identity_t<T> byDefault,
                      int readAs) {
  return Member<Config>(child, field, byDefault, readAs, Written::Digits);
}

template <class Config>
class Table {
 public:
  // The members in the order Save writes them.
  Table(std::initializer_list<Member<Config>> members) : members_(members) {
    for (const Member<Config>& member : members_) {
      reading_.push_back(&member);
      if (member.isPrinted()) printing_.push_back(&member);
    }
    std::stable_sort(reading_.begin(), reading_.end(),
                     [](const auto* a, const auto* b) { return a->readAs() < b->readAs(); });
    std::stable_sort(printing_.begin(), printing_.end(), [](const auto* a, const auto* b) {
      return a->printedRow() < b->printedRow();
    });
    // Each place in the reading order and each report row is given once.
    for (std::size_t i = 0; i < reading_.size(); ++i)
      Q_ASSERT(reading_[i]->readAs() == static_cast<int>(i) + 1);
    for (std::size_t i = 0; i < printing_.size(); ++i)
      Q_ASSERT(printing_[i]->printedRow() == static_cast<int>(i) + 1);
  }

  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  void SetDefaults(Config& config) const {
    for (const Member<Config>& member : members_) member.setDefault(config);
  }
  void Copy(Config& target, const Config& source) const {
    for (const Member<Config>& member : members_) member.copy(target, source);
  }
  void Load(Config& config, host::XmlElement& element) const {
    for (const Member<Config>* member : reading_) member->read(config, element);
  }
  void Save(const Config& config, host::XmlElement& element) const {
    for (const Member<Config>& member : members_)
      if (member.saved()) stored::write(element, member.child(), member.storedText(config));
  }
  QList<ReportRow> ReportRows(const Config& config) const {
    QList<ReportRow> rows;
    for (const Member<Config>* member : printing_) rows.append(member->reportRow(config));
    return rows;
  }

 private:
  std::vector<Member<Config>> members_;
  std::vector<const Member<Config>*> reading_;
  std::vector<const Member<Config>*> printing_;
};

}  // namespace orvanRV1Xtst::setting

namespace orvanRV1Xtst {

// A configuration whose settings a table of members describes. Derived
// gives the table as its static Settings() (befriending this class) and
// calls UseDefaults in its constructor; the table does its copy, the
// reading and writing of its setting children and its report rows.
template <class Derived>
class TabledConfig : public ConfigClass<Derived> {
 public:
  // The copied settings and a copy of the guide settings; nothing without
  // a source.
  void CopyFrom(const std::shared_ptr<Derived>& source) {
    if (!source) return;
    Derived::Settings().Copy(self(), *source);
    this->CopyTestGuideConfigFrom(*source);
  }

 protected:
  using ConfigClass<Derived>::ConfigClass;

  void UseDefaults() { Derived::Settings().SetDefaults(self()); }
  bool LoadSettings(host::XmlElement& element, const host::HostLogPtr&) override {
    Derived::Settings().Load(self(), element);
    return true;
  }
  void SaveSettings(host::XmlElement& element, const host::XmlDocumentPtr&) override {
    Derived::Settings().Save(self(), element);
  }
  QList<ReportRow> ReportRows() override { return Derived::Settings().ReportRows(self()); }

 private:
  Derived& self() { return static_cast<Derived&>(*this); }
};

}  // namespace orvanRV1Xtst
