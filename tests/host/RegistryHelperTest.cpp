// The registry helper, one key at a time.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>

#include "QtPrinters.h"
#include "TestSupport.h"
#include "runtime/Conversions.h"
#include "services/RegistryHelper.h"

namespace {

using host::RegistryHelper;
using testsupport::TemporaryRegistry;

const QString kSettingsKey = QStringLiteral("Software\\Tavrin\\orvan\\RV-1X");
const QString kMtiKey = QStringLiteral("Software\\Tavrin\\Orvan\\RV-1X\\MtiData\\");

using testsupport::errorOf;

std::shared_ptr<RegistryHelper> created(const QString& key) {
  auto helper = std::make_shared<RegistryHelper>();
  helper->CreateKey(host::HKEY_LOCAL_MACHINE, key);
  return helper;
}

TEST(RegistryHelper, TheLocalMachineHiveIsTheWindowsNumber) {
  EXPECT_EQ(static_cast<std::uint32_t>(host::HKEY_LOCAL_MACHINE), 0x80000002u);
}

TEST(RegistryHelper, AKeyThatIsNotOpenRaises0x8004A68D) {
  TemporaryRegistry registry;
  RegistryHelper helper;
  EXPECT_FALSE(helper.KeyOpened());
  helper.OpenKey(host::HKEY_LOCAL_MACHINE, kSettingsKey);
  EXPECT_FALSE(helper.KeyOpened()) << "open does not create";
  for (const auto& call : std::initializer_list<std::function<void()>>{
           [&] { helper.ReadValue(QStringLiteral("CommTimeOut")); },
           [&] { helper.WriteValue(QStringLiteral("CommTimeOut"), 600); },
           [&] { helper.SubKeyCount(); }, [&] { helper.SubKey(1); }})
    EXPECT_EQ(errorOf(call), host::regerr::KeyNotOpen);
  EXPECT_EQ(host::regerr::KeyNotOpen, rt::hresult(0x8004A68Du));
}

TEST(RegistryHelper, WritesAndReadsValues) {
  TemporaryRegistry registry;
  auto writer = created(kSettingsKey);
  EXPECT_TRUE(writer->KeyOpened());
  writer->WriteValue(QStringLiteral("CommTimeOut"), QVariant::fromValue<rt::Long>(600));
  writer->WriteValue(QStringLiteral("RangeThreshold"), QVariant::fromValue<rt::Long>(0));
  writer->WriteValue(QStringLiteral("Configuration"), QStringLiteral(" /opt/rv1x/orvanRV1X.mpc "));

  RegistryHelper reader;  // another instance, another spelling of the key
  reader.OpenKey(host::HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Tavrin\\Orvan\\rv-1x\\"));
  ASSERT_TRUE(reader.KeyOpened());
  EXPECT_EQ(rt::toLong(reader.ReadValue(QStringLiteral("commtimeout"))), 600);
  EXPECT_EQ(rt::toInteger(reader.ReadValue(QStringLiteral("CommTimeOut"))), 600);
  EXPECT_EQ(rt::toLong(reader.ReadValue(QStringLiteral("RangeThreshold"))), 0);
  EXPECT_EQ(reader.ReadValue(QStringLiteral("Configuration")).toString().trimmed(),
            QStringLiteral("/opt/rv1x/orvanRV1X.mpc"));
  const QVariant missing = reader.ReadValue(QStringLiteral("Nothing"));
  EXPECT_FALSE(missing.isValid()) << "a missing value is an empty variant";
  EXPECT_EQ(rt::toLong(missing), 0);
  EXPECT_TRUE(reader.ReadValue(QStringLiteral("Nothing")).toString().isEmpty());
}

TEST(RegistryHelper, SubKeysByOneBasedIndex) {
  TemporaryRegistry registry;
  auto mti = created(kMtiKey);
  EXPECT_EQ(mti->SubKeyName(), QStringLiteral("MtiData"));
  EXPECT_EQ(mti->SubKeyCount(), 0);
  for (const char* type : {"RV-15", "RV-11", "RV-12P"}) {
    auto sub = created(kMtiKey + QLatin1String(type));
    sub->WriteValue(QStringLiteral("Firmware"), QStringLiteral(" 1.2 "));
    sub->WriteValue(QStringLiteral("Serial"), QLatin1String(type) + QStringLiteral("-0042"));
  }
  mti->WriteValue(QStringLiteral("MRU"), 1);
  ASSERT_EQ(mti->SubKeyCount(), 3);
  QStringList names;
  for (rt::Long i = 1; i <= mti->SubKeyCount(); ++i) {
    auto sub = mti->SubKey(i);
    ASSERT_TRUE(sub->KeyOpened());
    names << sub->SubKeyName();
    EXPECT_EQ(sub->ReadValue(QStringLiteral("Serial")).toString(),
              sub->SubKeyName() + QStringLiteral("-0042"));
    EXPECT_EQ(sub->ReadValue(QStringLiteral("Firmware")).toString().trimmed(),
              QStringLiteral("1.2"));
    EXPECT_EQ(sub->SubKeyCount(), 0);
  }
  EXPECT_EQ(names, (QStringList{QStringLiteral("RV-11"), QStringLiteral("RV-12P"),
                                QStringLiteral("RV-15")}));
  EXPECT_EQ(errorOf([&] { mti->SubKey(0); }), host::regerr::NoSuchSubKey);
  EXPECT_EQ(errorOf([&] { mti->SubKey(4); }), host::regerr::NoSuchSubKey);
  EXPECT_EQ(host::regerr::NoSuchSubKey, rt::hresult(0x8004A68Eu));
  // A sub-key named in another case is the same one.
  auto again = created(kMtiKey + QStringLiteral("rv-11"));
  EXPECT_EQ(mti->SubKeyCount(), 3);
  EXPECT_EQ(again->ReadValue(QStringLiteral("serial")).toString(), QStringLiteral("RV-11-0042"));
}

TEST(RegistryHelper, AStoreThatCannotBeWrittenRaises0x8004A68B) {
  TemporaryRegistry registry;
  // The store's folder would have to be a file that exists already.
  QFile blocker(registry.path() + QStringLiteral(".dir"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  qputenv("RV1X_REGISTRY", (blocker.fileName() + QStringLiteral("/registry.ini")).toLocal8Bit());
  RegistryHelper helper;
  EXPECT_EQ(errorOf([&] { helper.CreateKey(host::HKEY_LOCAL_MACHINE, kSettingsKey); }),
            host::regerr::StoreFailed);
  EXPECT_EQ(host::regerr::StoreFailed, rt::hresult(0x8004A68Bu));
  EXPECT_EQ(errorOf([&] { created(QStringLiteral("Other"))->WriteValue(QStringLiteral("x"), 1); }),
            host::regerr::StoreFailed);
}

// Each call answers for itself: a write that failed is not read back as if
// it had been saved, and once the store can be written again writes succeed.
TEST(RegistryHelper, AWriteThatFailedLeavesNoTraceAndTheNextOneSucceeds) {
  TemporaryRegistry registry;
  const QString folder = registry.path() + QStringLiteral(".dir");
  QFile blocker(folder);
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  qputenv("RV1X_REGISTRY", (folder + QStringLiteral("/registry.ini")).toLocal8Bit());
  RegistryHelper key;
  EXPECT_EQ(errorOf([&] { key.CreateKey(host::HKEY_LOCAL_MACHINE, kSettingsKey); }),
            host::regerr::StoreFailed);
  EXPECT_FALSE(key.KeyOpened()) << "the key that could not be made is not there";

  ASSERT_TRUE(QFile::remove(folder));
  ASSERT_TRUE(QDir().mkpath(folder));
  EXPECT_EQ(errorOf([&] { key.CreateKey(host::HKEY_LOCAL_MACHINE, kSettingsKey); }), 0);
  EXPECT_EQ(errorOf([&] { key.WriteValue(QStringLiteral("CommTimeOut"), 600); }), 0);
  EXPECT_EQ(rt::toLong(key.ReadValue(QStringLiteral("CommTimeOut"))), 600);

  ASSERT_TRUE(QFile::remove(folder + QStringLiteral("/registry.ini")));
  ASSERT_TRUE(QDir().rmdir(folder));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // blocked again
  blocker.close();
  EXPECT_EQ(errorOf([&] { key.WriteValue(QStringLiteral("RangeThreshold"), 50); }),
            host::regerr::StoreFailed);
  EXPECT_FALSE(key.ReadValue(QStringLiteral("RangeThreshold")).isValid())
      << "a value that was never saved does not read back";
  EXPECT_FALSE(key.ReadValue(QStringLiteral("CommTimeOut")).isValid())
      << "nor one whose file has gone";
}

// A line of the file that holds no value does not make later writes fail.
TEST(RegistryHelper, ALineThatHoldsNoValueDoesNotFailTheWrites) {
  TemporaryRegistry registry;
  QFile file(registry.path());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(
      "[HKEY_LOCAL_MACHINE]\nSoftware\\Tavrin\\orvan\\RV-1X\\%40key=\n"
      "Software\\Tavrin\\orvan\\RV-1X\\CommTimeOut=600\nthis line holds no value\n");
  file.close();
  RegistryHelper key;
  key.OpenKey(host::HKEY_LOCAL_MACHINE, kSettingsKey);
  ASSERT_TRUE(key.KeyOpened());
  EXPECT_EQ(rt::toLong(key.ReadValue(QStringLiteral("CommTimeOut"))), 600);
  for (int value : {1, 2}) {
    EXPECT_EQ(errorOf([&] { key.WriteValue(QStringLiteral("RangeThreshold"), value); }), 0);
    EXPECT_EQ(rt::toLong(key.ReadValue(QStringLiteral("RangeThreshold"))), value);
  }
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("\nthis line holds no value\n"));
}

}  // namespace
