#pragma once
// What reading and writing a document costs at the least with Qt: every
// token of IN read by a QXmlStreamReader and written by a QXmlStreamWriter
// into OUT. The benchmark runs it as a child of its own, beside rv1x-host.

#include <QString>

namespace bench {

// 0 when OUT was written whole; 1 when IN cannot be read or OUT written.
int plainXmlCopy(const QString& in, const QString& out);

}  // namespace bench
