#include "xml/XmlTree.h"

#include <QHash>
#include <QIODevice>
#include <QStringList>
#include <QXmlStreamReader>
#include <algorithm>
#include <limits>
#include <string_view>

#include "runtime/Notices.h"

namespace host::xmltree {

Node::~Node() {
  // Each node whose last holder is this walk gives up its children before
  // it goes, so no destructor ever runs inside another.
  std::vector<NodePtr> pending = std::move(children);
  while (!pending.empty()) {
    NodePtr node = std::move(pending.back());
    pending.pop_back();
    if (node.use_count() != 1) continue;
    for (NodePtr& child : node->children) pending.push_back(std::move(child));
    node->children.clear();
  }
}

const QString* Node::attribute(const QString& attributeName) const {
  for (const auto& [n, value] : attributes)
    if (n == attributeName) return &value;
  return nullptr;
}

void Node::setAttribute(const QString& attributeName, const QString& value) {
  for (auto& [n, v] : attributes)
    if (n == attributeName) {
      v = value;
      return;
    }
  attributes.append({attributeName, value});
}

void Node::append(const NodePtr& child) {
  child->detach();
  child->parent = weak_from_this();
  children.push_back(child);
}

void Node::detach() {
  const NodePtr holder = parent.lock();
  parent.reset();
  if (!holder) return;
  auto& siblings = holder->children;
  siblings.erase(std::remove_if(siblings.begin(), siblings.end(),
                                [this](const NodePtr& n) { return n.get() == this; }),
                 siblings.end());
}

bool Node::within(const Node& other) const {
  for (const Node* node = this; node;) {
    if (node == &other) return true;
    const NodePtr up = node->parent.lock();
    node = up.get();
  }
  return false;
}

QString Node::allText() const {
  if (isText()) return text;
  QString out;
  for (const NodePtr& child : children) out += child->allText();
  return out;
}

NodePtr Node::deepCopy() const {
  auto copy = std::make_shared<Node>(kind, name, text);
  copy->attributes = attributes;
  copy->children.reserve(children.size());
  for (const NodePtr& child : children) {
    // A new node has no holder to leave: append's detach is not needed.
    NodePtr childCopy = child->deepCopy();
    childCopy->parent = copy;
    copy->children.push_back(std::move(childCopy));
  }
  return copy;
}

bool sameTree(const Node& a, const Node& b) {
  if (a.kind != b.kind || a.name != b.name || a.text != b.text || a.attributes != b.attributes ||
      a.children.size() != b.children.size())
    return false;
  for (std::size_t i = 0; i < a.children.size(); ++i)
    if (!sameTree(*a.children[i], *b.children[i])) return false;
  return true;
}

void shareSame(const Node& from, Node& into) {
  const std::size_t common = std::min(from.children.size(), into.children.size());
  for (std::size_t i = 0; i < common; ++i) {
    const NodePtr& theirs = from.children[i];
    NodePtr& ours = into.children[i];
    if (theirs == ours) continue;
    if (sameTree(*theirs, *ours)) {
      ours = theirs;
    } else if (theirs->kind == Node::Kind::Element && ours->kind == Node::Kind::Element) {
      shareSame(*theirs, *ours);
    }
  }
}

namespace {

bool isNameStart(char32_t c) {
  return c == U':' || (c >= U'A' && c <= U'Z') || c == U'_' || (c >= U'a' && c <= U'z') ||
         (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
         (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) ||
         (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
         (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
         (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0xEFFFF);
}

bool isNameChar(char32_t c) {
  return isNameStart(c) || c == U'-' || c == U'.' || (c >= U'0' && c <= U'9') || c == 0xB7 ||
         (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

}  // namespace

int Node::depth() const {
  int levels = 0;
  for (const Node* node = this; node;) {
    if (node->kind == Kind::Element) ++levels;
    const NodePtr up = node->parent.lock();
    node = up.get();
  }
  return levels;
}

int Node::height() const {
  if (kind != Kind::Element) return 0;
  int highest = 0;
  std::vector<std::pair<const Node*, int>> pending{{this, 1}};
  while (!pending.empty()) {
    const auto [node, level] = pending.back();
    pending.pop_back();
    highest = std::max(highest, level);
    for (const NodePtr& child : node->children)
      if (child->kind == Kind::Element) pending.push_back({child.get(), level + 1});
  }
  return highest;
}

namespace {

// The code point at i, a surrogate pair taken whole; i is moved past it. A
// lone surrogate reads as U+FFFD.
char32_t codePointAt(const QString& text, qsizetype& i) {
  const char16_t c = text.at(i++).unicode();
  if (!QChar::isSurrogate(c)) return c;
  if (QChar::isHighSurrogate(c) && i < text.size() && text.at(i).isLowSurrogate())
    return QChar::surrogateToUcs4(c, text.at(i++).unicode());
  return 0xFFFD;
}

bool isCarried(char16_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD);
}

// Whether every character of the text is one XML 1.0 can carry.
bool allCarried(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text.at(i).unicode();
    if (isCarried(c)) continue;
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      ++i;
      continue;
    }
    return false;
  }
  return true;
}

}  // namespace

bool isName(const QString& name) {
  if (name.isEmpty()) return false;
  for (qsizetype i = 0; i < name.size();) {
    const bool first = i == 0;
    const char32_t c = codePointAt(name, i);
    if (!(first ? isNameStart(c) : isNameChar(c))) return false;
  }
  return true;
}

QString storable(const QString& text, const std::function<QString()>& where) {
  if (allCarried(text)) return text;
  QString out;
  QStringList replaced;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text.at(i).unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      out += text.mid(i, 2);
      ++i;
      continue;
    }
    if (isCarried(c)) {
      out += QChar(c);
      continue;
    }
    out += QChar(0xFFFD);
    replaced.append(QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper());
  }
  rt::notice(QStringLiteral("xml"),
             QStringLiteral("%1 held %2, which XML cannot carry; replaced by U+FFFD")
                 .arg(where(), replaced.join(QStringLiteral(", "))));
  return out;
}

namespace {
NodePtr read(QXmlStreamReader& reader, ParseError& error);
}  // namespace

NodePtr parse(const QByteArray& content, ParseError& error) {
  QXmlStreamReader reader(content);
  return read(reader, error);
}

NodePtr parse(QIODevice& device, ParseError& error) {
  QXmlStreamReader reader(&device);
  return read(reader, error);
}

NodePtr parse(const QString& text, ParseError& error) {
  QXmlStreamReader reader(text);
  return read(reader, error);
}

namespace {

// The element and attribute names of a document, each held once and
// checked against XML's name rules once: a document repeats a few names
// many times.
class Names {
 public:
  // The name, or nullptr when it is no XML name.
  const QString* of(QStringView name) {
    if (const auto known = names_.constFind(name); known != names_.cend()) return &*known;
    QString text = name.toString();
    if (!isName(text)) return nullptr;
    const QStringView stored(text);
    return &*names_.insert(stored, std::move(text));
  }

 private:
  // Each key views the text it maps to.
  QHash<QStringView, QString> names_;
};

// Short attribute values and texts, each held once: units, flags, keys,
// codes and the names of standards come again in every element.
class Values {
 public:
  QString of(QStringView value) {
    if (value.size() > kLongest) return value.toString();
    if (const auto known = values_.constFind(value); known != values_.cend()) return *known;
    return keep(value.toString());
  }
  // The same for a text already held: a new one is kept as it is.
  QString of(const QString& value) {
    if (value.size() > kLongest) return value;
    if (const auto known = values_.constFind(value); known != values_.cend()) return *known;
    return keep(value);
  }

 private:
  static constexpr qsizetype kLongest = 256;

  QString keep(QString text) {
    const QStringView stored(text);
    return *values_.insert(stored, std::move(text));
  }

  // Each key views the text it maps to.
  QHash<QStringView, QString> values_;
};

bool isBlank(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

NodePtr read(QXmlStreamReader& reader, ParseError& error) {
  reader.setNamespaceProcessing(false);  // xmlns attributes stay attributes
  auto document = std::make_shared<Node>(Node::Kind::Document);
  std::vector<NodePtr> open{document};
  // The children of the open elements, in order, from where each open
  // element's own begin: an element gets them all at once when it ends,
  // in a list of their number.
  std::vector<NodePtr> held;
  std::vector<std::size_t> heldFrom{0};
  const auto add = [&](NodePtr node) { held.push_back(std::move(node)); };
  const auto end = [&] {
    const NodePtr& element = open.back();
    const auto from = held.begin() + static_cast<std::ptrdiff_t>(heldFrom.back());
    element->children.assign(std::make_move_iterator(from), std::make_move_iterator(held.end()));
    held.erase(from, held.end());
    for (const NodePtr& child : element->children) child->parent = element;
    open.pop_back();
    heldFrom.pop_back();
  };
  // Character data comes in pieces (around references); text that is only
  // white space is layout, not content.
  QString pending;
  Values values;
  auto flush = [&] {
    if (!isBlank(pending))
      add(std::make_shared<Node>(Node::Kind::Text, QString(), values.of(pending)));
    pending.clear();
  };
  // What the stream reader takes but XML does not: a name outside XML's
  // rules, and nesting beyond the limit.
  QString refused;
  const auto refuse = [&](const QString& why) {
    if (refused.isEmpty()) refused = why;
  };
  const auto checkName = [&](const QString& name, const char* what) {
    if (!isName(name))
      refuse(QStringLiteral("\"%1\" is no XML %2 name").arg(name, QLatin1String(what)));
  };
  Names names;
  const auto nameOf = [&](QStringView name, const char* what) {
    if (const QString* known = names.of(name)) return *known;
    refuse(QStringLiteral("\"%1\" is no XML %2 name").arg(name, QLatin1String(what)));
    return name.toString();
  };
  while (refused.isEmpty() && !reader.atEnd()) {
    switch (reader.readNext()) {
      case QXmlStreamReader::StartDocument:
        if (!reader.documentVersion().isEmpty()) {
          QString declaration = QStringLiteral("version='%1'").arg(reader.documentVersion());
          if (!reader.documentEncoding().isEmpty())
            declaration += QStringLiteral(" encoding='%1'").arg(reader.documentEncoding());
          if (reader.isStandaloneDocument()) declaration += QStringLiteral(" standalone='yes'");
          add(std::make_shared<Node>(Node::Kind::Instruction, QStringLiteral("xml"), declaration));
        }
        break;
      case QXmlStreamReader::StartElement: {
        flush();
        auto element =
            std::make_shared<Node>(Node::Kind::Element, nameOf(reader.qualifiedName(), "element"));
        if (static_cast<int>(open.size()) > kDepthLimit)
          refuse(QStringLiteral("the elements are nested deeper than %1").arg(kDepthLimit));
        const QXmlStreamAttributes attributes = reader.attributes();
        element->attributes.reserve(attributes.size());
        for (const QXmlStreamAttribute& a : attributes)
          element->attributes.append(
              {nameOf(a.qualifiedName(), "attribute"), values.of(a.value())});
        element->line = static_cast<std::int32_t>(
            std::min<qint64>(reader.lineNumber(), std::numeric_limits<std::int32_t>::max()));
        add(element);
        open.push_back(element);
        heldFrom.push_back(held.size());
        break;
      }
      case QXmlStreamReader::EndElement:
        flush();
        end();
        break;
      case QXmlStreamReader::Characters:
        if (reader.isCDATA()) {
          flush();
          add(std::make_shared<Node>(Node::Kind::CData, QString(), reader.text().toString()));
        } else if (pending.isEmpty()) {
          pending = reader.text().toString();  // no room to spare: most texts come whole
        } else {
          pending += reader.text();
        }
        break;
      case QXmlStreamReader::Comment:
        flush();
        add(std::make_shared<Node>(Node::Kind::Comment, QString(), reader.text().toString()));
        break;
      case QXmlStreamReader::ProcessingInstruction:
        flush();
        checkName(reader.processingInstructionTarget().toString(), "instruction");
        add(std::make_shared<Node>(Node::Kind::Instruction,
                                   reader.processingInstructionTarget().toString(),
                                   reader.processingInstructionData().toString()));
        break;
      default:
        break;
    }
  }
  if (!refused.isEmpty() || reader.hasError()) {
    error = ParseError{refused.isEmpty() ? reader.errorString() : refused, reader.lineNumber(),
                       reader.columnNumber()};
    return nullptr;
  }
  end();  // the document's own
  return document;
}

// Appends the text with what cannot stand in it as a character reference
// or entity: escaped(c) gives that, or nullptr for a character written as it
// is. Runs of plain characters go in whole.
template <typename Escaped>
void appendEscaped(QString& out, const QString& text, Escaped escaped) {
  const QChar* const begin = text.constData();
  const qsizetype size = text.size();
  qsizetype plain = 0;  // where the run of plain characters began
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t* const reference = escaped(text, i);
    if (!reference) continue;
    out.append(begin + plain, i - plain);
    out.append(QStringView(reference));
    plain = i + 1;
  }
  out.append(begin + plain, size - plain);
}

const char16_t* textReference(const QString& text, qsizetype i) {
  switch (text.at(i).unicode()) {
    case u'<':
      return u"&lt;";
    case u'&':
      return u"&amp;";
    case u'>':
      return i >= 2 && text.at(i - 1) == u']' && text.at(i - 2) == u']' ? u"&gt;" : nullptr;
    case u'\r':
      return u"&#xd;";
    default:
      return nullptr;
  }
}

const char16_t* attributeReference(const QString& text, qsizetype i) {
  switch (text.at(i).unicode()) {
    case u'<':
      return u"&lt;";
    case u'&':
      return u"&amp;";
    case u'"':
      return u"&quot;";
    case u'\n':
      return u"&#xa;";
    case u'\r':
      return u"&#xd;";
    case u'\t':
      return u"&#x9;";
    default:
      return nullptr;
  }
}

// How much text the writer to a device holds before it hands it on.
constexpr qsizetype kChunkCharacters = 64 * 1024;

}  // namespace

class Writer {
 public:
  // With a device, the text goes there as UTF-8 piece by piece, so that a
  // long document is never held as text too.
  explicit Writer(int indent, QIODevice* device = nullptr) : indent_(indent), device_(device) {}

  // The node whole; afterText and beforeText tell whether its neighbours
  // are texts, which its markup does not leave.
  void node(const Node& n, int depth, bool afterText, bool beforeText) {
    switch (n.kind) {
      case Node::Kind::Document:
        children(n, depth);
        return;
      case Node::Kind::Text:
        appendEscaped(out, n.text, textReference);
        return;
      case Node::Kind::CData: {
        QString text = n.text;
        text.replace(QStringLiteral("]]>"), QStringLiteral("]]]]><![CDATA[>"));
        out += QStringLiteral("<![CDATA[") + text + QStringLiteral("]]>");
        return;
      }
      // Comments and instructions end their line even on one-line output.
      case Node::Kind::Comment:
        startLine(depth, afterText);
        out += QStringLiteral("<!--") + n.text + QStringLiteral("-->\n");
        return;
      case Node::Kind::Instruction:
        startLine(depth, afterText);
        out += QStringLiteral("<?") + n.name +
               (n.text.isEmpty() ? QString() : QStringLiteral(" ") + n.text) +
               QStringLiteral("?>\n");
        return;
      case Node::Kind::Element:
        startTag(n, depth, afterText);
        if (n.children.empty()) {
          out += u"/>";
        } else {
          openedBy(n.children.front()->isText());
          children(n, depth + 1);
          endTag(n.name, depth, n.children.back()->isText());
        }
        break;
    }
    if (!beforeText) endLine();
  }

  // An element's start tag without its closing ">", which depends on what
  // it holds.
  void startTag(const Node& n, int depth, bool afterText) {
    startLine(depth, afterText);
    out += u'<';
    out += n.name;
    for (const auto& [name, value] : n.attributes) {
      out += u' ';
      out += name;
      out += u"=\"";
      appendEscaped(out, value, attributeReference);
      out += u'"';
    }
  }
  // The start tag closed for its first child.
  void openedBy(bool text) {
    out += u'>';
    if (!text) endLine();
  }
  void endTag(const QString& name, int depth, bool afterText) {
    if (!afterText) margin(depth);
    out += u"</";
    out += name;
    out += u'>';
  }
  void endLine() {
    if (indent_ >= 0) out += u'\n';
  }

  // Hands the text so far to the device. Only ever between nodes, so that
  // no character is cut in two.
  void flush() {
    if (!device_ || out.isEmpty()) return;
    device_->write(out.toUtf8());
    out.truncate(0);  // and keeps its room for the next piece
  }
  void flushIfLong() {
    if (out.size() >= kChunkCharacters) flush();
  }

  QString out;

 private:
  void children(const Node& n, int depth) {
    for (std::size_t i = 0; i < n.children.size(); ++i) {
      node(*n.children[i], depth, i > 0 && n.children[i - 1]->isText(),
           i + 1 < n.children.size() && n.children[i + 1]->isText());
      flushIfLong();
    }
  }
  // Markup after text stays on the text's line.
  void startLine(int depth, bool afterText) {
    if (!afterText) margin(depth);
  }
  void margin(int depth) {
    if (indent_ > 0) out.resize(out.size() + depth * indent_, u' ');
  }

  int indent_;
  QIODevice* device_;
};

// What each open element has held so far decides its next piece of markup.
struct StreamWriter::Level {
  QString name;           // empty for the document
  bool any = false;       // whether anything went inside
  bool lastText = false;  // whether what went in last was a text
  bool lineOpen = false;  // an element went in last; its line ends unless a text follows
};

StreamWriter::StreamWriter(int indent, QIODevice& device)
    : writer_(std::make_unique<Writer>(indent, &device)) {
  levels_.push_back({});
}

StreamWriter::~StreamWriter() = default;

int StreamWriter::depth() const {
  return static_cast<int>(levels_.size()) - 1;
}

void StreamWriter::enter(bool text) {
  Level& level = levels_.back();
  if (!level.name.isEmpty() && !level.any) writer_->openedBy(text);
  if (level.lineOpen && !text) writer_->endLine();
  level.lineOpen = false;
}

void StreamWriter::add(const Node& node) {
  enter(node.isText());
  Level& level = levels_.back();
  writer_->node(node, depth(), level.lastText, true);
  level.any = true;
  level.lastText = node.isText();
  level.lineOpen = node.kind == Node::Kind::Element;
  writer_->flushIfLong();
}

void StreamWriter::open(const Node& element) {
  enter(false);
  writer_->startTag(element, depth(), levels_.back().lastText);
  levels_.push_back({element.name});
}

void StreamWriter::close() {
  if (levels_.size() < 2) return;
  Level closed = std::move(levels_.back());
  levels_.pop_back();
  if (!closed.any) {
    writer_->out += u"/>";
  } else {
    if (closed.lineOpen) writer_->endLine();
    writer_->endTag(closed.name, depth(), closed.lastText);
  }
  Level& level = levels_.back();
  level.any = true;
  level.lastText = false;
  level.lineOpen = true;
}

void StreamWriter::finish() {
  while (levels_.size() > 1) close();
  if (levels_.back().lineOpen) writer_->endLine();
  levels_.back().lineOpen = false;
  writer_->flush();
}

QString write(const Node& node, int indent) {
  Writer writer(indent);
  writer.node(node, 0, false, false);
  return writer.out;
}

}  // namespace host::xmltree
