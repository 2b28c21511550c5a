// The registry store: one INI file with hives, keys and values.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <functional>

#include "QtPrinters.h"
#include "SmallFileSystem.h"
#include "TestSupport.h"
#include "registry/RegistryStore.h"
#include "runtime/Conversions.h"
#include "runtime/Notices.h"

namespace {

using platform::RegistryStore;
using testsupport::TemporaryRegistry;
constexpr std::uint32_t HKLM = platform::hive::LocalMachine;

RegistryStore& store() {
  return RegistryStore::instance();
}

const QString kSettingsKey = QStringLiteral("Software\\Tavrin\\orvan\\RV-1X");
const QString kMtiKey = QStringLiteral("Software\\Tavrin\\Orvan\\RV-1X\\MtiData\\");

TEST(RegistryStore, KeysAndValueNamesIgnoreCaseAndATrailingBackslash) {
  TemporaryRegistry registry;
  store().writeValue(HKLM, kSettingsKey, QStringLiteral("CommTimeOut"), 600);
  store().createKey(HKLM, kMtiKey);
  store().writeValue(HKLM, kMtiKey, QStringLiteral("MRU"), 2);

  EXPECT_EQ(store().subKeys(HKLM, QStringLiteral("software\\tavrin")),
            QStringList{QStringLiteral("orvan")})
      << "one tree, under the first spelling";
  EXPECT_EQ(store().subKeys(HKLM, QStringLiteral("SOFTWARE\\TAVRIN\\ORVAN\\RV-1X\\")),
            QStringList{QStringLiteral("MtiData")});
  EXPECT_EQ(rt::toLong(store().readValue(HKLM, QStringLiteral("software\\tavrin\\ORVAN\\rv-1x"),
                                         QStringLiteral("commtimeout"))),
            600);
  EXPECT_EQ(
      rt::toLong(store().readValue(HKLM, QStringLiteral("Software\\Tavrin\\orvan\\RV-1X\\MtiData"),
                                   QStringLiteral("mru"))),
      2);
  EXPECT_TRUE(store().keyExists(HKLM, QStringLiteral("software\\\\tavrin\\orvan\\\\")));
  // Rewriting under another spelling keeps the first one and one value.
  store().writeValue(HKLM, kSettingsKey, QStringLiteral("COMMTIMEOUT"), 700);
  EXPECT_EQ(store().valueNames(HKLM, kSettingsKey), QStringList{QStringLiteral("CommTimeOut")});
  EXPECT_EQ(rt::toLong(store().readValue(HKLM, kSettingsKey, QStringLiteral("CommTimeOut"))), 700);
}

TEST(RegistryStore, NamesWithCharactersTheFileFormatEscapes) {
  TemporaryRegistry registry;
  const QString key = QStringLiteral("Software\\My Company\\50%=half;[x] #1\\Prüfung");
  const QString name = QStringLiteral("Value = 5%; [a] #b");
  store().writeValue(HKLM, key, name, QStringLiteral("v"));
  store().writeValue(HKLM, key, QStringLiteral("General"), QStringLiteral("g"));
  EXPECT_EQ(store().readValue(HKLM, key.toUpper(), name.toLower()), QStringLiteral("v"));
  EXPECT_EQ(store().subKeys(HKLM, QStringLiteral("software\\my company")),
            QStringList{QStringLiteral("50%=half;[x] #1")});
  EXPECT_EQ(store().valueNames(HKLM, key).size(), 2);
  {
    TemporaryRegistry other;
    store().createKey(HKLM, QStringLiteral("x"));
  }
  EXPECT_EQ(store().readValue(HKLM, key, QStringLiteral("general")), QStringLiteral("g"))
      << "read back from the file";
}

TEST(RegistryStore, AValueOfThisProcessAloneIsReadButNeverWritten) {
  TemporaryRegistry registry;
  store().writeValue(HKLM, kSettingsKey, QStringLiteral("Configuration"), QStringLiteral("a.mpc"));
  const auto fileBytes = [&] {
    QFile file(registry.path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  const QByteArray before = fileBytes();
  store().setProcessValue(HKLM, QStringLiteral("software\\tavrin\\ORVAN\\rv-1x\\"),
                          QStringLiteral("configuration"), QStringLiteral("b.mpc"));
  store().setProcessValue(HKLM, kSettingsKey, QStringLiteral("Extra"), 7);
  EXPECT_EQ(store().readValue(HKLM, kSettingsKey, QStringLiteral("Configuration")).toString(),
            QStringLiteral("b.mpc"));
  EXPECT_EQ(store().valueNames(HKLM, kSettingsKey),
            (QStringList{QStringLiteral("Configuration"), QStringLiteral("Extra")}));
  store().writeValue(HKLM, kSettingsKey, QStringLiteral("CommTimeOut"), 600);
  EXPECT_FALSE(fileBytes().contains("b.mpc"));
  EXPECT_FALSE(fileBytes().contains("Extra"));
  store().setProcessValue(HKLM, kSettingsKey, QStringLiteral("Configuration"), QVariant());
  store().setProcessValue(HKLM, kSettingsKey, QStringLiteral("Extra"), QVariant());
  EXPECT_EQ(store().readValue(HKLM, kSettingsKey, QStringLiteral("Configuration")).toString(),
            QStringLiteral("a.mpc"));
  EXPECT_NE(fileBytes(), before) << "the write of CommTimeOut went through";
}

TEST(RegistryStore, HivesAreSeparate) {
  TemporaryRegistry registry;
  store().writeValue(HKLM, QStringLiteral("A"), QStringLiteral("v"), 1);
  EXPECT_TRUE(store()
                  .readValue(platform::hive::CurrentUser, QStringLiteral("A"), QStringLiteral("v"))
                  .isNull());
  EXPECT_FALSE(store().keyExists(platform::hive::ClassesRoot, QStringLiteral("A")));
}

TEST(RegistryStore, SubKeysKeepTheirFirstSpellingInAlphabeticalOrder) {
  TemporaryRegistry registry;
  for (const char* name : {"RV-15", "rv-11", "RV-12P", "RV-11", "a"})
    store().createKey(HKLM, kMtiKey + QLatin1String(name));
  EXPECT_EQ(store().subKeys(HKLM, kMtiKey),
            (QStringList{QStringLiteral("a"), QStringLiteral("rv-11"), QStringLiteral("RV-12P"),
                         QStringLiteral("RV-15")}));
  EXPECT_TRUE(store().subKeys(HKLM, QStringLiteral("Nowhere")).isEmpty());
}

TEST(RegistryStore, MissingValuesAndKeysReadEmpty) {
  TemporaryRegistry registry;
  store().createKey(HKLM, kSettingsKey);
  for (const QString& key : {kSettingsKey, QStringLiteral("Software\\Nobody")}) {
    EXPECT_FALSE(store().readValue(HKLM, key, QStringLiteral("Configuration")).isValid());
    EXPECT_FALSE(store().readValue(HKLM, key, QString()).isValid());
  }
  EXPECT_TRUE(store().valueNames(HKLM, kSettingsKey).isEmpty())
      << "the key's own marker is no value";
  EXPECT_FALSE(store().keyExists(HKLM, QStringLiteral("Software\\Nobody")));
}

TEST(RegistryStore, ValuesReadBackUsable) {
  TemporaryRegistry registry;
  const struct {
    const char* name;
    QVariant value;
  } texts[] = {
      {"Serial", QStringLiteral("  SN 4711 ")},
      {"Settings", QStringLiteral("9600,N,8,1")},
      {"At", QStringLiteral("@ByteArray(x)")},
      {"Path", QStringLiteral("/opt/rv1x/orvanRV1X.mpc")},
      {"Quote", QStringLiteral("a \"b\" = c; d")},
      {"Umlaut", QStringLiteral("Prüfgerät")},
      {"", QStringLiteral("default value")},
  };
  for (const auto& t : texts)
    store().writeValue(HKLM, kSettingsKey, QLatin1String(t.name), t.value);
  for (const auto& t : texts)
    EXPECT_EQ(store().readValue(HKLM, kSettingsKey, QLatin1String(t.name)).toString(),
              t.value.toString())
        << t.name;
  EXPECT_EQ(store().readValue(HKLM, kSettingsKey, QStringLiteral("Serial")).toString().trimmed(),
            QStringLiteral("SN 4711"));

  store().writeValue(HKLM, kSettingsKey, QStringLiteral("CommTimeOut"), QVariant(600));
  store().writeValue(HKLM, kSettingsKey, QStringLiteral("RangeThreshold"), QVariant(-50));
  store().writeValue(HKLM, kSettingsKey, QStringLiteral("Zero"), QVariant(0));
  EXPECT_EQ(rt::toLong(store().readValue(HKLM, kSettingsKey, QStringLiteral("CommTimeOut"))), 600);
  EXPECT_EQ(rt::toLong(store().readValue(HKLM, kSettingsKey, QStringLiteral("RangeThreshold"))),
            -50);
  EXPECT_EQ(rt::toInteger(store().readValue(HKLM, kSettingsKey, QStringLiteral("Zero"))), 0);
}

TEST(RegistryStore, DeletingValuesAndKeys) {
  TemporaryRegistry registry;
  store().writeValue(HKLM, kMtiKey + QStringLiteral("RV-11"), QStringLiteral("Serial"),
                     QStringLiteral("1"));
  store().writeValue(HKLM, kMtiKey, QStringLiteral("MRU"), 1);
  store().deleteValue(HKLM, kMtiKey, QStringLiteral("mru"));
  EXPECT_FALSE(store().readValue(HKLM, kMtiKey, QStringLiteral("MRU")).isValid());
  EXPECT_TRUE(store().keyExists(HKLM, kMtiKey)) << "a key without values stays";
  store().deleteKey(HKLM, QStringLiteral("software\\tavrin\\orvan\\rv-1x\\mtidata"));
  EXPECT_FALSE(store().keyExists(HKLM, kMtiKey + QStringLiteral("RV-11")));
  EXPECT_FALSE(store().keyExists(HKLM, kMtiKey));
  EXPECT_TRUE(store().keyExists(HKLM, kSettingsKey));
  store().deleteKey(HKLM, QString());  // never the hive itself
  EXPECT_TRUE(store().keyExists(HKLM, kSettingsKey));
}

TEST(RegistryStore, EmptyKeysSurviveInTheFile) {
  TemporaryRegistry registry;
  store().createKey(HKLM, kMtiKey + QStringLiteral("RV-15"));
  {
    TemporaryRegistry other;  // the store leaves the file and comes back to it
    store().createKey(HKLM, QStringLiteral("Elsewhere"));
  }
  EXPECT_TRUE(store().keyExists(HKLM, kMtiKey + QStringLiteral("RV-15")));
  EXPECT_FALSE(store().keyExists(HKLM, QStringLiteral("Elsewhere")));
  EXPECT_EQ(store().subKeys(HKLM, kMtiKey), QStringList{QStringLiteral("RV-15")});
}

TEST(RegistryStore, WritesKeepWhatAnotherWriterPutInTheFile) {
  TemporaryRegistry registry;
  store().writeValue(HKLM, kSettingsKey, QStringLiteral("CommTimeOut"), 600);
  {
    QSettings other(registry.path(), QSettings::IniFormat);
    other.setValue(QStringLiteral("HKEY_CLASSES_ROOT/Foreign.Thing/CLSID/@"),
                   QStringLiteral("{1}"));
    other.sync();
  }
  store().writeValue(HKLM, kSettingsKey, QStringLiteral("RangeThreshold"), 50);
  EXPECT_EQ(store().readValue(platform::hive::ClassesRoot, QStringLiteral("foreign.thing\\clsid"),
                              QString()),
            QStringLiteral("{1}"));
  QSettings check(registry.path(), QSettings::IniFormat);
  EXPECT_EQ(check.value(QStringLiteral("HKEY_CLASSES_ROOT/Foreign.Thing/CLSID/@")).toString(),
            QStringLiteral("{1}"));
  EXPECT_EQ(
      check.value(QStringLiteral("HKEY_LOCAL_MACHINE/Software/Tavrin/orvan/RV-1X/RangeThreshold"))
          .toInt(),
      50);
}

// The file's syntax is QSettings' INI format: what either writes, the other
// reads the same.
TEST(RegistryStore, TheFileReadsTheSameInQSettingsBothWays) {
  const QString key = QStringLiteral("Software\\My Company\\50%=half;[x] #1\\Prüfung ∑");
  const struct {
    const char* name;
    QVariant value;
  } values[] = {
      {"Serial", QStringLiteral("  SN 4711 ")},
      {"Settings", QStringLiteral("9600,N,8,1")},
      {"At", QStringLiteral("@ByteArray(x)")},
      {"Quote", QStringLiteral("a \"b\" = c; d")},
      {"Escapes", QStringLiteral("tab\tline\ncr\r\x01"
                                 "d\\e\x7f"
                                 "f")},
      {"Hash", QStringLiteral("#1 ; x")},
      {"Umlaut", QStringLiteral("Prüfgerät € ∑")},
      {"Empty", QString()},
      {"Odd = name; [a] #b ü∑", QStringLiteral("v")},
      {"", QStringLiteral("default value")},
  };
  {
    TemporaryRegistry registry;
    for (const auto& v : values)
      ASSERT_TRUE(store().writeValue(HKLM, key, QString::fromUtf8(v.name), v.value));
    QSettings settings(registry.path(), QSettings::IniFormat);
    settings.beginGroup(
        QStringLiteral("HKEY_LOCAL_MACHINE/Software/My Company/50%=half;[x] #1/"
                       "Prüfung ∑"));
    for (const auto& v : values) {
      const QString name = *v.name ? QString::fromUtf8(v.name) : QStringLiteral("@");
      EXPECT_EQ(settings.value(name).toString(), v.value.toString()) << v.name;
    }
    EXPECT_EQ(settings.status(), QSettings::NoError);
  }
  TemporaryRegistry registry;
  {
    QSettings settings(registry.path(), QSettings::IniFormat);
    settings.beginGroup(
        QStringLiteral("HKEY_LOCAL_MACHINE/Software/My Company/50%=half;[x] #1/"
                       "Prüfung ∑"));
    settings.setValue(QStringLiteral("@key"), QString());
    for (const auto& v : values)
      settings.setValue(*v.name ? QString::fromUtf8(v.name) : QStringLiteral("@"), v.value);
    settings.setValue(QStringLiteral("Number"), 600);
    settings.setValue(QStringLiteral("List"), QStringList{"a", "b"});
  }
  for (const auto& v : values)
    EXPECT_EQ(store().readValue(HKLM, key, QString::fromUtf8(v.name)).toString(),
              v.value.toString())
        << v.name;
  EXPECT_EQ(rt::toLong(store().readValue(HKLM, key, QStringLiteral("Number"))), 600);
  EXPECT_EQ(store().readValue(HKLM, key, QStringLiteral("List")).toStringList(),
            (QStringList{"a", "b"}));
}

// A line that holds no key or value is kept where it was, with the comments,
// and told once; the lines a write does not touch keep their text.
TEST(RegistryStore, ALineThatHoldsNoValueIsKeptAndToldOnce) {
  TemporaryRegistry registry;
  const QByteArray original =
      "; written by hand\n"
      "[HKEY_LOCAL_MACHINE]\n"
      "Software\\Tavrin\\orvan\\RV-1X\\%40key=\n"
      "Software\\Tavrin\\orvan\\RV-1X\\CommTimeOut = 600\n"
      "this line holds no value\n"
      "\n"
      "[HKEY_CLASSES_ROOT]\n"
      "Foreign.Thing\\CLSID\\%40={1}\n";
  QFile file(registry.path());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(original);
  file.close();
  rt::clearNotices();

  EXPECT_EQ(rt::toLong(store().readValue(HKLM, kSettingsKey, QStringLiteral("CommTimeOut"))), 600);
  EXPECT_TRUE(store().writeValue(HKLM, kSettingsKey, QStringLiteral("RangeThreshold"), 50));
  EXPECT_TRUE(store().writable());
  EXPECT_TRUE(store().writeValue(HKLM, kSettingsKey, QStringLiteral("RangeThreshold"), 60));
  EXPECT_EQ(rt::toLong(store().readValue(HKLM, kSettingsKey, QStringLiteral("RangeThreshold"))),
            60);

  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(),
            "; written by hand\n"
            "[HKEY_LOCAL_MACHINE]\n"
            "Software\\Tavrin\\orvan\\RV-1X\\%40key=\n"
            "Software\\Tavrin\\orvan\\RV-1X\\CommTimeOut = 600\n"
            "this line holds no value\n"
            "Software\\Tavrin\\orvan\\RV-1X\\RangeThreshold=60\n"
            "\n"
            "[HKEY_CLASSES_ROOT]\n"
            "Foreign.Thing\\CLSID\\%40={1}\n");
  const QStringList told = rt::notices().filter(QStringLiteral("this line holds no value"));
  ASSERT_EQ(told.size(), 1);
  EXPECT_TRUE(told.first().startsWith(QStringLiteral("registry: line 5 of ")))
      << qPrintable(told.first());
}

QByteArray contentOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What is read is kept between reads; whatever changes the value after it
// was read, through the store or behind it, the next read sees.
TEST(RegistryStore, AValueReadBeforeAChangeReadsChanged) {
  TemporaryRegistry registry;
  const QString name = QStringLiteral("CommTimeOut");
  const auto rewriteInPlace = [&](const char* from, const char* to) {
    QByteArray content = contentOf(registry.path());
    content.replace(from, to);
    QFile file(registry.path());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));  // the same inode, the same size
    file.write(content);
    file.close();
    // An editor that saves later than the store wrote.
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(registry.path()).constData(), &info), 0);
    const timespec later[2] = {info.st_atim, {info.st_mtim.tv_sec + 1, info.st_mtim.tv_nsec}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(registry.path()).constData(), later, 0), 0);
  };
  const struct {
    const char* what;
    std::function<void()> change;
    const char* expected;  // nullptr: missing
  } cases[] = {
      {"written", [&] { store().writeValue(HKLM, kSettingsKey, name, 700); }, "700"},
      {"written under another spelling",
       [&] { store().writeValue(HKLM, kSettingsKey.toUpper(), name.toLower(), 800); }, "800"},
      {"its value deleted", [&] { store().deleteValue(HKLM, kSettingsKey, name); }, nullptr},
      {"its key deleted", [&] { store().deleteKey(HKLM, QStringLiteral("Software\\Tavrin")); },
       nullptr},
      {"replaced by another writer",
       [&] {
         QSettings other(registry.path(), QSettings::IniFormat);
         other.setValue(QStringLiteral("HKEY_LOCAL_MACHINE/Software/Tavrin/orvan/RV-1X/") + name,
                        900);
       },
       "900"},
      {"rewritten in place by an editor", [&] { rewriteInPlace("=600", "=901"); }, "901"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(store().writeValue(HKLM, kSettingsKey, name, 600));
    EXPECT_EQ(store().readValue(HKLM, kSettingsKey, name).toString(), QStringLiteral("600"));
    c.change();
    const QVariant read = store().readValue(HKLM, kSettingsKey, name);
    if (c.expected)
      EXPECT_EQ(read.toString(), QLatin1String(c.expected)) << c.what;
    else
      EXPECT_FALSE(read.isValid()) << c.what;
  }
}

// A batch's changes read back at once and reach the file together when the
// outermost batch ends, the file locked against other writers meanwhile.
TEST(RegistryStore, ABatchWritesItsChangesOnceAtItsEnd) {
  TemporaryRegistry registry;
  store().writeValue(HKLM, kSettingsKey, QStringLiteral("CommTimeOut"), 600);
  const QByteArray before = contentOf(registry.path());
  QLockFile other(registry.path() + QStringLiteral(".lock"));
  {
    RegistryStore::Batch outer;
    {
      RegistryStore::Batch inner;
      EXPECT_TRUE(store().writeValue(HKLM, kSettingsKey, QStringLiteral("CommTimeOut"), 700));
      EXPECT_TRUE(store().createKey(HKLM, kMtiKey + QStringLiteral("RV-11")));
      EXPECT_TRUE(inner.commit());
    }
    EXPECT_EQ(rt::toLong(store().readValue(HKLM, kSettingsKey, QStringLiteral("CommTimeOut"))),
              700);
    EXPECT_TRUE(store().keyExists(HKLM, kMtiKey + QStringLiteral("RV-11")));
    EXPECT_EQ(contentOf(registry.path()), before) << "nothing written before the end";
    EXPECT_FALSE(other.tryLock(0)) << "no other writer comes in between";
    EXPECT_TRUE(outer.commit());
    EXPECT_TRUE(store().writable());
  }
  EXPECT_TRUE(other.tryLock(0));
  other.unlock();
  {
    RegistryStore::Batch leftWithoutCommit;
    store().writeValue(HKLM, kSettingsKey, QStringLiteral("RangeThreshold"), 50);
  }
  QSettings check(registry.path(), QSettings::IniFormat);
  check.beginGroup(QStringLiteral("HKEY_LOCAL_MACHINE/Software/Tavrin/orvan/RV-1X"));
  EXPECT_EQ(check.value(QStringLiteral("CommTimeOut")).toInt(), 700);
  EXPECT_EQ(check.value(QStringLiteral("RangeThreshold")).toInt(), 50);
  EXPECT_TRUE(check.childGroups().contains(QStringLiteral("MtiData")));
}

TEST(RegistryStore, ABatchOnAFileThatCannotBeReadFails) {
  TemporaryRegistry registry;
  ASSERT_TRUE(QDir().mkpath(registry.path()));  // a folder where the file should be
  RegistryStore::Batch batch;
  EXPECT_FALSE(store().writeValue(HKLM, kSettingsKey, QStringLiteral("CommTimeOut"), 600));
  EXPECT_FALSE(batch.commit());
  EXPECT_FALSE(store().writable());
  EXPECT_FALSE(store().readValue(HKLM, kSettingsKey, QStringLiteral("CommTimeOut")).isValid());
}

TEST(RegistryStore, AChangeThatDoesNotFitOnTheDiskLeavesTheFileAsItWas) {
  testsupport::SmallFileSystem small(24 * 1024);
  const QByteArray file = QFile::encodeName(small.filePath(QStringLiteral("registry.ini")));
  const QByteArray previous = qgetenv("RV1X_REGISTRY");
  qputenv("RV1X_REGISTRY", file);
  const QString kept(static_cast<int>(small.fileLimit() / 2), u'k');
  ASSERT_TRUE(store().writeValue(HKLM, kSettingsKey, QStringLiteral("Kept"), kept));
  QFile written(QString::fromLocal8Bit(file));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const QByteArray before = written.readAll();
  written.close();
  {
    const testsupport::SmallFileSystem::Scope limited(small);
    EXPECT_FALSE(store().writeValue(HKLM, kSettingsKey, QStringLiteral("Large"),
                                    QString(static_cast<int>(small.fileLimit()), u'l')));
  }
  EXPECT_FALSE(store().writable());
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll(), before);
  EXPECT_EQ(store().readValue(HKLM, kSettingsKey, QStringLiteral("Kept")).toString(), kept);
  EXPECT_FALSE(store().readValue(HKLM, kSettingsKey, QStringLiteral("Large")).isValid());
  qputenv("RV1X_REGISTRY", previous);
  if (previous.isEmpty()) qunsetenv("RV1X_REGISTRY");
}

// The half of the next test that runs in a second process.
TEST(RegistryStoreChild, WritesIntoTheGivenFile) {
  const QString file = qEnvironmentVariable("RV1X_CHILD_REGISTRY");
  if (file.isEmpty()) GTEST_SKIP() << "run by RegistryStore.TwoProcessesShareTheFile";
  qputenv("RV1X_REGISTRY", file.toLocal8Bit());
  store().writeValue(HKLM, kMtiKey + QStringLiteral("RV-12P"), QStringLiteral("Serial"),
                     QStringLiteral("child"));
  store().writeValue(HKLM, kSettingsKey, QStringLiteral("RangeThreshold"), 90);
}

TEST(RegistryStore, TwoProcessesShareTheFile) {
  TemporaryRegistry registry;
  store().writeValue(HKLM, kSettingsKey, QStringLiteral("CommTimeOut"), 600);
  store().createKey(HKLM, kMtiKey + QStringLiteral("RV-11"));

  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("RV1X_CHILD_REGISTRY"), registry.path());
  child.setProcessEnvironment(environment);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=RegistryStoreChild.*")});
  ASSERT_TRUE(child.waitForFinished(30000));
  ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();

  // What the other process wrote is seen, and our next write keeps it.
  EXPECT_EQ(store().readValue(HKLM, kMtiKey + QStringLiteral("rv-12p"), QStringLiteral("Serial")),
            QStringLiteral("child"));
  store().writeValue(HKLM, kSettingsKey, QStringLiteral("Configuration"), QStringLiteral("x.mpc"));
  QSettings check(registry.path(), QSettings::IniFormat);
  check.beginGroup(QStringLiteral("HKEY_LOCAL_MACHINE/Software/Tavrin/orvan/RV-1X"));
  EXPECT_EQ(check.value(QStringLiteral("CommTimeOut")).toInt(), 600);
  EXPECT_EQ(check.value(QStringLiteral("RangeThreshold")).toInt(), 90);
  EXPECT_EQ(check.value(QStringLiteral("Configuration")).toString(), QStringLiteral("x.mpc"));
  EXPECT_EQ(store().subKeys(HKLM, kMtiKey),
            (QStringList{QStringLiteral("RV-11"), QStringLiteral("RV-12P")}));
}

}  // namespace
