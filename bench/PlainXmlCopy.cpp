#include "PlainXmlCopy.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace bench {

int plainXmlCopy(const QString& in, const QString& out) {
  QFile input(in), output(out);
  if (!input.open(QIODevice::ReadOnly) || !output.open(QIODevice::WriteOnly)) return 1;
  QXmlStreamReader reader(&input);
  QXmlStreamWriter writer(&output);
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.hasError()) return 1;
    writer.writeCurrentToken(reader);
  }
  return writer.hasError() || !output.flush() ? 1 : 0;
}

}  // namespace bench
