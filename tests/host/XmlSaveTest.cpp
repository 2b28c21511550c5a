// A saved document is written to its file a piece at a time: the file holds
// exactly the document's text, however long it is.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "QtPrinters.h"
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

}  // namespace
