#pragma once
// The host program's resave of a long stored sequence.

namespace bench {

// Times the built rv1x-host resaving a sequence of 1000 tests (its
// registry: the one RV1X_REGISTRY names) and prints the figure; false
// when it could not be made or the output differs from its input.
bool resaveFigure();

}  // namespace bench
