#pragma once
// The text of the registry store's INI file, read and written in the syntax
// that QSettings' INI format reads and writes, so a file either of them wrote
// reads the same in the other:
//
//   [HKEY_LOCAL_MACHINE]
//   Software\Tavrin\orvan\RV-1X\CommTimeOut=3000
//   Software\Tavrin\orvan\RV-1X\%40key=
//   Software\My%20Company\Serial="  SN 4711 "
//
// A value's path is its section's name and its key, '/' between the
// components ('\' in the file); a section "[General]" holds paths without a
// section. Names escape every character but letters, digits, '_', '-' and
// '.' as %XX (%UXXXX beyond Latin-1); values are quoted where blanks at
// either end, ',', ';' or '"' would change them, with C-style escapes inside.
//
// Nothing is dropped: comments, blank lines and lines that hold no section
// and no value stay where they were, and an entry keeps its own text until
// its value changes. New values go to the end of the section that holds
// their path's longest group, new sections to the end of the file.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <map>
#include <optional>

namespace platform {

class IniFile {
 public:
  // A line that holds no section, value or comment: kept, and told.
  struct Unreadable {
    int line = 0;  // 1-based
    QString text;
  };

  static IniFile parse(const QByteArray& content, QList<Unreadable>* unreadable = nullptr);
  QByteArray text() const;

  // Paths are compared exactly; the last of two entries of one path counts.
  bool contains(const QString& path) const;
  QVariant value(const QString& path) const;  // invalid when missing
  void setValue(const QString& path, const QVariant& value);
  void remove(const QString& path);
  // Every value whose path lies under the group.
  void removeGroup(const QString& group);
  // The groups and the keys directly under a group ("" the top), each once,
  // in QString order.
  QStringList childGroups(const QString& group) const { return children(group, true); }
  QStringList childKeys(const QString& group) const { return children(group, false); }

  // The file syntax of a value and back.
  static QString valueText(const QVariant& value);
  static QVariant readValue(QStringView text);

 private:
  struct Line {
    QString text;    // as in the file, or as written for a changed value
    QString key;     // an entry's key within its section; empty for other lines
    QVariant value;  // an entry's value
    bool entry = false;
  };
  struct Section {
    QString name;  // "" for the values without a section
    bool header = true;
    QList<Line> lines;
  };

  // Every entry's value by its path, the last entry of a path counting:
  // built when first asked after the file was read, kept by the changes.
  using Index = std::map<QString, QVariant>;

  static QString pathOf(const Section& section, const Line& line);
  // Whether the line is the entry of that path, without building its path.
  static bool holds(const Section& section, const Line& line, QStringView path);
  const Index& index() const;
  QStringList children(const QString& group, bool groups) const;
  // The section a new value of that path goes into (created when missing)
  // and the key it takes there.
  Section& sectionFor(const QString& path, QString& key);

  QList<Section> sections_;
  mutable std::optional<Index> index_;
};

}  // namespace platform
