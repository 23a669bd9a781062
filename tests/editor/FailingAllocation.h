// Makes one chosen allocation by new (std::nothrow) fail, to see what the code
// does when memory runs out at exactly that point.
#pragma once

namespace failing_allocation {

// From now on, the ordinal-th nothrow allocation (counted from 1) returns null.
void failAt(int ordinal);
// Stops counting; nothing fails any more.
void disarm();
// Nothrow allocations asked for since failAt.
int counted();

}  // namespace failing_allocation

// Live blocks of the C runtime heap, to see that nothing is left behind.
int heapBlocksInUse();
