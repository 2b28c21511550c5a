#pragma once
// The host program's run of a test sequence against its simulated analyzer.

namespace bench {

// Runs the whole default sequence (every test of the catalogue, unattended,
// on the simulated analyzer at 9600 baud) with the built rv1x-host and
// prints its figures; false when a run did not end as it should.
bool sequenceRuns();

}  // namespace bench
