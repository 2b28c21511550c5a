// The host's XML document, element and node list.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "QtPrinters.h"
#include "TestSupport.h"
#include "runtime/Notices.h"
#include "xml/XmlDocument.h"
#include "xml/XmlHelper.h"

namespace {

using host::XmlDocument;
using host::XmlElementPtr;
namespace xmltree = host::xmltree;

using testsupport::errorOf;
using testsupport::raisedBy;

std::shared_ptr<XmlDocument> parsed(const QString& text) {
  auto document = std::make_shared<XmlDocument>();
  document->LoadXml(text);
  return document;
}

TEST(XmlDocument, CreatesElementsOnlyWithValidNames) {
  auto document = host::XmlHelper::instance()->NewDocument();
  XmlElementPtr element = document->CreateElement(QStringLiteral("PlugInData"));
  ASSERT_TRUE(element);
  EXPECT_EQ(element->TagName(), QStringLiteral("PlugInData"));
  EXPECT_FALSE(element->HasChildren());
  for (const char* bad : {"", "1abc", "a b", "a<b", "-x"})
    EXPECT_FALSE(document->CreateElement(QLatin1String(bad))) << bad;
  EXPECT_TRUE(document->CreateElement(QStringLiteral("_x.y-z")));
}

TEST(XmlDocument, ElementsHaveAttributesTextAndChildren) {
  auto document = std::make_shared<XmlDocument>();
  XmlElementPtr root = document->CreateElement(QStringLiteral("PlugInData"));
  root->SetAttribute(QStringLiteral("PlugIn"), QStringLiteral("RV-1X"));
  EXPECT_EQ(root->Attribute(QStringLiteral("PlugIn")), QStringLiteral("RV-1X"));
  EXPECT_EQ(root->Attribute(QStringLiteral("Missing")), QString());
  EXPECT_EQ(root->Attribute(QStringLiteral("plugin")), QString())
      << "attribute names keep their case";

  XmlElementPtr energy = root->AddChild(QStringLiteral("PresetEnergy"), QStringLiteral("200"));
  ASSERT_TRUE(energy);
  EXPECT_EQ(energy->Text(), QStringLiteral("200"));
  root->AddChild(QStringLiteral("Flag"), QStringLiteral("True"));
  root->AddChild(QStringLiteral("Flag"), QStringLiteral("False"));
  EXPECT_TRUE(root->HasChildren());
  EXPECT_EQ(root->SelectChild(QStringLiteral("Flag"), 0)->Text(), QStringLiteral("True"));
  EXPECT_FALSE(root->SelectChild(QStringLiteral("Nothing"), 0));
  EXPECT_FALSE(root->SelectChild(QStringLiteral("flag"), 0)) << "tag names keep their case";
  EXPECT_EQ(errorOf([&] { root->AddChild(QStringLiteral("bad name"), QString()); }), 5);

  energy->SetText(QString());
  EXPECT_EQ(energy->Text(), QString());
  energy->SetTagName(QStringLiteral("ExpectedResult"));
  EXPECT_TRUE(root->SelectChild(QStringLiteral("ExpectedResult"), 0));
  EXPECT_EQ(errorOf([&] { root->AppendChild(nullptr); }), 91);
}

TEST(XmlDocument, ChildNodesAreTheChildElements) {
  auto document = parsed(
      QStringLiteral("<TemplateData>text<A/> more <B x='1'><C/></B><!-- c --></TemplateData>"));
  XmlElementPtr root = document->DocumentElement();
  ASSERT_TRUE(root);
  auto children = root->ChildNodes();
  ASSERT_EQ(children->Length(), 2);
  EXPECT_EQ(children->Item(0)->TagName(), QStringLiteral("A"));
  EXPECT_EQ(children->Item(1)->Attribute(QStringLiteral("x")), QStringLiteral("1"));
  EXPECT_EQ(errorOf([&] { children->Item(2); }), 9);
  EXPECT_EQ(errorOf([&] { children->Item(-1); }), 9);
  EXPECT_FALSE(children->Item(0)->HasChildren());
  EXPECT_EQ(
      parsed(QStringLiteral("<a>  only text  </a>"))->DocumentElement()->ChildNodes()->Length(), 0);
}

TEST(XmlDocument, AppendChildPlacesElementsAlsoFromAnotherDocument) {
  auto owner = std::make_shared<XmlDocument>();
  XmlElementPtr root = owner->CreateElement(QStringLiteral("ResultItem"));
  owner->SetDocumentElement(root);
  XmlElementPtr child = owner->CreateElement(QStringLiteral("Measurement"));
  child->SetAttribute(QStringLiteral("Key"), QStringLiteral("ENGY"));
  root->AppendChild(child);
  auto other = std::make_shared<XmlDocument>();
  XmlElementPtr foreign = other->CreateElement(QStringLiteral("Waveform"));
  foreign->AddChild(QStringLiteral("Resolution"), QStringLiteral("10"));
  root->AppendChild(foreign);
  EXPECT_EQ(
      owner->toString(-1),
      QStringLiteral("<ResultItem><Measurement Key=\"ENGY\"/><Waveform><Resolution>10</Resolution>"
                     "</Waveform></ResultItem>"));
}

TEST(XmlDocument, TheRootMayComeFromAnotherDocument) {
  auto built = std::make_shared<XmlDocument>();
  XmlElementPtr element = built->CreateElement(QStringLiteral("ServiceRecord"));
  element->SetText(QStringLiteral("/1/2"));
  auto target = std::make_shared<XmlDocument>();
  target->SetDocumentElement(element);
  ASSERT_TRUE(target->DocumentElement());
  EXPECT_EQ(target->toString(-1), QStringLiteral("<ServiceRecord>/1/2</ServiceRecord>"));
  target->SetDocumentElement(target->CreateElement(QStringLiteral("Other")));
  EXPECT_EQ(target->toString(-1), QStringLiteral("<Other/>"));
  EXPECT_EQ(errorOf([&] { target->SetDocumentElement(nullptr); }), 91);
}

TEST(XmlDocument, ElementsKeepTheirDocumentAlive) {
  XmlElementPtr element;
  {
    auto document = std::make_shared<XmlDocument>();
    element = document->CreateElement(QStringLiteral("Standards"));
  }
  XmlElementPtr child = element->AddChild(QStringLiteral("Standard"), QStringLiteral("x"));
  EXPECT_EQ(element->SelectChild(QStringLiteral("Standard"))->Text(), QStringLiteral("x"));
}

TEST(XmlDocument, FilesRoundTripAndFileErrorsAreRunTimeErrors) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("orvanRV1X.mpc"));
  auto document = std::make_shared<XmlDocument>();
  XmlElementPtr root = document->CreateElement(QStringLiteral("Template"));
  document->SetDocumentElement(root);
  root->AddChild(QStringLiteral("TemplateData"), QString())
      ->SetAttribute(QStringLiteral("Text"), QStringLiteral("a < b & \"c\" ü"));
  document->SaveFile(file);

  auto loaded = std::make_shared<XmlDocument>();
  loaded->Load(file);
  EXPECT_EQ(loaded->DocumentElement()->TagName(), QStringLiteral("Template"));
  EXPECT_EQ(loaded->DocumentElement()
                ->SelectChild(QStringLiteral("TemplateData"))
                ->Attribute(QStringLiteral("Text")),
            QStringLiteral("a < b & \"c\" ü"));
  EXPECT_FALSE(std::make_shared<XmlDocument>()->DocumentElement())
      << "an empty document has no root";

  EXPECT_EQ(errorOf([&] { loaded->Load(dir.filePath(QStringLiteral("missing.mpc"))); }), 53);
  EXPECT_EQ(errorOf([&] { loaded->Load(dir.filePath(QStringLiteral("no/such/dir/x.mpc"))); }), 53);
  const rt::Long unreadable = errorOf([&] { loaded->Load(dir.path()); });
  EXPECT_TRUE(unreadable == 70 || unreadable == 75) << unreadable;
  EXPECT_TRUE(rt::isFileError(
      errorOf([&] { document->SaveFile(dir.filePath(QStringLiteral("no/dir/x.xml"))); })));

  QFile bad(dir.filePath(QStringLiteral("bad.mpc")));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("<Template>\n  <TemplateData>\n</Template>\n");
  bad.close();
  const rt::RuntimeError malformed = raisedBy([&] { loaded->Load(bad.fileName()); });
  EXPECT_EQ(malformed.Number(), 5);
  EXPECT_TRUE(malformed.Description().contains(QStringLiteral("line 3")))
      << qPrintable(malformed.Description());
  EXPECT_EQ(loaded->DocumentElement()->TagName(), QStringLiteral("Template"))
      << "a failed load keeps the document";
  EXPECT_EQ(errorOf([&] { loaded->LoadXml(QStringLiteral("<a>")); }), 5);
}

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(XmlDocument, SavesTheSameBytesWithAttributesInTheOrderTheyWereSet) {
  QTemporaryDir dir;
  auto document = std::make_shared<XmlDocument>();
  XmlElementPtr root = document->CreateElement(QStringLiteral("Standards"));
  document->SetDocumentElement(root);
  XmlElementPtr limit = root->AddChild(QStringLiteral("Limit"), QString());
  const QStringList names{"Key", "Unit", "Operator", "High", "HighEnabled", "Low", "LowEnabled"};
  for (const QString& name : names) limit->SetAttribute(name, name.toLower());
  limit->SetAttribute(QStringLiteral("Unit"), QStringLiteral("J"));  // a new value keeps its place
  EXPECT_EQ(document->toString(-1).toStdString(),
            "<Standards><Limit Key=\"key\" Unit=\"J\" Operator=\"operator\" High=\"high\" "
            "HighEnabled=\"highenabled\" Low=\"low\" LowEnabled=\"lowenabled\"/></Standards>");

  const QString first = dir.filePath(QStringLiteral("first.xml"));
  const QString second = dir.filePath(QStringLiteral("second.xml"));
  document->SaveFile(first);
  document->SaveFile(second);
  EXPECT_EQ(fileBytes(first), fileBytes(second));
  // A document read back is saved as it was read.
  auto loaded = std::make_shared<XmlDocument>();
  loaded->Load(first);
  loaded->SaveFile(second);
  EXPECT_EQ(fileBytes(second), fileBytes(first));
}

TEST(XmlDocument, TextsReadBackAsTheyWereSetAndCharactersXmlCannotCarryAreReplaced) {
  const struct {
    const char* name;
    QString set;
    QString readBack;
  } texts[] = {
      {"markup", QStringLiteral("a < b & \"c\" > d ]]> e"),
       QStringLiteral("a < b & \"c\" > d ]]> e")},
      {"line breaks", QStringLiteral("one\r\ntwo\rthree\tfour"),
       QStringLiteral("one\r\ntwo\rthree\tfour")},
      {"controls",
       QStringLiteral("a\x01"
                      "b\x1f"
                      "c\x0b"),
       QStringLiteral("a\uFFFDb\uFFFDc\uFFFD")},
      {"non-characters", QStringLiteral("x") + QChar(0xFFFE) + QChar(0xD800) + QStringLiteral("y"),
       QStringLiteral("x\uFFFD\uFFFDy")},
      {"beyond the BMP", QStringLiteral("\U0001F600"), QStringLiteral("\U0001F600")},
  };
  QTemporaryDir dir;
  for (const auto& t : texts) {
    SCOPED_TRACE(t.name);
    rt::clearNotices();
    auto document = std::make_shared<XmlDocument>();
    XmlElementPtr root = document->CreateElement(QStringLiteral("TemplateData"));
    document->SetDocumentElement(root);
    root->SetAttribute(QStringLiteral("Text"), t.set);
    root->AddChild(QStringLiteral("Comment"), t.set);
    const QString file = dir.filePath(QStringLiteral("texts.xml"));
    document->SaveFile(file);

    auto loaded = std::make_shared<XmlDocument>();
    ASSERT_EQ(errorOf([&] { loaded->Load(file); }), 0) << "every document saved reads back";
    XmlElementPtr back = loaded->DocumentElement();
    EXPECT_EQ(back->Attribute(QStringLiteral("Text")), t.readBack);
    EXPECT_EQ(back->SelectChild(QStringLiteral("Comment"))->Text(), t.readBack);
    const bool replaced = t.set != t.readBack;
    EXPECT_EQ(rt::notices().size(), replaced ? 2 : 0) << qPrintable(rt::notices().join(u'\n'));
    if (replaced) {
      EXPECT_TRUE(rt::notices().first().startsWith(
          QStringLiteral("xml: attribute Text of <TemplateData> held U+")))
          << qPrintable(rt::notices().first());
    }
  }
}

TEST(XmlDocument, MarkupInTextsAndValuesIsWrittenAsReferencesOnlyWhereItMust) {
  auto document = std::make_shared<XmlDocument>();
  XmlElementPtr root = document->CreateElement(QStringLiteral("Prüfung"));
  document->SetDocumentElement(root);
  const QString text = QStringLiteral("a < b & \"c\" > d ]]> e\r\n\tf");
  root->SetAttribute(QStringLiteral("Maß"), text);
  root->AddChild(QStringLiteral("Note"), text);
  root->AddChild(QStringLiteral("Note"), QStringLiteral("plain"));
  const QString written = QStringLiteral(
      "<Prüfung Maß=\"a &lt; b &amp; &quot;c&quot; > d ]]> e&#xd;&#xa;&#x9;f\">"
      "<Note>a &lt; b &amp; \"c\" > d ]]&gt; e&#xd;\n\tf</Note><Note>plain</Note></Prüfung>");
  EXPECT_EQ(document->toString(-1), written);
  auto loaded = std::make_shared<XmlDocument>();
  loaded->LoadXml(written);
  EXPECT_EQ(loaded->toString(-1), written) << "read back, the same bytes";
  EXPECT_EQ(loaded->DocumentElement()->Attribute(QStringLiteral("Maß")), text);
}

TEST(XmlDocument, NamesThatWouldNotReadBackAreRefused) {
  auto document = std::make_shared<XmlDocument>();
  XmlElementPtr element = document->CreateElement(QStringLiteral("Limit"));
  for (const char* bad : {"", "1x", "a b", "a\"b", "<"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(errorOf([&] { element->SetAttribute(QLatin1String(bad), QStringLiteral("v")); }), 5);
    EXPECT_EQ(errorOf([&] { element->SetTagName(QLatin1String(bad)); }), 5);
  }
  EXPECT_EQ(element->TagName(), QStringLiteral("Limit"));
  XmlElementPtr child = element->AddChild(QStringLiteral("Standard"), QString());
  EXPECT_EQ(errorOf([&] { child->AppendChild(element); }), 5) << "an element cannot hold itself";
  EXPECT_EQ(document->toString(-1), QString());
  document->SetDocumentElement(element);
  EXPECT_EQ(document->toString(-1), QStringLiteral("<Limit><Standard/></Limit>"));
}

// Qt's reader takes some names XML does not, and a reader that followed any
// depth would take the stack with it.
TEST(XmlDocument, ReadsOnlyWellFormedDocumentsNestedWithinTheLimit) {
  const auto nested = [](int depth) {
    return QStringLiteral("<a>").repeated(depth) + QStringLiteral("</a>").repeated(depth);
  };
  struct Case {
    const char* what;
    QString text;
    const char* refusal;  // nullptr: read
  } cases[] = {
      {"attribute name", QStringLiteral("<Note Be~nch=\"3\"/>"), "\"Be~nch\" is no XML attribute"},
      {"one too deep", nested(xmltree::kDepthLimit + 1), "nested deeper than 256"},
      {"as deep as may be", nested(xmltree::kDepthLimit), nullptr},
      {"names XML allows", QStringLiteral("<a\u00b7b \u00e9t\u00e9=\"1\" x.y-z_:w=\"2\"/>"),
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto document = std::make_shared<XmlDocument>();
    const rt::RuntimeError error = raisedBy([&] { document->LoadXml(c.text); });
    if (!c.refusal) {
      EXPECT_EQ(error.Number(), 0) << qPrintable(error.Description());
      continue;
    }
    EXPECT_EQ(error.Number(), 5);
    EXPECT_TRUE(error.Description().contains(QLatin1String(c.refusal)))
        << qPrintable(error.Description());
    EXPECT_FALSE(document->DocumentElement());
  }
}

TEST(XmlDocument, NoTreeGrowsBeyondTheLimitAndAnyTreeIsTakenApartWithoutRecursion) {
  auto document = std::make_shared<XmlDocument>();
  XmlElementPtr top = document->CreateElement(QStringLiteral("a"));
  XmlElementPtr bottom = top;
  for (int level = 1; level < xmltree::kDepthLimit; ++level)
    bottom = bottom->AddChild(QStringLiteral("a"), QString());
  EXPECT_EQ(errorOf([&] { bottom->AddChild(QStringLiteral("a"), QString()); }), 5);
  XmlElementPtr other = document->CreateElement(QStringLiteral("b"));
  other->AddChild(QStringLiteral("c"), QString());
  EXPECT_EQ(errorOf([&] { bottom->AppendChild(other); }), 5);
  EXPECT_EQ(errorOf([&] { other->AppendChild(top); }), 5);

  // A chain far deeper than any stack, made below the document's API.
  auto root = std::make_shared<xmltree::Node>(xmltree::Node::Kind::Element, QStringLiteral("a"));
  xmltree::Node* last = root.get();
  for (int level = 0; level < 500000; ++level) {
    auto child = std::make_shared<xmltree::Node>(xmltree::Node::Kind::Element, QStringLiteral("a"));
    last->children.push_back(child);
    last = child.get();
  }
  root.reset();  // before the mend: a stack overflow
}

}  // namespace
