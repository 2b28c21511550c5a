#pragma once
// Qt's PDF writer takes two buffers of 16 MiB for every page it compresses
// and gives them back when the page is written. With the C library's
// default thresholds each pair is handed back to the system and faulted in
// again on the next page: thousands of times in a long report, and a fifth
// of its time. Keeping buffers of that size in the heap, and the heap's top
// unreturned up to a few of them, lets every page reuse the last one's.

namespace host::report {

// Once for the process; where the C library has no such settings, nothing.
void keepPdfBuffers();

}  // namespace host::report
