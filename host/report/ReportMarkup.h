#pragma once
// The emphasis markup of report texts: groups in braces carry control words
// that change the text style until the group closes.
//
//   {\i\b Configuration}   bold italic "Configuration"
//   \b \b0 \i \i0          bold on / off, italic on / off
//   \ul \ulnone \plain     underline on / off, every emphasis off
//   \line                  a line break
//   \\ \{ \} \| \;         the character itself
//
// One blank after a control word ends the word and is not printed. Markup
// that cannot be read is printed rather than lost: an unknown control word
// stays in the text as written, a "}" without its "{" is dropped and a group
// left open ends with the text.

#include <QList>
#include <QString>

namespace host::report {

struct TextStyle {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

// A stretch of text in one style.
struct StyledRun {
  QString text;
  TextStyle style;
  friend bool operator==(const StyledRun&, const StyledRun&) = default;
};

// The runs of a marked-up text; neighbouring runs of one style are merged
// and empty runs left out. A line break is "\n" in a run's text.
QList<StyledRun> parseMarkup(const QString& text);

// The text without its markup.
QString plainText(const QList<StyledRun>& runs);

// The text as markup that prints it as it is, whatever markup or table
// characters it holds ("\\", "{", "}", "|", ";" quoted).
QString quotedText(const QString& text);
// A table row ("|cell|cell;") of texts printed as they are.
QString quotedRow(const QStringList& cells);

}  // namespace host::report
