#pragma once
// The steps a guide shows the operator: text keys with their parameters,
// translated for the plug-in's product.

#include <QStringList>
#include <QVariantList>

namespace orvanRV1Xtst {

struct StepText {
  QString key;  // empty: a step left empty
  QVariantList parameters = {};
};

QStringList translatedSteps(const QList<StepText>& steps);

}  // namespace orvanRV1Xtst
