#include "registry/IniFile.h"

#include <algorithm>
#include <set>

namespace platform {

namespace {

const QString kGeneral = QStringLiteral("General");

bool plainNameCharacter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u'_' || c == u'-' || c == u'.';
}

QString hex(unsigned value, int digits) {
  return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

// A section name or key as the file writes it: '/' becomes '\', every other
// character beyond the plain ones %XX or %UXXXX.
QString escapedName(const QString& name) {
  QString out;
  for (const QChar c : name) {
    const char16_t u = c.unicode();
    if (u == u'/')
      out += u'\\';
    else if (plainNameCharacter(u))
      out += c;
    else if (u <= 0xFF)
      out += u'%' + hex(u, 2);
    else
      out += QStringLiteral("%U") + hex(u, 4);
  }
  return out;
}

QString unescapedName(QStringView text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c == u'\\' || c == u'/') {
      out += u'/';
      continue;
    }
    if (c == u'%') {
      const bool wide = i + 1 < text.size() && text.at(i + 1) == u'U';
      const qsizetype start = i + (wide ? 2 : 1);
      const qsizetype digits = wide ? 4 : 2;
      bool ok = false;
      const uint code = text.mid(start, digits).toUInt(&ok, 16);
      if (ok && start + digits <= text.size()) {
        out += QChar(char16_t(code));
        i = start + digits - 1;
        continue;
      }
    }
    out += c;
  }
  return out;
}

bool isHexDigit(QChar c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

QString escapedString(const QString& text) {
  static const QString special = QStringLiteral(",;\"");
  bool quote = !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
  QString out;
  bool afterHexEscape = false;
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (special.contains(c)) quote = true;
    const bool continuesHex = afterHexEscape && isHexDigit(c);
    afterHexEscape = false;
    switch (u) {
      case u'\\':
        out += QStringLiteral("\\\\");
        continue;
      case u'"':
        out += QStringLiteral("\\\"");
        continue;
      case u'\a':
        out += QStringLiteral("\\a");
        continue;
      case u'\b':
        out += QStringLiteral("\\b");
        continue;
      case u'\f':
        out += QStringLiteral("\\f");
        continue;
      case u'\n':
        out += QStringLiteral("\\n");
        continue;
      case u'\r':
        out += QStringLiteral("\\r");
        continue;
      case u'\t':
        out += QStringLiteral("\\t");
        continue;
      case u'\v':
        out += QStringLiteral("\\v");
        continue;
      default:
        break;
    }
    // A hex escape takes every hex digit that follows it, so a digit right
    // after one is escaped too.
    if (u < 0x20 || u == 0x7F || continuesHex) {
      out += QStringLiteral("\\x") + QString::number(u, 16);
      afterHexEscape = true;
      continue;
    }
    out += c;
  }
  return quote ? u'"' + out + u'"' : out;
}

// One value of the file: quotes group, unquoted ',' separates the items of
// a list, unquoted ';' starts a comment, blanks around unquoted text go.
QStringList readItems(QStringView text) {
  QStringList items;
  QString item;
  qsizetype significant = 0;  // the item's length without trailing blanks
  bool quoted = false;
  bool started = false;
  auto endItem = [&] {
    item.truncate(significant);
    items.append(item);
    item.clear();
    significant = 0;
    started = false;
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c == u'"') {
      quoted = !quoted;
      started = true;
      significant = item.size();
      continue;
    }
    if (c == u'\\') {
      started = true;
      if (++i >= text.size()) break;
      const QChar e = text.at(i);
      static const QString plain = QStringLiteral("\"'\\?");
      static const QString named = QStringLiteral("abfnrtv");
      static const QString controls = QStringLiteral("\a\b\f\n\r\t\v");
      if (plain.contains(e)) {
        item += e;
      } else if (named.contains(e)) {
        item += controls.at(named.indexOf(e));
      } else if (e == u'x' || (e >= u'0' && e <= u'7')) {
        const bool hexadecimal = e == u'x';
        uint code = hexadecimal ? 0 : e.unicode() - u'0';
        while (i + 1 < text.size() &&
               (hexadecimal ? isHexDigit(text.at(i + 1))
                            : (text.at(i + 1) >= u'0' && text.at(i + 1) <= u'7'))) {
          ++i;
          code = code * (hexadecimal ? 16 : 8) + QString(text.at(i)).toUInt(nullptr, 16);
        }
        item += QChar(char16_t(code));
      }
      significant = item.size();
      continue;
    }
    if (!quoted) {
      if (c == u';') break;
      if (c == u',') {
        endItem();
        continue;
      }
      if (c.isSpace()) {
        if (started) item += c;
        continue;
      }
    }
    item += c;
    started = true;
    significant = item.size();
  }
  endItem();
  return items;
}

QVariant fromItem(const QString& item) {
  if (!item.startsWith(u'@')) return item;
  if (item.startsWith(QStringLiteral("@@"))) return item.mid(1);
  if (item == QStringLiteral("@Invalid()")) return QVariant();
  if (item.startsWith(QStringLiteral("@ByteArray(")) && item.endsWith(u')'))
    return item.mid(11, item.size() - 12).toLatin1();
  return item;
}

QString itemText(const QVariant& value) {
  if (!value.isValid()) return QStringLiteral("@Invalid()");
  switch (value.typeId()) {
    case QMetaType::QByteArray:
      return escapedString(QStringLiteral("@ByteArray(") +
                           QString::fromLatin1(value.toByteArray()) + u')');
    case QMetaType::Bool:
      return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
      break;
  }
  const QString text = value.toString();
  return escapedString(text.startsWith(u'@') ? u'@' + text : text);
}

}  // namespace

QString IniFile::valueText(const QVariant& value) {
  if (value.typeId() == QMetaType::QStringList) {
    const QStringList items = value.toStringList();
    if (items.isEmpty()) return QStringLiteral("@Invalid()");
    QStringList texts;
    for (const QString& item : items) texts.append(itemText(item));
    return texts.join(QStringLiteral(", "));
  }
  return itemText(value);
}

QVariant IniFile::readValue(QStringView text) {
  const QStringList items = readItems(text);
  if (items.size() > 1) return items;
  return fromItem(items.value(0));
}

IniFile IniFile::parse(const QByteArray& content, QList<Unreadable>* unreadable) {
  IniFile file;
  file.sections_.append(Section{QString(), false, {}});
  const QStringList lines = QString::fromUtf8(content).split(u'\n');
  for (qsizetype n = 0; n < lines.size(); ++n) {
    QString text = lines.at(n);
    if (text.endsWith(u'\r')) text.chop(1);
    if (n == lines.size() - 1 && text.isEmpty()) break;  // the end of the last line
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(u'[')) {
      qsizetype end = trimmed.indexOf(u']');
      if (end < 0) end = trimmed.size();
      const QString header = trimmed.mid(1, end - 1).trimmed();
      // "[General]" holds the paths without a section; a group of that name
      // is written "[%General]".
      const QString name = header == kGeneral          ? QString()
                           : header == u'%' + kGeneral ? kGeneral
                                                       : unescapedName(header);
      file.sections_.append(Section{name, true, {Line{text, {}, {}, false}}});
      continue;
    }
    Line line{text, {}, {}, false};
    const qsizetype equals = text.indexOf(u'=');
    const bool comment = trimmed.isEmpty() || trimmed.startsWith(u';') || trimmed.startsWith(u'#');
    if (!comment) {
      const QString key = equals > 0 ? unescapedName(text.left(equals).trimmed()) : QString();
      if (key.isEmpty()) {
        if (unreadable) unreadable->append(Unreadable{int(n + 1), text});
      } else {
        line.entry = true;
        line.key = key;
        line.value = readValue(QStringView(text).mid(equals + 1));
      }
    }
    file.sections_.last().lines.append(line);
  }
  return file;
}

QByteArray IniFile::text() const {
  QString out;
  for (const Section& section : sections_)
    for (const Line& line : section.lines) out += line.text + u'\n';
  return out.toUtf8();
}

QString IniFile::pathOf(const Section& section, const Line& line) {
  return section.name.isEmpty() ? line.key : section.name + u'/' + line.key;
}

bool IniFile::holds(const Section& section, const Line& line, QStringView path) {
  if (!line.entry) return false;
  if (section.name.isEmpty()) return line.key == path;
  const qsizetype name = section.name.size();
  return path.size() == name + 1 + line.key.size() && path.at(name) == u'/' &&
         path.startsWith(section.name) && path.mid(name + 1) == line.key;
}

const IniFile::Index& IniFile::index() const {
  if (!index_) {
    index_.emplace();
    for (const Section& section : sections_)
      for (const Line& line : section.lines)
        if (line.entry) (*index_)[pathOf(section, line)] = line.value;
  }
  return *index_;
}

bool IniFile::contains(const QString& path) const {
  return index().count(path) > 0;
}

QVariant IniFile::value(const QString& path) const {
  const auto found = index().find(path);
  return found == index().end() ? QVariant() : found->second;
}

IniFile::Section& IniFile::sectionFor(const QString& path, QString& key) {
  Section* best = nullptr;
  for (Section& section : sections_) {
    const bool holds = section.name.isEmpty() ? !path.contains(u'/')
                                              : path.startsWith(section.name + u'/') &&
                                                    path.size() > section.name.size() + 1;
    if (holds && (!best || section.name.size() >= best->name.size())) best = &section;
  }
  if (!best) {
    const QString name = path.contains(u'/') ? path.section(u'/', 0, 0) : QString();
    const QString header =
        name.isEmpty() ? kGeneral : (name == kGeneral ? u'%' + kGeneral : escapedName(name));
    Section& last = sections_.last();
    if (!last.lines.isEmpty() && !last.lines.last().text.trimmed().isEmpty())
      last.lines.append(Line{QString(), {}, {}, false});
    sections_.append(Section{name, true, {Line{u'[' + header + u']', {}, {}, false}}});
    best = &sections_.last();
  }
  key = best->name.isEmpty() ? path : path.mid(best->name.size() + 1);
  return *best;
}

void IniFile::setValue(const QString& path, const QVariant& value) {
  Line* existing = nullptr;
  if (contains(path))
    for (Section& section : sections_)
      for (Line& line : section.lines)
        if (holds(section, line, path)) existing = &line;
  (*index_)[path] = value;
  if (existing) {
    const qsizetype equals = existing->text.indexOf(u'=');
    existing->value = value;
    existing->text = existing->text.left(equals + 1) + valueText(value);
    return;
  }
  QString key;
  Section& section = sectionFor(path, key);
  Line line{escapedName(key) + u'=' + valueText(value), key, value, true};
  // After the section's last entry, before the blank lines that part it
  // from the next.
  qsizetype at = section.lines.size();
  while (at > 0 && !section.lines.at(at - 1).entry &&
         section.lines.at(at - 1).text.trimmed().isEmpty())
    --at;
  if (at == 0 && section.header) at = 1;
  section.lines.insert(at, line);
}

void IniFile::remove(const QString& path) {
  if (!contains(path)) return;
  for (Section& section : sections_)
    section.lines.removeIf([&](const Line& line) { return holds(section, line, path); });
  index_->erase(path);
}

void IniFile::removeGroup(const QString& group) {
  index_.reset();
  const QString prefix = group + u'/';
  for (Section& section : sections_)
    section.lines.removeIf(
        [&](const Line& line) { return line.entry && pathOf(section, line).startsWith(prefix); });
  // A section left with nothing but its header and blank lines goes too.
  sections_.removeIf([](const Section& section) {
    if (!section.header) return false;
    return std::all_of(section.lines.begin() + 1, section.lines.end(),
                       [](const Line& line) { return line.text.trimmed().isEmpty(); });
  });
}

QStringList IniFile::children(const QString& group, bool groups) const {
  const QString prefix = group.isEmpty() ? QString() : group + u'/';
  std::set<QString> names;
  const Index& paths = index();
  for (auto at = paths.lower_bound(prefix); at != paths.end() && at->first.startsWith(prefix);
       ++at) {
    const QStringView rest = QStringView(at->first).mid(prefix.size());
    const qsizetype slash = rest.indexOf(u'/');
    if (groups && slash >= 0) names.insert(rest.left(slash).toString());
    if (!groups && !rest.isEmpty() && slash < 0) names.insert(rest.toString());
  }
  return QStringList(names.begin(), names.end());
}

}  // namespace platform
