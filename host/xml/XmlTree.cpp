#include "xml/XmlTree.h"

#include <QIODevice>
#include <QStringList>
#include <QXmlStreamReader>
#include <algorithm>

#include "runtime/Notices.h"

namespace host::xmltree {

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
  for (const NodePtr& child : children) copy->append(child->deepCopy());
  return copy;
}

bool isName(const QString& name) {
  if (name.isEmpty()) return false;
  const QChar first = name.at(0);
  if (!(first.isLetter() || first == u'_')) return false;
  for (const QChar c : name)
    if (!(c.isLetterOrNumber() || c == u'_' || c == u'-' || c == u'.' || c == u':')) return false;
  return true;
}

QString storable(const QString& text, const QString& where) {
  QString out;
  QStringList replaced;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text.at(i).unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      out += text.mid(i, 2);
      ++i;
      continue;
    }
    const bool carried = c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
                         (c >= 0xE000 && c <= 0xFFFD);
    if (carried) {
      out += QChar(c);
      continue;
    }
    out += QChar(0xFFFD);
    replaced.append(QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper());
  }
  if (!replaced.isEmpty())
    rt::notice(QStringLiteral("xml"),
               QStringLiteral("%1 held %2, which XML cannot carry; replaced by U+FFFD")
                   .arg(where, replaced.join(QStringLiteral(", "))));
  return out;
}

NodePtr parse(const QByteArray& content, ParseError& error) {
  QXmlStreamReader reader(content);
  reader.setNamespaceProcessing(false);  // xmlns attributes stay attributes
  auto document = std::make_shared<Node>(Node::Kind::Document);
  std::vector<NodePtr> open{document};
  // Character data comes in pieces (around references); text that is only
  // white space is layout, not content.
  QString pending;
  auto flush = [&] {
    if (!pending.trimmed().isEmpty())
      open.back()->append(std::make_shared<Node>(Node::Kind::Text, QString(), pending));
    pending.clear();
  };
  while (!reader.atEnd()) {
    switch (reader.readNext()) {
      case QXmlStreamReader::StartDocument:
        if (!reader.documentVersion().isEmpty()) {
          QString declaration = QStringLiteral("version='%1'").arg(reader.documentVersion());
          if (!reader.documentEncoding().isEmpty())
            declaration += QStringLiteral(" encoding='%1'").arg(reader.documentEncoding());
          if (reader.isStandaloneDocument()) declaration += QStringLiteral(" standalone='yes'");
          document->append(
              std::make_shared<Node>(Node::Kind::Instruction, QStringLiteral("xml"), declaration));
        }
        break;
      case QXmlStreamReader::StartElement: {
        flush();
        auto element =
            std::make_shared<Node>(Node::Kind::Element, reader.qualifiedName().toString());
        for (const QXmlStreamAttribute& a : reader.attributes())
          element->attributes.append({a.qualifiedName().toString(), a.value().toString()});
        element->line = reader.lineNumber();
        open.back()->append(element);
        open.push_back(element);
        break;
      }
      case QXmlStreamReader::EndElement:
        flush();
        open.pop_back();
        break;
      case QXmlStreamReader::Characters:
        if (reader.isCDATA()) {
          flush();
          open.back()->append(
              std::make_shared<Node>(Node::Kind::CData, QString(), reader.text().toString()));
        } else {
          pending += reader.text();
        }
        break;
      case QXmlStreamReader::Comment:
        flush();
        open.back()->append(
            std::make_shared<Node>(Node::Kind::Comment, QString(), reader.text().toString()));
        break;
      case QXmlStreamReader::ProcessingInstruction:
        flush();
        open.back()->append(std::make_shared<Node>(Node::Kind::Instruction,
                                                   reader.processingInstructionTarget().toString(),
                                                   reader.processingInstructionData().toString()));
        break;
      default:
        break;
    }
  }
  if (reader.hasError()) {
    error = ParseError{reader.errorString(), reader.lineNumber(), reader.columnNumber()};
    return nullptr;
  }
  return document;
}

namespace {

QString escapedText(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c == u'<')
      out += QStringLiteral("&lt;");
    else if (c == u'&')
      out += QStringLiteral("&amp;");
    else if (c == u'>' && i >= 2 && text.at(i - 1) == u']' && text.at(i - 2) == u']')
      out += QStringLiteral("&gt;");
    else if (c == u'\r')
      out += QStringLiteral("&#xd;");
    else
      out += c;
  }
  return out;
}

QString escapedAttribute(const QString& value) {
  QString out;
  out.reserve(value.size());
  for (const QChar c : value) {
    switch (c.unicode()) {
      case u'<':
        out += QStringLiteral("&lt;");
        break;
      case u'&':
        out += QStringLiteral("&amp;");
        break;
      case u'"':
        out += QStringLiteral("&quot;");
        break;
      case u'\n':
        out += QStringLiteral("&#xa;");
        break;
      case u'\r':
        out += QStringLiteral("&#xd;");
        break;
      case u'\t':
        out += QStringLiteral("&#x9;");
        break;
      default:
        out += c;
    }
  }
  return out;
}

// How much text the writer to a device holds before it hands it on.
constexpr qsizetype kChunkCharacters = 64 * 1024;

class Writer {
 public:
  // With a device, the text goes there as UTF-8 piece by piece, so that a
  // long document is never held as text too.
  explicit Writer(int indent, QIODevice* device = nullptr) : indent_(indent), device_(device) {}

  void node(const Node& n, int depth, const Node* previous, const Node* next) {
    switch (n.kind) {
      case Node::Kind::Document:
        children(n, depth);
        return;
      case Node::Kind::Text:
        out += escapedText(n.text);
        return;
      case Node::Kind::CData: {
        QString text = n.text;
        text.replace(QStringLiteral("]]>"), QStringLiteral("]]]]><![CDATA[>"));
        out += QStringLiteral("<![CDATA[") + text + QStringLiteral("]]>");
        return;
      }
      // Comments and instructions end their line even on one-line output.
      case Node::Kind::Comment:
        startLine(depth, previous);
        out += QStringLiteral("<!--") + n.text + QStringLiteral("-->\n");
        return;
      case Node::Kind::Instruction:
        startLine(depth, previous);
        out += QStringLiteral("<?") + n.name +
               (n.text.isEmpty() ? QString() : QStringLiteral(" ") + n.text) +
               QStringLiteral("?>\n");
        return;
      case Node::Kind::Element:
        startLine(depth, previous);
        out += u'<' + n.name;
        for (const auto& [name, value] : n.attributes)
          out += u' ' + name + QStringLiteral("=\"") + escapedAttribute(value) + u'"';
        if (n.children.empty()) {
          out += QStringLiteral("/>");
        } else {
          out += u'>';
          if (indent_ >= 0 && !n.children.front()->isText()) out += u'\n';
          children(n, depth + 1);
          if (!n.children.back()->isText()) out += margin(depth);
          out += QStringLiteral("</") + n.name + u'>';
        }
        break;
    }
    if (indent_ >= 0 && !(next && next->isText())) out += u'\n';
  }

  // Hands the text so far to the device. Only ever between nodes, so that
  // no character is cut in two.
  void flush() {
    if (!device_ || out.isEmpty()) return;
    device_->write(out.toUtf8());
    out.truncate(0);  // and keeps its room for the next piece
  }

  QString out;

 private:
  void children(const Node& n, int depth) {
    for (std::size_t i = 0; i < n.children.size(); ++i) {
      node(*n.children[i], depth, i > 0 ? n.children[i - 1].get() : nullptr,
           i + 1 < n.children.size() ? n.children[i + 1].get() : nullptr);
      if (out.size() >= kChunkCharacters) flush();
    }
  }
  // Markup after text stays on the text's line.
  void startLine(int depth, const Node* previous) {
    if (!(previous && previous->isText())) out += margin(depth);
  }
  QString margin(int depth) const { return QString(indent_ < 1 ? 0 : depth * indent_, u' '); }

  int indent_;
  QIODevice* device_;
};

}  // namespace

QString write(const Node& node, int indent) {
  Writer writer(indent);
  writer.node(node, 0, nullptr, nullptr);
  return writer.out;
}

void write(const Node& node, int indent, QIODevice& device) {
  Writer writer(indent, &device);
  writer.node(node, 0, nullptr, nullptr);
  writer.flush();
}

}  // namespace host::xmltree
