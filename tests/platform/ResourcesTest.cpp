// Bitmap resources by name, compiled into a library.

#include "TestSupport.h"

#include "runtime/RuntimeError.h"
#include "ui/Resources.h"

#include <gtest/gtest.h>
#include <QLibrary>

namespace {

const QString kLibrary = QStringLiteral("rv1xtestserver");

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Loading the library registers the pictures compiled into it.
    QLibrary library(testsupport::builtLibrary(kLibrary));
    library.setLoadHints(QLibrary::PreventUnloadHint);
    ASSERT_TRUE(library.load());
  }
};

TEST_F(ResourcesTest, NamesMapToFileNames) {
  EXPECT_EQ(ui::pictureFileName(QStringLiteral("TE:CH(16X16X256)")),
            QStringLiteral("TE_CH_16X16X256"));
  EXPECT_EQ(ui::pictureFileName(QStringLiteral("TE:DC(16x16x256)")),
            QStringLiteral("TE_DC_16x16x256"));
  EXPECT_EQ(ui::pictureFileName(QStringLiteral("TAB_GRAPH_1")), QStringLiteral("TAB_GRAPH_1"));
  EXPECT_EQ(ui::pictureFileName(QStringLiteral("CHK:CHECK")), QStringLiteral("CHK_CHECK"));
}

TEST_F(ResourcesTest, PicturesAreFoundWithoutRegardToCase) {
  for (const char* name : {"TE:CH(16X16X256)", "te:ch(16x16x256)"}) {
    const QImage image = ui::LoadResPicture(kLibrary, QLatin1String(name));
    EXPECT_EQ(image.size(), QSize(16, 16)) << name;
  }
  EXPECT_EQ(ui::LoadResPicture(kLibrary, QStringLiteral("tab_graph_1")).size(), QSize(32, 16));
  EXPECT_TRUE(ui::hasResPicture(kLibrary, QStringLiteral("TAB_GRAPH_1")));
  EXPECT_FALSE(ui::hasResPicture(kLibrary, QStringLiteral("TI:RV1X")));
  EXPECT_FALSE(ui::hasResPicture(QStringLiteral("nobody"), QStringLiteral("TAB_GRAPH_1")));
}

TEST_F(ResourcesTest, AMissingPictureRaises326) {
  try {
    ui::LoadResPicture(kLibrary, QStringLiteral("TE:XX(16X16X256)"));
    FAIL() << "no error";
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.Number(), 326);
    EXPECT_EQ(e.Source(), kLibrary);
    EXPECT_TRUE(e.Description().contains(QStringLiteral("TE:XX(16X16X256)")));
  }
}

}  // namespace
