// rv1x-host workbench as a technician starts it: the picture drawn without
// a display, and the starts that fail.

#include <QImage>

#include "WorkbenchFixture.h"

namespace workbenchtest {
namespace {

TEST_F(WorkbenchTest, TheCommandDrawsTheWindowWithoutADisplay) {
  const QString picture = path(QStringLiteral("window.png"));
  const testsupport::ProgramOutcome drawn =
      host(registryPath(), {QStringLiteral("workbench"), QStringLiteral("--screenshot"), picture});
  EXPECT_EQ(drawn.status, 0) << qPrintable(drawn.errors);
  EXPECT_EQ(drawn.output, QStringLiteral("screenshot %1\n").arg(picture));
  EXPECT_FALSE(QImage(picture).isNull());
}

TEST_F(WorkbenchTest, TheCommandRefusesWhatItCannotOpen) {
  const QString unregistered = path(QStringLiteral("unregistered.ini"));
  const QString garbled = writeFile(QStringLiteral("garbled.xml"), QStringLiteral("<Test"));
  const struct {
    const char* what;
    QString registry;
    QStringList arguments;
    int status;
    QString told;
  } cases[] = {
      {"a plug-in not registered", unregistered, {}, 2, QStringLiteral("SelkamRV1X.CRV1XPlugIn")},
      {"a sequence that cannot be read",
       registryPath(),
       {QStringLiteral("--sequence"), garbled},
       2,
       garbled},
      {"an option it does not know",
       registryPath(),
       {QStringLiteral("--tests")},
       64,
       QStringLiteral("usage: rv1x-host")},
      {"a sequence without its file",
       registryPath(),
       {QStringLiteral("--sequence")},
       64,
       QStringLiteral("usage: rv1x-host")},
      {"a word it does not know",
       registryPath(),
       {QStringLiteral("now")},
       64,
       QStringLiteral("usage: rv1x-host")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QString picture = path(QStringLiteral("refused.png"));
    const testsupport::ProgramOutcome refused =
        host(c.registry,
             QStringList{QStringLiteral("workbench"), QStringLiteral("--screenshot"), picture} +
                 c.arguments);
    EXPECT_EQ(refused.status, c.status);
    EXPECT_TRUE(refused.errors.contains(c.told)) << qPrintable(refused.errors);
    EXPECT_FALSE(QFile::exists(picture));
  }
}

}  // namespace
}  // namespace workbenchtest
