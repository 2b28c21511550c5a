#pragma once
// What resave's read costs alone: the sequence IN loaded as `rv1x-host
// resave` loads it, its keeping check included, and nothing written. The
// benchmark runs it as a child of its own, beside rv1x-host, so that export
// can be set against the read it shares with resave.

#include <QString>

namespace bench {

// 0 when IN was read as a sequence; 1 when it could not be.
int readSequence(int argc, char** argv, const QString& in);

}  // namespace bench
