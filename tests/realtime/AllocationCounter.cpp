#include "realtime/AllocationCounter.h"

#include <cstdlib>
#include <new>

// Every heap allocation of the process passes here; only those made on a
// thread that asked to be watched are counted.
namespace
{
thread_local bool watching = false;
thread_local long allocations = 0;

void* allocate (std::size_t size)
{
    if (watching)
        ++allocations;

    if (void* p = std::malloc (size == 0 ? 1 : size))
        return p;

    throw std::bad_alloc();
}
} // namespace

void* operator new (std::size_t size) { return allocate (size); }
void* operator new[] (std::size_t size) { return allocate (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept
{
    try { return allocate (size); } catch (...) { return nullptr; }
}
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept
{
    try { return allocate (size); } catch (...) { return nullptr; }
}
void operator delete (void* p) noexcept { std::free (p); }
void operator delete[] (void* p) noexcept { std::free (p); }
void operator delete (void* p, std::size_t) noexcept { std::free (p); }
void operator delete[] (void* p, std::size_t) noexcept { std::free (p); }

ScopedAllocationCount::ScopedAllocationCount()
{
    allocations = 0;
    watching = true;
}

ScopedAllocationCount::~ScopedAllocationCount()
{
    watching = false;
}

long ScopedAllocationCount::count() const
{
    return allocations;
}
