#pragma once
// The plug-in as the host meets it: the built deliverables and the test
// elements registered into a registry of the test's own, a test template
// written for the test and named in the plug-in's settings, and the plug-in
// created by its registered name.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "CRV1XSetup.h"
#include "PlugInErrors.h"
#include "TestSupport.h"
#include "com/CreateObject.h"
#include "registry/RegistryStore.h"
#include "services/ErrorService.h"
#include "typelib/IPlugIn.h"
#include "ui/MessageBoxes.h"

namespace plugintest {

inline const QString kPlugIn = QStringLiteral("SelkamRV1X.CRV1XPlugIn");
inline const QString kFake = QStringLiteral("RV1XTest.FakeTestElement");  // test ID 900
inline const QString kGroup = QStringLiteral("RV1XTest.FakeGroup");       // test ID 950

// One "TestElement" entry.
inline QString entry(const QString& className, const QString& id, const QString& inner = {}) {
  QString attributes;
  if (!className.isNull()) attributes += QStringLiteral(" ClassName=\"%1\"").arg(className);
  if (!id.isNull()) attributes += QStringLiteral(" ID=\"%1\"").arg(id);
  return QStringLiteral("<TestElement%1>%2</TestElement>").arg(attributes, inner);
}

inline QString fakeEntry(const QString& inner = {}) {
  return entry(kFake, QStringLiteral("900"), inner);
}

// A template of those entries below a root of any name.
inline QString templateOf(const QString& entries) {
  return QStringLiteral("<?xml version=\"1.0\"?><Tests><TemplateData>%1</TemplateData></Tests>")
      .arg(entries);
}

// One standard in its stored form.
inline QString standard(const QString& alpha, const QString& complete, const QString& key = "ENGY",
                        const QString& high = "15") {
  return QStringLiteral(
             "<Standard AlphaName=\"%1\" CompleteName=\"%2\" Flags=\"1\"><Limit Key=\"%3\" "
             "Unit=\"J\" High=\"%4\" HighEnabled=\"True\" Low=\"0\" LowEnabled=\"False\"/>"
             "</Standard>")
      .arg(alpha, complete, key, high);
}

class PlugInTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* library : {"orvanView", "orvanRV1Xtst", "orvanRV1X", "rv1xfakeelements",
                                "rv1xpluginfakes", "rv1xtestserver"})
      ASSERT_TRUE(testsupport::registerServer(testsupport::builtLibrary(QLatin1String(library))))
          << library;
    host::ErrorService::instance()->clear();
    ui::MessageBoxes::instance().clear();
  }

  void TearDown() override { ui::MessageBoxes::instance().clear(); }

  // Writes the text as a file of the test's folder and answers its path.
  QString writeFile(const QString& text, const QString& name = QStringLiteral("test.mpc")) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
    return path;
  }

  // Names the template in the plug-in's settings ("Configuration").
  static void useTemplate(const QString& path) {
    writeSetting(orvanRV1X::setting::Configuration, path);
  }
  static void writeSetting(const QString& name, const QVariant& value) {
    platform::RegistryStore::instance().writeValue(platform::hive::LocalMachine,
                                                   orvanRV1X::kSettingsKey, name, value);
  }
  static QVariant storedSetting(const QString& name) {
    return platform::RegistryStore::instance().readValue(platform::hive::LocalMachine,
                                                         orvanRV1X::kSettingsKey, name);
  }

  static host::IPlugInPtr newPlugIn() { return com::createObjectAs<host::IPlugIn>(kPlugIn); }

  // A plug-in initialised with a template of that text; what Initialize
  // raised is in raised.
  host::IPlugInPtr plugInWith(const QString& templateText, rt::RuntimeError* raised = nullptr) {
    useTemplate(writeFile(templateText));
    host::IPlugInPtr plugIn = newPlugIn();
    const rt::RuntimeError error = testsupport::raisedBy([&] { plugIn->Initialize(nullptr); });
    if (raised)
      *raised = error;
    else
      EXPECT_EQ(error.Number(), 0) << qPrintable(error.Description());
    return plugIn;
  }

  static QList<rt::Long> reportedNumbers() {
    QList<rt::Long> numbers;
    for (const host::ErrorEntry& e : host::ErrorService::instance()->reported())
      numbers.append(e.number);
    return numbers;
  }
  // The severity of the last raise of that number; -1 when there was none.
  static rt::Long lastRaisedSeverity(rt::Long number) {
    rt::Long severity = -1;
    for (const host::ErrorEntry& e : host::ErrorService::instance()->entries())
      if (!e.reported && e.number == number) severity = e.severity;
    return severity;
  }

  testsupport::TemporaryRegistry registry_;
  QTemporaryDir dir_;
};

}  // namespace plugintest
