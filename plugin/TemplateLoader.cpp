#include "TemplateLoader.h"

#include <algorithm>
#include <array>

#include "PlugInErrors.h"
#include "com/CreateObject.h"
#include "elements/TestCollection.h"
#include "elements/TestInfo.h"
#include "limits/StandardsCollection.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "services/HostLog.h"
#include "services/LanguageService.h"
#include "typelib/ILimitData.h"
#include "typelib/ITestElement.h"
#include "xml/XmlDocument.h"
#include "xml/XmlHelper.h"
#include "xml/XmlTree.h"

namespace orvanRV1X::TemplateLoader {

namespace {

const QString kTemplateData = QStringLiteral("TemplateData");
const QString kTestElement = QStringLiteral("TestElement");
const QString kExpectedResult = QStringLiteral("ExpectedResult");
constexpr rt::Long kEntrySeverity = 3;

// The four texts of an entry, in the order the info object takes them.
enum Text { Type, Parameter, Name, Description };
constexpr std::array<const char*, 4> kTextNodes = {"Type", "Parameter", "Name", "Description"};

[[noreturn]] void raise(rt::Long number, rt::Long severity, const QString& description) {
  host::errors().RaiseError(host::kProduct, number, kPlugInSource, severity, description);
  rt::raise(number, kPlugInSource, description);  // a service that returned
}

QString aboutFile(const QString& path, const QString& what) {
  return QStringLiteral("Test template \"%1\": %2").arg(path, what);
}

// The load statement: a document that is not well-formed XML is a bad
// template, not an unexpected error.
void loadDocument(host::XmlDocument& document, const QString& path) {
  rt::onError([&] { document.Load(path); },
              [&](const rt::RuntimeError& error) {
                if (error.Number() != rt::err::InvalidCall) rt::passOn();
                QString where = error.Description();
                if (where.startsWith(path)) where = where.mid(path.size()).trimmed();
                raise(plugInErr::BadTemplate, kEntrySeverity,
                      QStringLiteral("not well-formed XML ") + where);
              });
}

// Every statement of the loader's own steps lets the host's ignorable error
// pass and goes on with the next.
template <class Statement>
void step(Statement&& statement) {
  rt::resumeNextOn(hosterr::Ignored, std::forward<Statement>(statement));
}

QString entryName(host::XmlElement& node) {
  const QString className = node.Attribute(QStringLiteral("ClassName"));
  return className.isEmpty() ? QStringLiteral("a \"TestElement\" entry")
                             : QStringLiteral("the entry of %1").arg(className);
}

// The prototype of the list's child at that index, or Nothing when the child
// is no "TestElement" entry or the entry was left out.
host::ITestElementPtr entryAt(host::XmlNodeList& children, rt::Long index) {
  const host::XmlElementPtr child = children.Item(index);
  if (com::must(child).TagName() != kTestElement) return nullptr;
  return CreateTestElement(child);
}

// The template being read, for the reports of its entries.
QString& templatePath() {
  static QString path;
  return path;
}

// What the load of the default standards could not read as written, and
// the standards that hold it.
class UnreadLimits : public host::HostLog {
 public:
  void Message(rt::Long number, rt::Long, const QString& text,
               const QVariantList& paramList) override {
    if (number != host::kStandardsLoadError || paramList.size() < 2) return;
    // What the value reads as does not matter: the standard is left out.
    const qsizetype readAs = text.lastIndexOf(QLatin1String(", read as "));
    texts.append(readAs < 0 ? text : text.left(readAs));
    standards.append({rt::cstr(paramList.at(0)), rt::cstr(paramList.at(1))});
  }
  QStringList texts;
  QList<std::pair<QString, QString>> standards;
};

bool sameNames(const QString& alpha, const QString& complete,
               const std::pair<QString, QString>& names) {
  return alpha.compare(names.first, Qt::CaseInsensitive) == 0 &&
         complete.compare(names.second, Qt::CaseInsensitive) == 0;
}

// The entry's default standards. A value they hold that is not written as
// a stored sequence writes it (a number that is not wholly one, a flag
// that is neither "True" nor "False") would judge by a bound nobody gave:
// each is reported, naming the file, the standard and the limit, and the
// standard that holds it is left out, so that it judges nothing until the
// template is mended.
void loadDefaultStandards(const host::ITestElementPtr& element,
                          const host::XmlElementPtr& expected) {
  host::ILimitData& limits = com::must(com::must(element).Limits());
  auto unread = std::make_shared<UnreadLimits>();
  const host::ReportCapture loading;
  limits.Load(expected, unread);
  // A load that failed has said so, and left the standards as they were.
  if (unread->texts.isEmpty() || !loading.isEmpty()) return;
  for (const QString& text : unread->texts)
    host::errors().ReportError(
        rt::RuntimeError(
            host::kStandardsLoadError, kPlugInSource,
            aboutFile(templatePath(), QStringLiteral("test %1, %2; the standard judges nothing "
                                                     "until the template is mended")
                                          .arg(element->TestID())
                                          .arg(text))),
        kPlugInSource);
  auto document = std::make_shared<host::XmlDocument>();
  const host::xmltree::NodePtr readable = expected->node()->deepCopy();
  std::erase_if(readable->children, [&](const host::xmltree::NodePtr& child) {
    if (child->kind != host::xmltree::Node::Kind::Element) return false;
    const QString* alpha = child->attribute(QStringLiteral("AlphaName"));
    const QString* complete = child->attribute(QStringLiteral("CompleteName"));
    const QString a = alpha ? *alpha : QString();
    const QString c = complete ? *complete : QString();
    return std::any_of(unread->standards.begin(), unread->standards.end(),
                       [&](const auto& names) { return sameNames(a, c, names); });
  });
  limits.Load(std::make_shared<host::XmlElement>(document, readable), nullptr);
}

}  // namespace

host::ITestElementListPtr LoadTemplate(const QString& path) {
  templatePath() = path;
  return rt::onError(
      [&]() -> host::ITestElementListPtr {
        host::XmlDocumentPtr document;
        step([&] { document = com::must(host::XmlHelper::instance()).NewDocument(); });
        step([&] { loadDocument(com::must(document), path); });
        host::XmlElementPtr templateData;
        step([&] {
          templateData =
              com::must(com::must(document).DocumentElement()).SelectChild(kTemplateData, 0);
        });
        if (!templateData)
          raise(plugInErr::BadTemplate, kEntrySeverity,
                QStringLiteral("no \"TemplateData\" element below the root"));
        bool hasEntries = false;
        step([&] { hasEntries = templateData->HasChildren(); });
        if (!hasEntries)
          raise(plugInErr::BadTemplate, kEntrySeverity,
                QStringLiteral("\"TemplateData\" holds nothing"));
        host::XmlNodeListPtr children;
        rt::Long count = 0;
        step([&] { children = templateData->ChildNodes(); });
        step([&] { count = com::must(children).Length(); });
        std::shared_ptr<host::TestCollection> catalogue;
        for (rt::Long i = 0; i < count; ++i)
          step([&] {
            const host::ITestElementPtr element = entryAt(*children, i);
            if (!element) return;
            if (!catalogue) catalogue = std::make_shared<host::TestCollection>();
            catalogue->Add(element, nullptr, 1);
          });
        if (!catalogue) catalogue = std::make_shared<host::TestCollection>();
        return catalogue;
      },
      [&](const rt::RuntimeError& error) -> host::ITestElementListPtr {
        const rt::Long number = error.Number();
        if (number == rt::err::FileNotFound)
          raise(plugInErr::TemplateNotFound, kEntrySeverity,
                aboutFile(path, QStringLiteral("not found")));
        if (rt::isFileError(number))
          raise(plugInErr::TemplateFileError, kEntrySeverity,
                aboutFile(
                    path,
                    QStringLiteral("cannot be read (%1)").arg(rt::standardDescription(number))));
        if (number == plugInErr::BadTemplate)
          raise(plugInErr::BadTemplate, 1, aboutFile(path, error.Description()));
        host::errors().ReportError(error, kPlugInSource);
        return nullptr;
      });
}

host::ITestElementPtr CreateTestElement(const host::XmlElementPtr& node) {
  return rt::onError(
      [&]() -> host::ITestElementPtr {
        host::XmlElement& entry = com::must(node);
        const QString className = entry.Attribute(QStringLiteral("ClassName"));
        if (className.isEmpty())
          raise(plugInErr::BadTemplate, kEntrySeverity,
                QStringLiteral("a \"TestElement\" entry has no \"ClassName\""));
        const host::ITestElementPtr element =
            com::cast<host::ITestElement>(com::createObject(className));
        const QString idText = entry.Attribute(QStringLiteral("ID"));
        if (idText.isEmpty())
          raise(plugInErr::BadTemplate, kEntrySeverity,
                QStringLiteral("%1 has no \"ID\"").arg(entryName(entry)));
        const rt::Long id = rt::toLong(rt::val(idText));
        // The rest of the system knows a test by its class's test ID: under
        // another one it would get the wrong icon, limits and test run.
        const rt::Long classTestID = com::must(element).TestID();
        if (id != classTestID)
          raise(plugInErr::WrongTestID, kEntrySeverity,
                QStringLiteral("%1 has the ID \"%2\", but its class's test ID is %3; the entry "
                               "is left out")
                    .arg(entryName(entry), idText)
                    .arg(classTestID));
        element->Initialize(host::kProduct, id, id);
        ReadElementProperties(element, node);
        if (auto group = com::queryInterface<host::ITestElementList>(element)) {
          const host::XmlNodeListPtr members = entry.ChildNodes();
          for (rt::Long i = 0; i < com::must(members).Length(); ++i)
            if (host::ITestElementPtr member = entryAt(*members, i)) group->Add(member, nullptr, 1);
        }
        return element;
      },
      [&](const rt::RuntimeError& error) -> host::ITestElementPtr {
        const rt::Long number = error.Number();
        if (number == hosterr::EndsLoad1 || number == hosterr::EndsLoad2 ||
            number == plugInErr::BadTemplate)
          raise(number, kEntrySeverity, error.Description());
        host::errors().ReportError(error, kPlugInSource);
        return nullptr;
      });
}

void ReadElementProperties(const host::ITestElementPtr& element, const host::XmlElementPtr& node) {
  std::array<QString, kTextNodes.size()> texts;
  host::XmlNodeListPtr children;
  rt::Long count = 0;
  rt::ignoreErrors([&] {
    children = com::must(node).ChildNodes();
    count = com::must(children).Length();
  });
  for (rt::Long i = 0; i < count; ++i) {
    rt::ignoreErrors([&] {
      const host::XmlElementPtr child = children->Item(i);
      const QString tag = com::must(child).TagName();
      if (tag == kExpectedResult) {
        loadDefaultStandards(element, child);
        return;
      }
      for (std::size_t t = 0; t < kTextNodes.size(); ++t)
        if (tag == QLatin1String(kTextNodes[t])) texts[t] = GetLocalizedNodeText(child);
    });
  }
  host::TestInfoPtr info;
  rt::ignoreErrors([&] { info = com::must(element).Info(); });
  rt::ignoreErrorsEach([&] { com::must(info).SetTypeAndParameter(texts[Type], texts[Parameter]); },
                       [&] { com::must(info).SetDescription(texts[Description]); },
                       [&] { com::must(info).SetName(texts[Name]); });
}

QString GetLocalizedNodeText(const host::XmlElementPtr& node) {
  return rt::orDefault(
      [&] {
        if (!node) return QString();
        const QString key = node->Attribute(QStringLiteral("LID"));
        if (key.isEmpty()) return QString();
        return host::translated(key);
      },
      QString());
}

}  // namespace orvanRV1X::TemplateLoader
