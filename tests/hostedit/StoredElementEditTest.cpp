// A stored element's settings edited in the host's dialog and written back
// into the sequence file in place: the accepted edit is saved, and every
// byte of the file outside the element's settings stays as it was.

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "HostEditFixture.h"
#include "SmallFileSystem.h"
#include "dialogs/HostDialogWindow.h"
#include "sequence/StoredElementEdit.h"
#include "typelib/IConfigData.h"
#include "typelib/ITestElement.h"

namespace hostedit {
namespace {

using host::HostDialogWindow;
using host::StoredElementEdit;

// The charge-time settings as the host writes them, each line after the
// first beginning with indent.
QString chargeTimeSettings(int energy, const QString& indent, const QString& newline = "\n") {
  return QStringLiteral(
             "<PlugInData PlugIn=\"RV-1X\">%1  <PresetEnergy>%2</PresetEnergy>%1  "
             "<AutoPlayback>False</AutoPlayback>%1  <TestGuideSettings "
             "ButtonMask=\"11\"/>%1</PlugInData>")
      .arg(newline + indent)
      .arg(energy);
}

class StoredElementEditTest : public HostEditTest {
 protected:
  // The element's settings dialog in the host's window, shown and active.
  std::unique_ptr<HostDialogWindow> open(const StoredElementEdit& stored) {
    auto window = std::make_unique<HostDialogWindow>(
        stored.Element()->Configuration()->CreateDialog(), QStringLiteral("Settings"),
        HostDialogWindow::Buttons::OkCancel);
    window->show();
    QApplication::setActiveWindow(window.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return window;
  }
  static void press(HostDialogWindow& window, QDialogButtonBox::StandardButton which) {
    QPushButton* button = window.findChild<QDialogButtonBox*>()->button(which);
    ASSERT_TRUE(button);
    QTest::mouseClick(button, Qt::LeftButton);
  }
};

TEST_F(StoredElementEditTest, TheAcceptedEditIsWrittenInPlaceAndEveryOtherByteKept) {
  // Written by hand: CRLF lines, tabs, single quotes, a comment, an entry
  // the host cannot read and a child it does not know.
  const QString layout = QStringLiteral(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
      "<!-- Ward 3, bench B -->\r\n"
      "<TestSequence   Site='Ward 3'>\r\n"
      "\t<TestElement ClassName='RV1XTests.CTestNotInstalled' TestID='800'>"
      "<PlugInData>kept</PlugInData></TestElement>\r\n"
      "  <TestElement ClassName=\"RV1XTests.CTestChargeTime\" TestID=\"100\" ID=\"2\">\r\n"
      "    <Info Name=\"Charge   time\"/>\r\n"
      "    %1\r\n"
      "    <Notes>by hand</Notes>\r\n"
      "  </TestElement>\r\n"
      "</TestSequence>\r\n");
  const QString file = writeFile(layout.arg(chargeTimeSettings(360, "    ", "\r\n")).toUtf8());

  StoredElementEdit stored(file, 2);
  {
    const std::unique_ptr<HostDialogWindow> window = open(stored);
    press(*window, QDialogButtonBox::Ok);
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_FALSE(window->Changed()) << "OK without an edit has nothing to write";
  }
  const std::unique_ptr<HostDialogWindow> window = open(stored);
  auto* energy = window->findChild<QLineEdit*>(QStringLiteral("txtEnergy"));
  ASSERT_TRUE(energy);
  energy->setFocus();
  energy->selectAll();
  QTest::keyClicks(energy, QStringLiteral("200"));
  QTest::keyClick(energy, Qt::Key_Return);
  EXPECT_TRUE(window->isVisible()) << "Enter belongs to the editor, not to the host's buttons";
  press(*window, QDialogButtonBox::Ok);
  EXPECT_EQ(window->result(), QDialog::Accepted);
  EXPECT_TRUE(window->Changed());

  stored.Save();
  EXPECT_EQ(QString::fromUtf8(readFile(file)), layout.arg(chargeTimeSettings(200, "    ", "\r\n")));
}

TEST_F(StoredElementEditTest, ASaveThatDoesNotFitOnTheDiskLeavesTheFileAsItWas) {
  testsupport::SmallFileSystem small(24 * 1024);
  const QString padding(static_cast<int>(small.fileLimit()) + 1024, u'p');
  const QByteArray layout = QStringLiteral(
                                "<TestSequence>\n<!-- %1 -->\n  <TestElement "
                                "ClassName=\"RV1XTests.CTestChargeTime\" TestID=\"100\">\n"
                                "    %2\n  </TestElement>\n</TestSequence>\n")
                                .arg(padding, chargeTimeSettings(360, "    "))
                                .toUtf8();
  const QString file = small.filePath(QStringLiteral("sequence.xml"));
  {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    ASSERT_EQ(out.write(layout), layout.size());
  }
  const StoredElementEdit stored(file, 1);
  rt::Long error = 0;
  {
    const testsupport::SmallFileSystem::Scope limited(small);
    error = testsupport::errorOf([&] { stored.Save(); });
  }
  EXPECT_EQ(error, rt::err::DiskFull);
  EXPECT_EQ(readFile(file), layout);
}

TEST_F(StoredElementEditTest, WhereTheSettingsGoInTheElement) {
  const QString kEntry = QStringLiteral("TestElement ClassName=\"RV1XTests.CTestChargeTime\"");
  const struct {
    const char* what;
    QString stored, edited;
  } cases[] = {
      {"an element without settings: they go last",
       "<TestSequence>\n  <" + kEntry +
           ">\n    <Info Name=\"A\"/>\n  </TestElement>\n</TestSequence>",
       "<TestSequence>\n  <" + kEntry + ">\n    <Info Name=\"A\"/>\n    " +
           chargeTimeSettings(360, "    ") + "\n  </TestElement>\n</TestSequence>"},
      {"an empty element opens", "<TestSequence>\n  <" + kEntry + " ID=\"4\"/>\n</TestSequence>",
       "<TestSequence>\n  <" + kEntry + " ID=\"4\">\n    " + chargeTimeSettings(360, "    ") +
           "\n  </TestElement>\n</TestSequence>"},
      {"a sequence on one line stays on one line",
       "<TestSequence><" + kEntry +
           "><PlugInData PlugIn=\"RV-1X\"><PresetEnergy>50</PresetEnergy></PlugInData>"
           "</TestElement></TestSequence>",
       "<TestSequence><" + kEntry +
           "><PlugInData PlugIn=\"RV-1X\"><PresetEnergy>50</PresetEnergy><AutoPlayback>False"
           "</AutoPlayback><TestGuideSettings ButtonMask=\"11\"/></PlugInData></TestElement>"
           "</TestSequence>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const StoredElementEdit stored(writeFile(c.stored.toUtf8()), 1);
    EXPECT_EQ(QString::fromUtf8(stored.Edited()), c.edited);
  }
}

TEST_F(StoredElementEditTest, AFileKeepsItsEncodingAndByteOrderMark) {
  const QString text =
      QStringLiteral(
          "<TestSequence>\n"
          "  <TestElement ClassName=\"RV1XTests.CTestChargeTime\" TestID=\"100\">\n"
          "    <Info Name=\"D\u00e9fibrillateur\"/>\n    ") +
      chargeTimeSettings(360, "    ") + QStringLiteral("\n  </TestElement>\n</TestSequence>\n");
  const struct {
    const char* what;
    QByteArray stored;
  } cases[] = {
      {"ISO-8859-1", ("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n" + text).toLatin1()},
      {"UTF-8 with a byte-order mark",
       "\xEF\xBB\xBF" + ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + text).toUtf8()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(StoredElementEdit(writeFile(c.stored), 1).Edited(), c.stored)
        << "the settings written as they were stored";
  }
}

}  // namespace
}  // namespace hostedit
