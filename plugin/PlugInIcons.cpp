#include "PlugInIcons.h"

#include <array>

#include "typelib/IPlugIn.h"

namespace orvanRV1X {

namespace {

struct IconEntry {
  rt::Long testID;
  rt::Long size;
  const char* name;  // as the host's table spells it; found without regard to case
};

constexpr std::array<IconEntry, 16> kIcons = {{
    {0, host::icon::Small, "RV1X(16X16X256)"},
    {0, host::icon::ExtraLarge, "RV1X(32X32X256)"},
    {100, host::icon::Small, "TE:CH(16X16X256)"},
    {100, host::icon::Large, "TE:CH(32X16X256)"},
    {200, host::icon::Small, "TE:DC(16x16x256)"},
    {200, host::icon::Large, "TE:DC(32X16X256)"},
    {300, host::icon::Small, "TE:ST(16x16x256)"},
    {300, host::icon::Large, "TE:ST(32X16X256)"},
    {400, host::icon::Small, "TE:RT(16X16X256)"},
    {400, host::icon::Large, "TE:RT(32X16X256)"},
    {500, host::icon::Small, "TE:AT(16x16x256)"},
    {500, host::icon::Large, "TE:AT(32x16x256)"},
    {600, host::icon::Small, "TE:PT(16X16X256)"},
    {600, host::icon::Large, "TE:PT(32X16X256)"},
    {700, host::icon::Small, "TE:AA(16X16X256)"},
    {700, host::icon::Large, "TE:AA(32X16X256)"},
}};

}  // namespace

QString iconName(rt::Long testID, rt::Long size) {
  for (const IconEntry& entry : kIcons)
    if (entry.testID == testID && entry.size == size) return QString::fromLatin1(entry.name);
  return QString();
}

}  // namespace orvanRV1X
