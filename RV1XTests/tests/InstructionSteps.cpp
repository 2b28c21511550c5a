#include "tests/InstructionSteps.h"

#include "services/LanguageService.h"
#include "typelib/HostTypes.h"

namespace orvanRV1Xtst {

QStringList translatedSteps(const QList<StepText>& steps) {
  const auto language = host::LanguageService::instance();
  QStringList texts;
  for (const StepText& step : steps)
    texts.append(step.key.isEmpty()
                     ? QString()
                     : language->Translate(host::kProduct, step.key, step.parameters));
  return texts;
}

}  // namespace orvanRV1Xtst
