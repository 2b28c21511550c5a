// The deliverables' bitmap resources: every name the system loads is found,
// without regard to case, in the library that carries it, at its size and
// colour depth; anything else raises error 326.

#include <gtest/gtest.h>

#include <QDir>
#include <QLibrary>
#include <QSet>

#include "TestSupport.h"
#include "runtime/RuntimeError.h"
#include "ui/Resources.h"

namespace {

enum class Kind {
  Palette8,  // 8 bits per pixel with a 256-entry palette
  Rgb24,     // 24 bits per pixel, no palette
  Tab,       // 24 bits per pixel, pure red corners for the tab pane's mask
  Alpha,     // with transparency
};

struct Expected {
  const char* library;
  const char* name;  // as the callers pass it
  int width;
  int height;
  Kind kind;
};

constexpr const char* kPlugIn = "orvanRV1X";
constexpr const char* kTests = "orvanRV1Xtst";

const Expected kPictures[] = {
    {kPlugIn, "RV1X(16X16X256)", 16, 16, Kind::Rgb24},
    {kPlugIn, "RV1X(32X32X256)", 32, 32, Kind::Rgb24},
    {kPlugIn, "RV1X(16X16X256)_OLD", 16, 16, Kind::Palette8},
    {kPlugIn, "RV1X(32X32X256)_OLD", 32, 32, Kind::Palette8},
    {kPlugIn, "TE:CH(16X16X256)", 16, 16, Kind::Palette8},
    {kPlugIn, "TE:CH(32X16X256)", 32, 16, Kind::Palette8},
    {kPlugIn, "TE:DC(16x16x256)", 16, 16, Kind::Palette8},
    {kPlugIn, "TE:DC(32X16X256)", 32, 16, Kind::Palette8},
    {kPlugIn, "TE:ST(16x16x256)", 16, 16, Kind::Palette8},
    {kPlugIn, "TE:ST(32X16X256)", 32, 16, Kind::Palette8},
    {kPlugIn, "TE:RT(16X16X256)", 16, 16, Kind::Palette8},
    {kPlugIn, "TE:RT(32X16X256)", 32, 16, Kind::Palette8},
    {kPlugIn, "TE:AT(16x16x256)", 16, 16, Kind::Palette8},
    {kPlugIn, "TE:AT(32x16x256)", 32, 16, Kind::Palette8},
    {kPlugIn, "TE:PT(16X16X256)", 16, 16, Kind::Palette8},
    {kPlugIn, "TE:PT(32X16X256)", 32, 16, Kind::Palette8},
    {kPlugIn, "TE:AA(16X16X256)", 16, 16, Kind::Palette8},
    {kPlugIn, "TE:AA(32X16X256)", 32, 16, Kind::Palette8},
    {kTests, "TI:RV1X", 48, 48, Kind::Rgb24},
    {kTests, "TI:SHOCK", 48, 48, Kind::Rgb24},
    {kTests, "TI:WAIT", 48, 48, Kind::Rgb24},
    {kTests, "CHK:CHECK", 16, 16, Kind::Alpha},
    {kTests, "CHK:UNCHECK", 16, 16, Kind::Alpha},
    {kTests, "TAB_MTIDATA_1", 32, 34, Kind::Tab},
    {kTests, "TAB_MTIDATA_2", 32, 34, Kind::Tab},
    {kTests, "TAB_GRAPH_1", 32, 34, Kind::Tab},
    {kTests, "TAB_GRAPH_2", 32, 34, Kind::Tab},
    {kTests, "TBR:PLUSS", 20, 20, Kind::Rgb24},
    {kTests, "TBR:PLUSS_DISABLED", 20, 20, Kind::Rgb24},
    {kTests, "TBR:PLUSS_HOT", 20, 20, Kind::Rgb24},
    {kTests, "TBR:UP", 20, 20, Kind::Rgb24},
    {kTests, "TBR:UP_DISABLED", 20, 20, Kind::Rgb24},
    {kTests, "TBR:UP_HOT", 20, 20, Kind::Rgb24},
    {kTests, "TBR:DOWN", 20, 20, Kind::Rgb24},
    {kTests, "TBR:DOWN_DISABLED", 20, 20, Kind::Rgb24},
    {kTests, "TBR:DOWN_HOT", 20, 20, Kind::Rgb24},
    {kTests, "TBR:DEL", 20, 20, Kind::Rgb24},
    {kTests, "TBR:DEL_DISABLED", 20, 20, Kind::Rgb24},
    {kTests, "TBR:DEL_HOT", 20, 20, Kind::Rgb24},
};

class Resources : public ::testing::Test {
 protected:
  // Loading a deliverable registers the resources compiled into it.
  static void SetUpTestSuite() {
    for (const char* name : {kPlugIn, kTests}) {
      QLibrary library(testsupport::builtLibrary(QLatin1String(name)));
      library.setLoadHints(QLibrary::PreventUnloadHint);
      ASSERT_TRUE(library.load()) << qPrintable(library.errorString());
    }
  }
};

void expectKind(const QImage& image, Kind kind) {
  switch (kind) {
    case Kind::Palette8:
      EXPECT_EQ(image.format(), QImage::Format_Indexed8);
      EXPECT_EQ(image.colorCount(), 256);
      break;
    case Kind::Tab: {
      const QRgb red = qRgb(255, 0, 0);
      for (const QPoint corner :
           {QPoint(0, 0), QPoint(image.width() - 1, 0), QPoint(0, image.height() - 1),
            QPoint(image.width() - 1, image.height() - 1)})
        EXPECT_EQ(image.pixel(corner), red) << "corner " << corner.x() << "," << corner.y();
      EXPECT_NE(image.pixel(image.width() / 2, image.height() / 2), red);
      [[fallthrough]];
    }
    case Kind::Rgb24:
      EXPECT_FALSE(image.hasAlphaChannel());
      EXPECT_EQ(image.colorCount(), 0);
      EXPECT_GE(image.depth(), 24);
      break;
    case Kind::Alpha:
      EXPECT_TRUE(image.hasAlphaChannel());
      EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
      break;
  }
}

TEST_F(Resources, EveryNameLoadsFromItsDeliverableWithoutRegardToCase) {
  for (const Expected& e : kPictures) {
    const QString library = QLatin1String(e.library);
    const QString name = QLatin1String(e.name);
    SCOPED_TRACE(qPrintable(library + u' ' + name));
    for (const QString& spelling : {name, name.toLower(), name.toUpper()}) {
      ASSERT_TRUE(ui::hasResPicture(library, spelling)) << qPrintable(spelling);
      const QImage image = ui::LoadResPicture(library, spelling);
      EXPECT_EQ(image.size(), QSize(e.width, e.height)) << qPrintable(spelling);
    }
    expectKind(ui::LoadResPicture(library, name), e.kind);
  }
}

TEST_F(Resources, EachDeliverableCarriesExactlyItsOwnPictures) {
  for (const char* library : {kPlugIn, kTests}) {
    QSet<QString> expected;
    for (const Expected& e : kPictures)
      if (qstrcmp(e.library, library) == 0)
        expected.insert(ui::pictureFileName(QLatin1String(e.name)).toUpper() +
                        QStringLiteral(".PNG"));
    QSet<QString> present;
    for (const QString& file :
         QDir(QStringLiteral(":/%1/pictures").arg(QLatin1String(library))).entryList(QDir::Files))
      present.insert(file.toUpper());
    EXPECT_EQ(present, expected) << library;
  }
}

TEST_F(Resources, ANameNotCarriedByTheLibraryRaises326) {
  const struct {
    const char* library;
    const char* name;
  } missing[] = {
      // "TE:CH(16X16X256)" is the plug-in's, not the test library's.
      {kTests, "TI:NOTHERE"},      {kTests, "TE:CH(16X16X256)"}, {kPlugIn, "TI:WAIT"},
      {kPlugIn, "TE:CH(16X16)"},   {kPlugIn, "TE:CH"},           {kPlugIn, ""},
      {"orvanRV1Xvti", "TI:RV1X"},
  };
  for (const auto& m : missing) {
    const QString library = QLatin1String(m.library);
    const QString name = QLatin1String(m.name);
    SCOPED_TRACE(qPrintable(library + u' ' + name));
    EXPECT_FALSE(ui::hasResPicture(library, name));
    const rt::RuntimeError raised =
        testsupport::raisedBy([&] { ui::LoadResPicture(library, name); });
    EXPECT_EQ(raised.Number(), 326);
    EXPECT_EQ(raised.Source(), library);
  }
}

TEST(ResourceNames, MapToFileNames) {
  EXPECT_EQ(ui::pictureFileName(QStringLiteral("TE:CH(16X16X256)")),
            QStringLiteral("TE_CH_16X16X256"));
  EXPECT_EQ(ui::pictureFileName(QStringLiteral("TAB_GRAPH_1")), QStringLiteral("TAB_GRAPH_1"));
  EXPECT_EQ(ui::pictureFileName(QStringLiteral("CHK:CHECK")), QStringLiteral("CHK_CHECK"));
}

}  // namespace
