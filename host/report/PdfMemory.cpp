#include "report/PdfMemory.h"

#include <cstdlib>  // names the C library
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace host::report {

namespace {

// Above the writer's 16 MiB chunk, so that its buffers come from the heap;
// larger blocks (a whole report's PDF) still get pages of their own.
constexpr int kMappedAbove = 24 * 1024 * 1024;
// Room for both of a page's buffers and more, left at the heap's top.
constexpr int kKeptAtTop = 64 * 1024 * 1024;

}  // namespace

void keepPdfBuffers() {
#if defined(__GLIBC__)
  static const bool once = [] {
    mallopt(M_MMAP_THRESHOLD, kMappedAbove);
    mallopt(M_TRIM_THRESHOLD, kKeptAtTop);
    return true;
  }();
  (void)once;
#endif
}

}  // namespace host::report
