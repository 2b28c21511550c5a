// The analyzer identity: its editor with the registry store, and its
// registration in the run's identity list.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <cstdlib>

#include "TestSupport.h"
#include "records/RunObjects.h"
#include "services/RegistryHelper.h"
#include "settings/CMtiData2.h"
#include "settings/FDialogWrapper.h"
#include "settings/MtiRegistration.h"
#include "settings/XMTIData.h"
#include "ui/Extender.h"
#include "ui/WindowHandles.h"

namespace {

using orvanRV1Xtst::CMtiData2;
using orvanRV1Xtst::CMtiData2Ptr;
using orvanRV1Xtst::XMTIData;
namespace MMiscUtils = orvanRV1Xtst::MMiscUtils;

const QString kKey = QStringLiteral("Software\\Tavrin\\Orvan\\RV-1X\\MtiData\\");

CMtiData2Ptr identity(const QString& type, const QString& serial, const QString& firmware = {}) {
  auto i = std::make_shared<CMtiData2>();
  i->SetMtiType(type);
  i->SetSerial(serial);
  i->SetFirmware(firmware);
  return i;
}

void writeKey(const QString& path, const QList<std::pair<QString, QVariant>>& values) {
  host::RegistryHelper key;
  key.CreateKey(host::HKEY_LOCAL_MACHINE, path);
  for (const auto& [name, value] : values) key.WriteValue(name, value);
}

QVariant readValue(const QString& path, const QString& name) {
  host::RegistryHelper key;
  key.OpenKey(host::HKEY_LOCAL_MACHINE, path);
  return key.KeyOpened() ? key.ReadValue(name) : QVariant();
}

class IdentityEditor : public ::testing::Test {
 protected:
  void TearDown() override { QApplication::closeAllWindows(); }

  static QStringList listed(XMTIData& editor) {
    auto* list = editor.findChild<QComboBox*>(QStringLiteral("cboMtiType"));
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items.append(list->itemText(i));
    return items;
  }
  static QComboBox& typeList(XMTIData& e) {
    return *e.findChild<QComboBox*>(QStringLiteral("cboMtiType"));
  }
  static QLineEdit& serialBox(XMTIData& e) {
    return *e.findChild<QLineEdit*>(QStringLiteral("txtSerial"));
  }
  static QLineEdit& firmwareBox(XMTIData& e) {
    return *e.findChild<QLineEdit*>(QStringLiteral("txtFirmware"));
  }

  testsupport::TemporaryRegistry registry_;
};

TEST_F(IdentityEditor, EmptyKeyGivesTheThreeModelsWithTheFirstSelected) {
  XMTIData editor;
  EXPECT_EQ(listed(editor), (QStringList{"RV-11", "RV-12P", "RV-15"}));
  EXPECT_EQ(typeList(editor).currentIndex(), 0);
  ASSERT_TRUE(editor.GetMtiData());
  EXPECT_EQ(editor.GetMtiData()->MtiType(), QStringLiteral("RV-11"));
  EXPECT_TRUE(serialBox(editor).text().isEmpty());
  EXPECT_EQ(editor.findChild<QLabel*>(QStringLiteral("lblSerial"))->text(),
            QStringLiteral("Serial number:"))
      << "captions are translated when the control starts";
  EXPECT_EQ(editor.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(),
            QStringLiteral("MTI data"));
}

TEST_F(IdentityEditor, StoredEntriesAreLoadedTrimmedWithTheLastSelection) {
  writeKey(kKey, {{QStringLiteral("MRU"), 1}});
  writeKey(kKey + QStringLiteral("RV-11"), {{QStringLiteral("Serial"), QStringLiteral("  1001 ")},
                                            {QStringLiteral("Firmware"), QStringLiteral("2.01")}});
  writeKey(kKey + QStringLiteral("RV-12P"),
           {{QStringLiteral("Serial"), QStringLiteral(" 2002")},
            {QStringLiteral("Firmware"), QStringLiteral(" 3.10  ")}});
  writeKey(kKey + QStringLiteral("RV-15"), {});
  XMTIData editor;
  EXPECT_EQ(listed(editor), (QStringList{"RV-11", "RV-12P", "RV-15"}));
  EXPECT_EQ(typeList(editor).currentIndex(), 1);
  EXPECT_EQ(serialBox(editor).text(), QStringLiteral("2002"));
  EXPECT_EQ(firmwareBox(editor).text(), QStringLiteral("3.10"));
  const CMtiData2Ptr selected = editor.GetMtiData();
  EXPECT_EQ(selected->MtiType(), QStringLiteral("RV-12P"));
  EXPECT_EQ(selected->Serial(), QStringLiteral("2002"));
  EXPECT_EQ(selected->Firmware(), QStringLiteral("3.10"));
}

TEST_F(IdentityEditor, SelectionOutsideTheThreeEntriesSelectsTheFirst) {
  for (const QVariant& mru : {QVariant(3), QVariant(-1), QVariant(QStringLiteral("x"))}) {
    writeKey(kKey, {{QStringLiteral("MRU"), mru}});
    XMTIData editor;
    EXPECT_EQ(typeList(editor).currentIndex(), 0) << qPrintable(mru.toString());
    EXPECT_EQ(editor.GetMtiData()->MtiType(), QStringLiteral("RV-11"));
  }
}

TEST_F(IdentityEditor, FewerSubKeysLeaveTheRemainingEntriesEmpty) {
  writeKey(kKey + QStringLiteral("RV-15"), {{QStringLiteral("Serial"), QStringLiteral("77")}});
  XMTIData editor;
  EXPECT_EQ(listed(editor), (QStringList{"RV-15", "", ""}));
  EXPECT_EQ(serialBox(editor).text(), QStringLiteral("77"));
}

TEST_F(IdentityEditor, OperatorEditsGoIntoTheEntryOfTheChosenModel) {
  XMTIData editor;
  Q_EMIT typeList(editor).activated(2);
  const CMtiData2Ptr chosen = editor.GetMtiData();
  EXPECT_EQ(chosen->MtiType(), QStringLiteral("RV-15"));
  serialBox(editor).setText(QStringLiteral("5150"));
  firmwareBox(editor).setText(QStringLiteral("1.4"));
  EXPECT_EQ(chosen->Serial(), QStringLiteral("5150"));
  EXPECT_EQ(chosen->Firmware(), QStringLiteral("1.4"));

  Q_EMIT typeList(editor).activated(0);
  EXPECT_TRUE(serialBox(editor).text().isEmpty());
  EXPECT_EQ(chosen->Serial(), QStringLiteral("5150")) << "showing another entry changes none";

  QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
  firmwareBox(editor).setText(QStringLiteral("0.9"));
  QApplication::sendEvent(&firmwareBox(editor), &focusIn);
  EXPECT_EQ(firmwareBox(editor).selectedText(), QStringLiteral("0.9"));
}

TEST_F(IdentityEditor, SetMtiDataSelectsTheEntryOfItsModelAndNeverRenamesOne) {
  XMTIData editor;
  Q_EMIT typeList(editor).activated(1);
  const CMtiData2Ptr selected = editor.GetMtiData();
  editor.SetMtiData(
      identity(QStringLiteral("RV-12P"), QStringLiteral("4711"), QStringLiteral("2.0")));
  EXPECT_EQ(editor.GetMtiData(), selected) << "the entry itself, not a copy";
  EXPECT_EQ(selected->Serial(), QStringLiteral("4711"));
  EXPECT_EQ(serialBox(editor).text(), QStringLiteral("4711"));
  EXPECT_EQ(firmwareBox(editor).text(), QStringLiteral("2.0"));
  EXPECT_EQ(typeList(editor).currentIndex(), 1);

  // Another model's identity selects that model's entry.
  editor.SetMtiData(identity(QStringLiteral("rv-15"), QStringLiteral("12"), QString()));
  EXPECT_EQ(typeList(editor).currentIndex(), 2);
  EXPECT_EQ(editor.GetMtiData()->MtiType(), QStringLiteral("RV-15"));
  EXPECT_EQ(serialBox(editor).text(), QStringLiteral("12"));
  EXPECT_TRUE(firmwareBox(editor).text().isEmpty());
  EXPECT_EQ(selected->Serial(), QStringLiteral("4711")) << "the RV-12P entry keeps its own";

  // A model the list does not hold renames none (before: RV-15 became
  // RV-10, and a later pick of "RV-15" recorded RV-10).
  editor.SetMtiData(identity(QStringLiteral("RV-10"), QStringLiteral("99"), QString()));
  editor.SetMtiData(nullptr);
  EXPECT_EQ(listed(editor), (QStringList{"RV-11", "RV-12P", "RV-15"}));
  EXPECT_EQ(editor.GetMtiData()->MtiType(), QStringLiteral("RV-15"));
  EXPECT_EQ(serialBox(editor).text(), QStringLiteral("12"));
  Q_EMIT typeList(editor).activated(0);
  EXPECT_EQ(editor.GetMtiData()->MtiType(), QStringLiteral("RV-11"));
}

TEST_F(IdentityEditor, AModelTheHostFoundIsSelectedUnlessTheSelectedEntryIsOfIt) {
  const struct {
    int selected;
    const char* found;
    const char* model;  // selected afterwards
  } cases[] = {
      {0, "RV-12P/15", "RV-12P"}, {2, "RV-12P/15", "RV-15"}, {1, "RV-11", "RV-11"},
      {1, "", "RV-12P"},          {1, "XY-9", "RV-12P"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.found);
    XMTIData editor;
    Q_EMIT typeList(editor).activated(c.selected);
    editor.SelectFoundModel(QLatin1String(c.found));
    EXPECT_EQ(editor.GetMtiData()->MtiType(), QLatin1String(c.model));
    EXPECT_EQ(typeList(editor).currentText(), QLatin1String(c.model));
  }
}

TEST_F(IdentityEditor, RegSaveWritesUnderTheCurrentModelTypes) {
  {
    XMTIData editor;
    Q_EMIT typeList(editor).activated(2);
    serialBox(editor).setText(QStringLiteral("1500"));
    editor.RegSave();
  }
  EXPECT_EQ(readValue(kKey, QStringLiteral("MRU")).toInt(), 2);
  EXPECT_EQ(readValue(kKey + QStringLiteral("RV-15"), QStringLiteral("Serial")).toString(),
            QStringLiteral("1500"));
  EXPECT_TRUE(
      readValue(kKey + QStringLiteral("RV-11"), QStringLiteral("Serial")).toString().isEmpty());

  XMTIData editor;
  EXPECT_EQ(typeList(editor).currentIndex(), 2);
  EXPECT_EQ(serialBox(editor).text(), QStringLiteral("1500"));
  editor.SetMtiData(
      identity(QStringLiteral("RV-11"), QStringLiteral("900"), QStringLiteral("1.0")));
  editor.SetMtiData(identity(QStringLiteral("RV-10"), QStringLiteral("5"), QString()));
  editor.RegSave();
  EXPECT_EQ(readValue(kKey, QStringLiteral("MRU")).toInt(), 0);
  EXPECT_EQ(readValue(kKey + QStringLiteral("rv-11"), QStringLiteral("Serial")).toString(),
            QStringLiteral("900"));
  EXPECT_EQ(readValue(kKey + QStringLiteral("RV-11"), QStringLiteral("Firmware")).toString(),
            QStringLiteral("1.0"));
  host::RegistryHelper key;
  key.OpenKey(host::HKEY_LOCAL_MACHINE, kKey);
  EXPECT_EQ(key.SubKeyCount(), 3) << "no model is made up";
}

TEST_F(IdentityEditor, EntryWithoutModelTypeWritesNothingOntoTheKeyItself) {
  writeKey(kKey + QStringLiteral("RV-15"), {{QStringLiteral("Serial"), QStringLiteral("77")}});
  XMTIData editor;
  Q_EMIT typeList(editor).activated(1);
  serialBox(editor).setText(QStringLiteral("lost"));
  editor.RegSave();
  EXPECT_FALSE(readValue(kKey, QStringLiteral("Serial")).isValid());
  EXPECT_EQ(readValue(kKey, QStringLiteral("MRU")).toInt(), 1);
}

TEST_F(IdentityEditor, CreatedByRegisteredNameAndDockedThroughTheDialogHost) {
  ASSERT_TRUE(
      testsupport::registerServer(testsupport::builtLibrary(QStringLiteral("orvanRV1Xtst"))));
  QWidget hostWindow;
  hostWindow.resize(600, 300);
  hostWindow.show();
  {
    auto dialog = std::make_shared<orvanRV1Xtst::FDialogWrapper>();
    const std::shared_ptr<ui::Extender> extender =
        dialog->CreateSetupCtrl(QStringLiteral("RV1XTests.XMTIData"));
    ASSERT_TRUE(extender);
    auto editor = com::queryInterface<XMTIData>(extender->Object());
    ASSERT_TRUE(editor);
    dialog->Initialize(com::toVariantOf(identity(QStringLiteral("RV-11"), QStringLiteral("42"))));
    EXPECT_EQ(editor->GetMtiData()->Serial(), QStringLiteral("42"));
    dialog->Dock(ui::handleOf(&hostWindow));
    EXPECT_EQ(editor->parentWidget(), &hostWindow);
    dialog->SetLocked(true);
    EXPECT_TRUE(serialBox(*editor).isReadOnly());
    EXPECT_FALSE(typeList(*editor).isEnabled());
    dialog->Unload();
  }
  EXPECT_TRUE(hostWindow.findChildren<QWidget*>().isEmpty());
}

class IdentityList : public ::testing::Test {
 protected:
  host::MtiListPtr list_ = std::make_shared<host::MtiList>();

  QStringList entries() const {
    QStringList texts;
    for (const host::MtiEntryPtr& e : *list_)
      texts.append(QStringLiteral("%1 %2 %3 %4")
                       .arg(e->Product())
                       .arg(e->Index())
                       .arg(e->MtiType(), e->Serial()));
    return texts;
  }
};

// The last identity is remembered for the life of the loaded library, so
// "before anything was registered" needs a process of its own.
TEST_F(IdentityList, IndexZeroFindsNothingBeforeAnythingWasRegistered) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::_Exit(MMiscUtils::GetMtiData(list_, 0) ? 1 : 0), ::testing::ExitedWithCode(0),
              "");
}

TEST_F(IdentityList, NewIdentitiesGetIndexesUniqueOverTheProduct) {
  auto foreign = std::make_shared<host::MtiEntry>();
  foreign->SetOwner(QStringLiteral("Other"), 7);
  foreign->SetIdentity(QStringLiteral("RV-11"), QStringLiteral("A"), QString());
  list_->Add(foreign);

  EXPECT_EQ(MMiscUtils::RegisterMti(list_, identity(QStringLiteral("RV-11"), QStringLiteral("A"))),
            1)
      << "another product's entry is not ours";
  EXPECT_EQ(MMiscUtils::RegisterMti(list_, identity(QStringLiteral("RV-12P"), QStringLiteral("B"))),
            2);
  EXPECT_EQ(MMiscUtils::RegisterMti(list_, identity(QStringLiteral("RV-11"), QStringLiteral("C"))),
            3);
  EXPECT_EQ(MMiscUtils::RegisterMti(list_, identity(QStringLiteral("RV-12P"), QStringLiteral("A"))),
            4)
      << "the same serial number on another model is another analyzer";
  EXPECT_EQ(entries(), (QStringList{"Other 7 RV-11 A", "RV-1X 1 RV-11 A", "RV-1X 2 RV-12P B",
                                    "RV-1X 3 RV-11 C", "RV-1X 4 RV-12P A"}));
  for (rt::Long index : {1, 2, 3, 4}) {
    const CMtiData2Ptr found = MMiscUtils::GetMtiData(list_, index);
    ASSERT_TRUE(found) << index;
    EXPECT_EQ(QStringLiteral("RV-1X %1 %2 %3").arg(index).arg(found->MtiType(), found->Serial()),
              entries().at(index));
  }
}

TEST_F(IdentityList, KnownIdentityAnswersItsIndexAndAddsNothing) {
  ASSERT_EQ(MMiscUtils::RegisterMti(list_, identity(QStringLiteral("RV-12P"),
                                                    QStringLiteral("1234"), QStringLiteral("3.1"))),
            1);
  ASSERT_EQ(MMiscUtils::RegisterMti(list_, identity(QStringLiteral("RV-15"), QStringLiteral("99"))),
            2);
  EXPECT_EQ(MMiscUtils::RegisterMti(list_, identity(QStringLiteral("RV-12P"),
                                                    QStringLiteral("1234"), QStringLiteral("3.1"))),
            1);
  EXPECT_EQ(list_->Count(), 2);
  const CMtiData2Ptr last = MMiscUtils::GetMtiData(list_, 0);
  ASSERT_TRUE(last);
  EXPECT_EQ(last->Serial(), QStringLiteral("1234")) << "index 0 is the index used last";
  const CMtiData2Ptr first = MMiscUtils::GetMtiData(list_, 1);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Firmware(), QStringLiteral("3.1"));
  EXPECT_NE(first, MMiscUtils::GetMtiData(list_, 1)) << "a new record each time";
}

TEST_F(IdentityList, AnotherFirmwareIsAnotherEntryAndTheEarlierOneStays) {
  ASSERT_EQ(MMiscUtils::RegisterMti(list_, identity(QStringLiteral("RV-15"), QStringLiteral("SN9"),
                                                    QStringLiteral("1.0"))),
            1);
  EXPECT_EQ(MMiscUtils::RegisterMti(list_, identity(QStringLiteral("RV-15"), QStringLiteral("SN9"),
                                                    QStringLiteral("2.0"))),
            2);
  EXPECT_EQ(MMiscUtils::GetMtiData(list_, 1)->Firmware(), QStringLiteral("1.0"));
  EXPECT_EQ(MMiscUtils::GetMtiData(list_, 2)->Firmware(), QStringLiteral("2.0"));
  EXPECT_EQ(MMiscUtils::GetMtiData(list_, 0)->Firmware(), QStringLiteral("2.0"));
}

TEST_F(IdentityList, IdentityWithoutSerialIsNeverMatched) {
  const rt::Long first =
      MMiscUtils::RegisterMti(list_, identity(QStringLiteral("RV-11"), QString()));
  const rt::Long second =
      MMiscUtils::RegisterMti(list_, identity(QStringLiteral("RV-11"), QString()));
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);
  EXPECT_EQ(list_->Count(), 2);
  EXPECT_EQ(MMiscUtils::GetMtiData(list_, 0)->MtiType(), QStringLiteral("RV-11"));
}

TEST_F(IdentityList, NothingToRegisterOrLookUpAnswersNothing) {
  EXPECT_EQ(
      MMiscUtils::RegisterMti(nullptr, identity(QStringLiteral("RV-11"), QStringLiteral("1"))),
      MMiscUtils::kNotRegistered);
  EXPECT_EQ(MMiscUtils::RegisterMti(list_, nullptr), MMiscUtils::kNotRegistered);
  EXPECT_EQ(list_->Count(), 0);
  ASSERT_EQ(MMiscUtils::RegisterMti(list_, identity(QStringLiteral("RV-11"), QStringLiteral("1"))),
            1);
  EXPECT_FALSE(MMiscUtils::GetMtiData(list_, 2));
  EXPECT_FALSE(MMiscUtils::GetMtiData(list_, -1));
  EXPECT_FALSE(MMiscUtils::GetMtiData(nullptr, 1));
}

TEST_F(IdentityList, AnIdentityThatCouldNotBeRegisteredNeverShowsAnotherAnalyzer) {
  class RefusingList : public host::MtiList {
   public:
    void Add(const host::MtiEntryPtr&) override { rt::raise(rt::err::InvalidCall); }
  };
  ASSERT_EQ(MMiscUtils::RegisterMti(list_, identity(QStringLiteral("RV-11"), QStringLiteral("1"))),
            1);
  const rt::Long refused = MMiscUtils::RegisterMti(
      std::make_shared<RefusingList>(), identity(QStringLiteral("RV-15"), QStringLiteral("2")));
  EXPECT_EQ(refused, MMiscUtils::kNotRegistered);
  EXPECT_FALSE(MMiscUtils::GetMtiData(list_, refused))
      << "the result of the refused identity shows none, not RV-11 1";
  ASSERT_TRUE(MMiscUtils::GetMtiData(list_, 0));
  EXPECT_EQ(MMiscUtils::GetMtiData(list_, 0)->MtiType(), QStringLiteral("RV-11"));
}

}  // namespace
