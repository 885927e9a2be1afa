#include "LargestAllocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> largest { 0 };
}

void resetLargestAllocation()
{
    largest = 0;
}

std::size_t largestAllocation()
{
    return largest;
}

// The replaceable allocation functions; arrays and the sized and nothrow
// forms go through these by default.
void* operator new(std::size_t size)
{
    std::size_t seen = largest.load();
    while (size > seen && !largest.compare_exchange_weak(seen, size)) { }
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
