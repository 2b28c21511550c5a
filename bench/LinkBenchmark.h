#pragma once
// The analyzer link against the simulated analyzer on a pseudo-terminal.

namespace bench {

class Figures;

// An "M" exchange and a 2000-byte block against their wire time, the
// processor while the link waits, and how soon an unplugged adapter ends an
// exchange. Port 1 is assigned to the analyzer in the registry store.
void linkFigures(Figures& figures);

}  // namespace bench
