#pragma once

#include <cstddef>

// A program that links LargestAllocation.cpp sends every operator new through
// it, so a test can tell how much was asked for, whatever the machine's speed.

// Forgets the allocations made so far.
void resetLargestAllocation();
// The largest single allocation since the last reset, in bytes.
std::size_t largestAllocation();
