#pragma once
// The node tree behind the host's documents, with its reader and writer.
//
// A document read is well-formed XML or refused: the reader takes what Qt's
// stream reader takes, but also checks every element and attribute name
// against XML's name rules (Qt lets some through that are none), and
// refuses elements nested deeper than kDepthLimit, so that every walk over
// a tree (writing, copying, comparing) stays well inside the stack.
// Taking a tree apart is a loop, whatever its depth.
//
// An element keeps its attributes in the order they were set (or read), so
// that a document written twice gives the same bytes. Only texts that XML
// 1.0 can carry go in: a character it cannot carry is replaced by U+FFFD
// when the text is set, and told as a notice, so no document is ever
// written that cannot be read back. The writer writes carriage returns, tabs
// and line feeds in attribute values (and carriage returns in text) as
// character references, so that reading gives them back unchanged.

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QIODevice;

namespace host::xmltree {

struct Node;
using NodePtr = std::shared_ptr<Node>;

// How deep elements may nest in a document that is read, or built by
// appending: far beyond any stored form, far below what the stack takes.
inline constexpr int kDepthLimit = 256;

struct Node : std::enable_shared_from_this<Node> {
  enum class Kind : std::uint8_t { Document, Element, Text, CData, Comment, Instruction };

  explicit Node(Kind kind, QString name = {}, QString text = {})
      : kind(kind), name(std::move(name)), text(std::move(text)) {}
  // Takes the children apart one by one, not by recursion.
  ~Node();
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  Kind kind;
  // Where a read element's start tag ended; beside the kind, where it
  // takes no room of its own.
  std::int32_t line = 0;
  QString name;  // an element's tag name, an instruction's target
  QString text;  // the text of a text, CDATA, comment or instruction
  QList<std::pair<QString, QString>> attributes;
  std::vector<NodePtr> children;
  std::weak_ptr<Node> parent;

  bool isText() const { return kind == Kind::Text || kind == Kind::CData; }

  // Attribute by name; nullptr when absent.
  const QString* attribute(const QString& attributeName) const;
  // Sets a value in place, or adds the attribute after the others.
  void setAttribute(const QString& attributeName, const QString& value);
  // Appends a node, taking it out of the element that held it.
  void append(const NodePtr& child);
  void detach();
  // Whether this node lies inside other (or is it).
  bool within(const Node& other) const;
  // The text of every text and CDATA node inside, in document order.
  QString allText() const;
  // A copy of the node and everything inside it, held by nothing.
  NodePtr deepCopy() const;
  // The number of elements from the document down to this one (1 for the
  // root element, 0 for a node held by no element).
  int depth() const;
  // The number of element levels inside this node and it (1 for an element
  // without child elements, 0 for a text).
  int height() const;
};

// Whether the two nodes and everything inside them are the same: kinds,
// names, attributes in their order, texts.
bool sameTree(const Node& a, const Node& b);

// Each child of into that is the same (sameTree) as the child in the same
// place in from is replaced by that one, inside children that differ too,
// so that the two trees hold what they have in common once. What into holds
// is unchanged; a node it takes stays from's child, so into must only be
// read and copied from then on, never changed.
void shareSame(const Node& from, Node& into);

// Whether the text is an XML name (a tag or attribute name), by XML 1.0's
// rules for the characters that start and continue one.
bool isName(const QString& name);

// The text with every character that XML 1.0 cannot carry replaced by
// U+FFFD; each replacement is told as a notice naming where it was (where
// is asked only then).
QString storable(const QString& text, const std::function<QString()>& where);

// A document node read from the text; on malformed input the error's
// description, line and column, and nullptr.
struct ParseError {
  QString message;
  qint64 line = 0;
  qint64 column = 0;
};
NodePtr parse(const QByteArray& content, ParseError& error);
// The same read from the device a piece at a time, so that the document is
// never held as bytes and text beside its tree.
NodePtr parse(QIODevice& device, ParseError& error);
// The same for a text already decoded (its declaration's encoding is not
// looked at).
NodePtr parse(const QString& text, ParseError& error);

// The document or element as text: each element on a line of its own,
// indented by indent blanks a level; an indent below 0 writes no line
// breaks at all. Text stays on the line of its element.
QString write(const Node& node, int indent);

class Writer;

// A document written as it is made, so that it need never be held whole:
// elements are opened and closed, and each node between is handed over
// whole and may go at once. The text is the one write() gives for the tree
// so made; it goes to the device as UTF-8, a piece at a time.
class StreamWriter {
 public:
  StreamWriter(int indent, QIODevice& device);
  ~StreamWriter();
  StreamWriter(const StreamWriter&) = delete;
  StreamWriter& operator=(const StreamWriter&) = delete;

  // The element's start: its name and attributes, not what it holds.
  void open(const Node& element);
  // The node and all it holds, inside the element opened last.
  void add(const Node& node);
  // Ends the element opened last.
  void close();
  // Ends what is open and hands the rest to the device.
  void finish();

 private:
  struct Level;
  int depth() const;
  void enter(bool text);

  std::unique_ptr<Writer> writer_;
  std::vector<Level> levels_;
};

}  // namespace host::xmltree
