// Counts every operator new in the test program, so a test can show that a
// call allocates nothing.
#pragma once

long allocationCount();
