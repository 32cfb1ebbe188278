// Counts the live heap blocks of one size, so that a test can tell whether
// the objects of that size it caused have been deleted again. The global
// allocation functions of the test program are replaced to do this.
#pragma once

#include <cstddef>

// Starts counting blocks of `size` bytes (0 stops).
void WatchAllocations(std::size_t size);
// Blocks of the watched size allocated since WatchAllocations and not freed.
int LiveWatchedAllocations();
