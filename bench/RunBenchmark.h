#pragma once
// The host program's run of a test sequence against its simulated analyzer.

namespace bench {

class Figures;

// Runs the whole default sequence (every test of the catalogue, unattended,
// on the simulated analyzer at 9600 baud, real time) with the built
// rv1x-host and sets its wall time against the floor its own trace gives;
// then the processor share while a run waits. Adds the figures; what could
// not be measured says why.
void sequenceRuns(Figures& figures);

}  // namespace bench
