// A saved document is written to its file a piece at a time: the file holds
// exactly the document's text, however long it is. A document written as it
// is made, node by node, is the same text as the tree it would make.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "QtPrinters.h"
#include "runtime/RuntimeError.h"
#include "xml/XmlDocument.h"
#include "xml/XmlHelper.h"

namespace {

TEST(XmlSave, ALongDocumentIsSavedAsItsText) {
  auto document = host::XmlHelper::instance()->NewDocument();
  document->addInstruction(QStringLiteral("xml"),
                           QStringLiteral("version=\"1.0\" encoding=\"UTF-8\""));
  const host::XmlElementPtr root = document->CreateElement(QStringLiteral("TestSequence"));
  document->SetDocumentElement(root);
  // Many pieces' worth, with characters of two, three and four bytes in
  // UTF-8 (the last two characters in UTF-16) throughout.
  for (int i = 0; i < 3000; ++i) {
    const host::XmlElementPtr element = document->CreateElement(QStringLiteral("TestElement"));
    element->SetAttribute(QStringLiteral("Name"), QStringLiteral("Prüfung %1 € 𝄞").arg(i));
    element->AddChild(QStringLiteral("Text"), QString(i % 97, u'∑') + QStringLiteral("𝄞<&>"));
    root->AppendChild(element);
  }
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("long.xml"));
  document->SaveFile(path);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray expected = document->toString(2).toUtf8();
  ASSERT_GT(expected.size(), 4 * 64 * 1024);
  EXPECT_TRUE(file.readAll() == expected);
}

// The node streamed: elements down to `opened` levels are opened and
// closed around their children, deeper ones handed over whole.
void stream(host::xmltree::StreamWriter& writer, const host::xmltree::Node& node, int opened) {
  using Kind = host::xmltree::Node::Kind;
  if (node.kind == Kind::Element && opened > 0) {
    writer.open(node);
    for (const host::xmltree::NodePtr& child : node.children) stream(writer, *child, opened - 1);
    writer.close();
  } else {
    writer.add(node);
  }
}

TEST(XmlSave, ADocumentStreamedNodeByNodeIsTheTextOfItsTree) {
  const char* const documents[] = {
      "<a/>",
      "<a>text</a>",
      "<a><b/></a>",
      "<a>t<b/>u<c>x</c></a>",
      "<a><b>x</b>tail</a>",
      "<a><b><c/>t</b><d/><!--note--><e><![CDATA[x]]></e></a>",
      "<?xml version=\"1.0\"?><!--before--><a k=\"v&amp;&#xa;\"><b/><?pi data?></a><!--after-->",
      "<a><b><c><d>deep</d></c></b>text<f/></a>",
  };
  for (const char* text : documents) {
    host::xmltree::ParseError error;
    const host::xmltree::NodePtr tree = host::xmltree::parse(QByteArray(text), error);
    ASSERT_TRUE(tree) << text;
    for (int indent : {2, 0, -1}) {
      for (int opened : {1, 2, 3}) {
        QBuffer device;
        device.open(QIODevice::WriteOnly);
        host::xmltree::StreamWriter writer(indent, device);
        for (const host::xmltree::NodePtr& node : tree->children) stream(writer, *node, opened);
        writer.finish();
        EXPECT_EQ(QString::fromUtf8(device.data()), host::xmltree::write(*tree, indent))
            << text << " indent " << indent << " opened " << opened;
      }
    }
  }
}

TEST(XmlSave, ADocumentThatFailsWhileItIsStreamedLeavesTheOldFileWhole) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("doc.xml"));
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("<old/>");
  }
  host::xmltree::ParseError error;
  const host::xmltree::NodePtr element =
      host::xmltree::parse(QByteArray("<a>" + QByteArray(100000, 'x') + "</a>"), error);
  ASSERT_TRUE(element);
  EXPECT_THROW(host::XmlDocument::SaveStreamed(path,
                                               [&](host::xmltree::StreamWriter& stream) {
                                                 stream.add(*element->children.front());
                                                 rt::raise(rt::err::InvalidCall);
                                               }),
               rt::RuntimeError);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("<old/>"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("doc.xml")});
}

}  // namespace
