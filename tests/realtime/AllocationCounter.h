#pragma once

// Counts the heap allocations that the current thread makes while it lives.
class ScopedAllocationCount
{
public:
    ScopedAllocationCount();
    ~ScopedAllocationCount();
    long count() const;
};
