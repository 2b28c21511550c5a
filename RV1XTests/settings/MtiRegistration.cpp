#include "settings/MtiRegistration.h"

#include <algorithm>

#include "records/RunObjects.h"
#include "runtime/ErrorHandling.h"

namespace orvanRV1Xtst::MMiscUtils {

namespace {

struct LastUsed {
  QString mtiType;
  rt::Long index = 0;
};

LastUsed& lastUsed() {
  static LastUsed last;
  return last;
}

bool isOurs(host::MtiEntry& entry) {
  return entry.Product().compare(host::kProduct, Qt::CaseInsensitive) == 0;
}

// Results find their identity by product and index alone, so a new index
// is one above every index the product uses, whatever the model type: an
// index counted per model type would be taken twice by two models, and the
// results of the second would show the first one's analyzer.
rt::Long nextIndex(const host::MtiList& list) {
  rt::Long highest = 0;
  for (const host::MtiEntryPtr& entry : list)
    rt::ignoreErrors([&] {
      if (isOurs(*entry)) highest = std::max(highest, entry->Index());
    });
  return highest + 1;
}

}  // namespace

CMtiData2Ptr GetMtiData(const host::MtiListPtr& list, rt::Long index) {
  return rt::orDefault(
      [&]() -> CMtiData2Ptr {
        if (index == 0) index = lastUsed().index;
        if (index <= 0) return nullptr;
        const host::MtiEntryPtr entry = com::must(list).Find(host::kProduct, index);
        if (!entry) return nullptr;
        auto identity = std::make_shared<CMtiData2>();
        identity->SetMtiType(entry->MtiType());
        identity->SetSerial(entry->Serial());
        identity->SetFirmware(entry->Firmware());
        return identity;
      },
      CMtiData2Ptr());
}

rt::Long RegisterMti(const host::MtiListPtr& list, const CMtiData2Ptr& identity) {
  if (!list || !identity) return kNotRegistered;
  // An identity without serial number cannot be told from another analyzer
  // of its model, so it is never matched: each one gets an entry of its own.
  if (!identity->Serial().isEmpty()) {
    for (const host::MtiEntryPtr& entry : *list) {
      const bool same = rt::orDefault(
          [&] {
            return isOurs(*entry) && entry->MtiType() == identity->MtiType() &&
                   entry->Serial() == identity->Serial() &&
                   entry->Firmware() == identity->Firmware();
          },
          false);
      if (!same) continue;
      const rt::Long index = rt::orDefault([&] { return entry->Index(); }, kNotRegistered);
      if (index != kNotRegistered) lastUsed() = LastUsed{identity->MtiType(), index};
      return index;
    }
  }
  return rt::orDefault(
      [&] {
        const rt::Long index = nextIndex(*list);
        auto entry = std::make_shared<host::MtiEntry>();
        entry->SetOwner(host::kProduct, index);
        entry->SetIdentity(identity->MtiType(), identity->Serial(), identity->Firmware());
        list->Add(entry);
        lastUsed() = LastUsed{identity->MtiType(), index};
        return index;
      },
      kNotRegistered);
}

}  // namespace orvanRV1Xtst::MMiscUtils
