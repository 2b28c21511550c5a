#include "sequence/StoredElementEdit.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QXmlStreamReader>
#include <optional>

#include "com/Object.h"
#include "elements/ElementErrors.h"
#include "runtime/WholeFile.h"
#include "sequence/SequenceDocument.h"
#include "typelib/IConfigData.h"
#include "typelib/ITestElement.h"
#include "xml/FileErrors.h"
#include "xml/XmlDocument.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("TestSequence");
const QString kRoot = QStringLiteral("TestSequence");
const QString kEntry = QStringLiteral("TestElement");
const QString kSettings = QStringLiteral("PlugInData");
const QByteArray kUtf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

struct Decoded {
  QByteArray byteOrderMark;
  QString encoding;
  QString text;
};

// The file's text in the encoding it declares; only a file that encodes
// back to the same bytes can be written back untouched.
Decoded decode(const QByteArray& bytes, const QString& path) {
  Decoded decoded;
  QByteArray body = bytes;
  if (body.startsWith(kUtf8Mark)) {
    decoded.byteOrderMark = kUtf8Mark;
    body.remove(0, kUtf8Mark.size());
  }
  QXmlStreamReader declaration(body);
  declaration.readNext();
  decoded.encoding = declaration.documentEncoding().toString();
  if (decoded.encoding.isEmpty()) decoded.encoding = QStringLiteral("UTF-8");
  const auto encoding = QStringConverter::encodingForName(decoded.encoding.toLatin1().constData());
  if (encoding) {
    QStringDecoder decoder(*encoding);
    decoded.text = decoder(body);
    QStringEncoder encoder(*encoding);
    if (!decoder.hasError() && QByteArray(encoder(decoded.text)) == body) return decoded;
  }
  rt::raise(sequenceerr::NotRewritable, kSource,
            QStringLiteral("%1 cannot be written back unchanged in its encoding %2")
                .arg(path, decoded.encoding));
}

// The start of the tag the reader has just read, which ends at offset: an
// attribute value never holds a raw "<".
qsizetype tagStart(const QString& text, qsizetype offset) {
  return text.lastIndexOf(u'<', offset - 1);
}

// Finds the entry at position and its settings, reading the whole file so
// that a malformed one is refused; count is the number of entries.
StoredElementEdit::Place locate(const QString& text, int position, int& count,
                                const QString& path) {
  StoredElementEdit::Place place;
  QXmlStreamReader reader(text);
  reader.setNamespaceProcessing(false);
  int depth = 0;
  bool inEntry = false;
  count = 0;
  while (!reader.atEnd()) {
    const QXmlStreamReader::TokenType token = reader.readNext();
    const qsizetype offset = reader.characterOffset();
    if (token == QXmlStreamReader::StartElement) {
      ++depth;
      const QStringView name = reader.qualifiedName();
      if (depth == 1 && name != kRoot)
        rt::raise(sequenceerr::NotASequence, kSource,
                  QStringLiteral("%1 is no test sequence: its root is \"%2\", not \"%3\"")
                      .arg(path, name.toString(), kRoot));
      if (depth == 2 && name == kEntry && ++count == position) {
        inEntry = true;
        place.begin = tagStart(text, offset);
        place.startTagEnd = offset;
      }
      if (depth == 3 && inEntry && name == kSettings && place.partBegin < 0)
        place.partBegin = tagStart(text, offset);
    } else if (token == QXmlStreamReader::EndElement) {
      if (depth == 3 && inEntry && place.partBegin >= 0 && place.partEnd < 0)
        place.partEnd = offset;
      if (depth == 2 && inEntry) {
        inEntry = false;
        place.end = offset;
        place.endTagBegin = offset == place.startTagEnd ? -1 : tagStart(text, offset);
      }
      --depth;
    }
  }
  if (reader.hasError())
    rt::raise(rt::err::InvalidCall, kSource,
              QStringLiteral("%1 (line %2, column %3): %4")
                  .arg(path)
                  .arg(reader.lineNumber())
                  .arg(reader.columnNumber())
                  .arg(reader.errorString()));
  if (position < 1 || position > count)
    rt::raise(rt::err::SubscriptOutOfRange, kSource,
              QStringLiteral("%1 holds %2 test elements: there is no element %3")
                  .arg(path)
                  .arg(count)
                  .arg(position));
  return place;
}

// The blanks that begin the line up to at, or nothing when something else
// stands before at on its line.
std::optional<QString> indentBefore(const QString& text, qsizetype at) {
  const qsizetype lineStart = text.lastIndexOf(u'\n', at - 1) + 1;
  const QString indent = text.mid(lineStart, at - lineStart);
  if (!indent.trimmed().isEmpty()) return std::nullopt;
  return indent;
}

// The element as the host writes it, each line after the first starting
// with indent; on one line when there is no indent to follow.
QString written(const XmlElement& element, const std::optional<QString>& indent,
                const QString& newline) {
  if (!indent) return xmltree::write(*element.node(), -1);
  QString text = xmltree::write(*element.node(), 2);
  if (text.endsWith(u'\n')) text.chop(1);
  return text.split(u'\n').join(newline + *indent);
}

}  // namespace

StoredElementEdit::StoredElementEdit(const QString& path, int position) : path_(path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) raiseFileError(file, path, kSource);
  Decoded decoded = decode(file.readAll(), path);
  byteOrderMark_ = decoded.byteOrderMark;
  encoding_ = decoded.encoding;
  text_ = decoded.text;
  // The whole file is read as the sequence document reads it, so that one
  // that is not well-formed is refused wherever its fault lies.
  xmltree::ParseError malformed;
  if (!xmltree::parse(text_, malformed))
    rt::raise(rt::err::InvalidCall, kSource,
              QStringLiteral("%1 (line %2, column %3): %4")
                  .arg(path)
                  .arg(malformed.line)
                  .arg(malformed.column)
                  .arg(malformed.message));
  int count = 0;
  place_ = locate(text_, position, count, path);

  // The entry alone, loaded as the sequence document loads every entry, on
  // the line it has in the file so that reports name the file's lines.
  const qsizetype linesBefore = QStringView(text_).left(place_.begin).count(u'\n');
  SequenceDocument sequence;
  sequence.LoadXml(u'<' + kRoot + u'>' + QString(linesBefore, u'\n') +
                   text_.mid(place_.begin, place_.end - place_.begin) + QStringLiteral("</") +
                   kRoot + u'>');
  if (sequence.Count() != 1)
    rt::raise(sequenceerr::BadEntry, kSource,
              QStringLiteral("Element %1 of %2 cannot be read as a test").arg(position).arg(path));
  if (sequence.KeptAsStored(0, kSettings))
    rt::raise(sequenceerr::SettingsNotRead, kSource,
              QStringLiteral("The settings of element %1 of %2 could not be read as they were "
                             "stored; they are not edited, so that nothing stored is lost")
                  .arg(position)
                  .arg(path));
  element_ = sequence.Element(0);
}

StoredElementEdit::~StoredElementEdit() = default;

QByteArray StoredElementEdit::Edited() const {
  const XmlElementPtr settings =
      com::must(com::must(element_).Configuration()).Save(std::make_shared<XmlDocument>());
  if (!settings)
    rt::raise(elementerr::SaveFailed, kSource, QStringLiteral("The settings cannot be saved"));
  const QString newline =
      text_.contains(QStringLiteral("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
  QString text = text_;
  if (place_.partBegin >= 0) {
    const QString part = written(*settings, indentBefore(text_, place_.partBegin), newline);
    text.replace(place_.partBegin, place_.partEnd - place_.partBegin, part);
  } else if (place_.endTagBegin < 0) {
    // An empty entry "<TestElement .../>" opens to take its settings.
    const std::optional<QString> indent = indentBefore(text_, place_.begin);
    const QString inner = indent ? *indent + QStringLiteral("  ") : QString();
    const QString part = written(*settings, indent ? std::optional(inner) : std::nullopt, newline);
    const QString between = indent ? newline : QString();
    text.replace(place_.startTagEnd - 2, 2,
                 u'>' + between + inner + part + between + indent.value_or(QString()) +
                     QStringLiteral("</") + kEntry + u'>');
  } else {
    // The settings go last, before the entry's end tag.
    const std::optional<QString> indent = indentBefore(text_, place_.endTagBegin);
    const QString part = written(
        *settings, indent ? std::optional(*indent + QStringLiteral("  ")) : std::nullopt, newline);
    text.insert(place_.endTagBegin,
                indent ? QStringLiteral("  ") + part + newline + *indent : part);
  }
  const auto encoding = QStringConverter::encodingForName(encoding_.toLatin1().constData());
  QStringEncoder encoder(encoding.value_or(QStringConverter::Utf8));
  return byteOrderMark_ + QByteArray(encoder(text));
}

void StoredElementEdit::Save() const {
  rt::writeFileWhole(path_, Edited(), kSource);
}

}  // namespace host
