#pragma once
// What working with stored records costs: resave, export and report of
// results documents of a given number of elements, set against a plain Qt
// copy of the same file.

#include <QList>

namespace bench {

class Figures;

// Adds the figures for results documents of each size (elements); what
// could not be measured says why.
void recordFigures(Figures& figures, const QList<int>& sizes);

}  // namespace bench
