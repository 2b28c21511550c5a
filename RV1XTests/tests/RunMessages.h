#pragma once
// What a test run tells the operator of a failure, and how it reads a
// number from a reply of the analyzer's.

#include <QString>

#include "runtime/RuntimeError.h"

namespace orvanRV1Xtst {

// The message box of a failed run: "Error #<number>", a line break and the
// description, with the exclamation icon and the test library's title.
void showRunError(const rt::RuntimeError& error);

// The whole number in the reply's characters first..first+length-1 (from
// 1), blanks around it allowed. A field that holds no number (a garbled or
// short reply) is never read as 0: it raises error 13 naming the reply, so
// that the run ends through its failure handler.
rt::Integer replyInteger(const QString& reply, int first, int length);

}  // namespace orvanRV1Xtst
