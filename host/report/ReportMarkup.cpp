#include "report/ReportMarkup.h"

#include <QStack>

namespace host::report {

namespace {

class MarkupReader {
 public:
  explicit MarkupReader(const QString& text) : text_(text) {}

  QList<StyledRun> read() {
    while (pos_ < text_.size()) {
      const QChar c = text_.at(pos_);
      if (c == u'{') {
        groups_.push(style_);
        ++pos_;
      } else if (c == u'}') {
        if (!groups_.isEmpty()) style_ = groups_.pop();
        ++pos_;
      } else if (c == u'\\') {
        readEscape();
      } else {
        // Text between markup goes into its run whole, not a character at
        // a time: most cells are plain text.
        qsizetype end = pos_ + 1;
        while (end < text_.size() && !isMarkup(text_.at(end))) ++end;
        append(text_.mid(pos_, end - pos_));
        pos_ = end;
      }
    }
    return runs_;
  }

 private:
  void append(const QString& s) {
    if (s.isEmpty()) return;
    if (!runs_.isEmpty() && runs_.last().style == style_)
      runs_.last().text += s;
    else
      runs_.append(StyledRun{s, style_});
  }
  void append(QChar c) { append(QString(c)); }

  void readEscape() {
    const qsizetype start = pos_++;
    if (pos_ >= text_.size()) {
      append(u'\\');
      return;
    }
    const QChar next = text_.at(pos_);
    if (!isAsciiLetter(next)) {
      // A backslash before anything but a letter quotes that character; the
      // markup characters are what callers quote, others keep the backslash.
      if (QStringView(u"\\{}|;").contains(next))
        append(next);
      else
        append(text_.mid(start, 2));
      ++pos_;
      return;
    }
    qsizetype end = pos_;
    while (end < text_.size() && isAsciiLetter(text_.at(end))) ++end;
    const QString word = text_.mid(pos_, end - pos_);
    qsizetype paramEnd = end;
    if (paramEnd < text_.size() && text_.at(paramEnd) == u'-') ++paramEnd;
    while (paramEnd < text_.size() && text_.at(paramEnd).isDigit()) ++paramEnd;
    const QString param = text_.mid(end, paramEnd - end);
    qsizetype after = paramEnd;
    if (after < text_.size() && text_.at(after) == u' ') ++after;
    if (apply(word, param)) {
      pos_ = after;
    } else {
      append(text_.mid(start, after - start));
      pos_ = after;
    }
  }

  // Applies a control word; false for a word this markup does not know.
  bool apply(const QString& word, const QString& param) {
    const bool on = param.isEmpty() || param.toInt() != 0;
    if (word == u"b")
      style_.bold = on;
    else if (word == u"i")
      style_.italic = on;
    else if (word == u"ul")
      style_.underline = on;
    else if (word == u"ulnone")
      style_.underline = false;
    else if (word == u"plain")
      style_ = TextStyle{};
    else if (word == u"line")
      append(u'\n');
    else
      return false;
    return true;
  }

  static bool isMarkup(QChar c) { return c == u'{' || c == u'}' || c == u'\\'; }

  static bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
  }

  const QString& text_;
  qsizetype pos_ = 0;
  TextStyle style_;
  QStack<TextStyle> groups_;
  QList<StyledRun> runs_;
};

}  // namespace

QList<StyledRun> parseMarkup(const QString& text) {
  return MarkupReader(text).read();
}

QString plainText(const QList<StyledRun>& runs) {
  QString text;
  for (const StyledRun& run : runs) text += run.text;
  return text;
}

QString quotedText(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text) {
    if (QStringView(u"\\{}|;").contains(c)) out += u'\\';
    out += c;
  }
  return out;
}

QString quotedRow(const QStringList& cells) {
  QString text;
  for (const QString& cell : cells) text += u'|' + quotedText(cell);
  return text + u';';
}

}  // namespace host::report
