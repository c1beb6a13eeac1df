#pragma once

#include <dirent.h>
#include <unistd.h>

// The number of threads this process runs now, as the kernel lists them.
inline int processThreadCount()
{
    int count = 0;
    if (auto* dir = opendir ("/proc/self/task"))
    {
        while (auto* entry = readdir (dir))
            count += entry->d_name[0] != '.';
        closedir (dir);
    }
    return count;
}

// A thread that was just joined can stay listed for a moment while the kernel
// finishes its exit: waits up to two seconds for the count to drop to at most
// the given one, and gives the count it saw last.
inline int processThreadCountSettlingTo (int wanted)
{
    int count = processThreadCount();
    for (int waited = 0; count > wanted && waited < 2000; waited += 10)
    {
        usleep (10 * 1000);
        count = processThreadCount();
    }
    return count;
}
