#pragma once
// What a command costs before it does anything: rv1x-host --help against a
// bare Qt program, and catalogue against --help.

namespace bench {

class Figures;

void startUpFigures(Figures& figures);

}  // namespace bench
