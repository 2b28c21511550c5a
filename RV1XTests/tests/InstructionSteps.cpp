#include "tests/InstructionSteps.h"

#include "services/LanguageService.h"
#include "typelib/HostTypes.h"

namespace orvanRV1Xtst {

QStringList translatedSteps(const QList<StepText>& steps) {
  QStringList texts;
  for (const StepText& step : steps)
    texts.append(step.key.isEmpty() ? QString() : host::translated(step.key, step.parameters));
  return texts;
}

}  // namespace orvanRV1Xtst
