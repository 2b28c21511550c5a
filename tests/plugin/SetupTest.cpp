// The setup: its three settings read from the plug-in's registry key and
// the two numbers written back.

#include <sys/inotify.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>

#include "CRV1XSetup.h"
#include "PlugInFixture.h"
#include "XPluginPrefs.h"
#include "typelib/IDialog.h"

namespace plugintest {
namespace {

using orvanRV1X::CRV1XSetup;
namespace setting = orvanRV1X::setting;

TEST_F(PlugInTest, SetupOfAnEmptyKeyTakesTheDefaultsAndWritesTheNumbersBack) {
  CRV1XSetup setup;
  setup.RegLoad(0, QString());
  EXPECT_EQ(setup.TemplateFile(), testsupport::buildLibraryDir() + "/orvanRV1X.mpc");
  EXPECT_EQ(setup.CommTimeOutValue(), 600);
  EXPECT_EQ(setup.RangeThresholdValue(), 50);
  EXPECT_EQ(storedSetting(setting::CommTimeOut).toString(), QStringLiteral("600"));
  EXPECT_EQ(storedSetting(setting::RangeThreshold).toString(), QStringLiteral("50"));
  EXPECT_FALSE(storedSetting(setting::Configuration).isValid()) << "the path is never written";
  EXPECT_TRUE(reportedNumbers().isEmpty());
}

TEST_F(PlugInTest, SetupReadsStoredNumbersAsTheyAre) {
  struct Case {
    const char* what;
    QVariant stored;
    rt::Long timeOut, threshold;
  };
  const Case cases[] = {
      {"-1 is the default", QStringLiteral("-1"), 600, 50},
      {"0 stays 0", QStringLiteral("0"), 0, 0},
      {"out of the page's range stays", QStringLiteral("5000"), 5000, 5000},
      {"a text that is no number is the default", QStringLiteral("abc"), 600, 50},
      {"a number as a number", QVariant(700), 700, 700},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeSetting(setting::CommTimeOut, c.stored);
    writeSetting(setting::RangeThreshold, c.stored);
    CRV1XSetup setup;
    setup.RegLoad(0, QString());
    EXPECT_EQ(setup.CommTimeOutValue(), c.timeOut);
    EXPECT_EQ(setup.RangeThresholdValue(), c.threshold);
    EXPECT_EQ(storedSetting(setting::CommTimeOut).toString(), QString::number(c.timeOut));
    EXPECT_EQ(storedSetting(setting::RangeThreshold).toString(), QString::number(c.threshold));
  }
}

TEST_F(PlugInTest, SetupReadsItsOwnKeyWhateverKeyItIsGiven) {
  writeSetting(setting::Configuration, QStringLiteral("/opt/rv1x/own.mpc"));
  writeSetting(setting::CommTimeOut, 900);
  for (const QString& key : {QString(), QStringLiteral("Software\\Other\\Key")}) {
    CRV1XSetup setup;
    setup.RegLoad(1, key);
    EXPECT_EQ(setup.TemplateFile(), QStringLiteral("/opt/rv1x/own.mpc"));
    EXPECT_EQ(setup.CommTimeOutValue(), 900);
  }
  EXPECT_FALSE(platform::RegistryStore::instance().keyExists(
      platform::hive::LocalMachine, QStringLiteral("Software\\Other\\Key")));
}

TEST_F(PlugInTest, SetupWithoutItsKeyReportsItAndKeepsItsValues) {
  platform::RegistryStore::instance().deleteKey(platform::hive::LocalMachine,
                                                orvanRV1X::kSettingsKey);
  CRV1XSetup setup;
  setup.SetCommTimeOutValue(1234);
  setup.RegLoad(0, QString());
  EXPECT_EQ(reportedNumbers(), QList<rt::Long>{orvanRV1X::plugInErr::KeyNotOpen});
  EXPECT_EQ(setup.CommTimeOutValue(), 1234);
  EXPECT_EQ(setup.RangeThresholdValue(), 0);
  EXPECT_EQ(setup.TemplateFile(), QString());
  EXPECT_FALSE(platform::RegistryStore::instance().keyExists(platform::hive::LocalMachine,
                                                             orvanRV1X::kSettingsKey))
      << "nothing is written back";
}

// What happens to the files of the store's folder while it is watched:
// how many times a file of that name was created or moved into place.
class FolderWatch {
 public:
  explicit FolderWatch(const QString& folder) : fd_(inotify_init1(IN_NONBLOCK)) {
    inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_CREATE | IN_MOVED_TO);
  }
  ~FolderWatch() { ::close(fd_); }
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // The events so far, by file name.
  QStringList names() {
    alignas(inotify_event) char buffer[8192];
    for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;)
      for (char* at = buffer; at < buffer + n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(at);
        if (event->len > 0) names_.append(QFile::decodeName(event->name));
        at += sizeof(inotify_event) + event->len;
      }
    return names_;
  }

 private:
  int fd_;
  QStringList names_;
};

TEST_F(PlugInTest, SetupOfAStoredKeyLocksTheStoreOnceAndWritesNothing) {
  writeSetting(setting::CommTimeOut, QStringLiteral("700"));
  writeSetting(setting::RangeThreshold, QStringLiteral("60"));
  const QFileInfo store(platform::RegistryStore::path());
  FolderWatch watch(store.absolutePath());
  CRV1XSetup setup;
  setup.Initialize();
  EXPECT_EQ(setup.CommTimeOutValue(), 700);
  const QStringList names = watch.names();
  EXPECT_EQ(names.count(store.fileName() + QStringLiteral(".lock")), 1)
      << qPrintable(names.join(u' '));
  EXPECT_EQ(names.count(store.fileName()), 0) << "the store is not written";

  // A value that differs is written, in the same one turn of the lock.
  writeSetting(setting::CommTimeOut, QStringLiteral("abc"));
  FolderWatch again(store.absolutePath());
  setup.Initialize();
  EXPECT_EQ(storedSetting(setting::CommTimeOut).toString(), QStringLiteral("600"));
  const QStringList written = again.names();
  EXPECT_EQ(written.count(store.fileName() + QStringLiteral(".lock")), 1);
  EXPECT_EQ(written.count(store.fileName()), 1);
}

TEST_F(PlugInTest, SetupSettingsTextAndDialog) {
  auto setup = std::make_shared<CRV1XSetup>();
  setup->SetSettings(QStringLiteral("anything"));
  EXPECT_EQ(setup->Settings(), QString());
  EXPECT_TRUE(setup->HasDialog());
  const host::IDialogPtr dialog = setup->CreateDialog();
  ASSERT_TRUE(dialog);
  auto* form = dynamic_cast<QWidget*>(dialog.get());
  ASSERT_TRUE(form);
  EXPECT_TRUE(dynamic_cast<orvanRV1X::XPluginPrefs*>(form->findChild<QWidget*>("isc")))
      << "the dialog hosts the preferences page";
  dialog->Unload();
}

}  // namespace
}  // namespace plugintest
