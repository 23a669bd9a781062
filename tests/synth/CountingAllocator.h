#pragma once

// The program that links CountingAllocator.cpp has its global operator new
// replaced by one that counts every call.
long allocationCount();
