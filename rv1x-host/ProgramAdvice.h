#pragma once
// What the program tells a technician beside an error it reports, so that
// the error says what to do: an object that cannot be created (error 429)
// is, on a first day, a deliverable not yet registered into the store the
// program reads.

#include <QString>

#include "runtime/RuntimeError.h"

namespace hostapp {

// The advice for the error; an empty text for none.
QString programAdvice(const rt::RuntimeError& error);

// Makes the host's error service give that advice with every report.
void installProgramAdvice();

}  // namespace hostapp
