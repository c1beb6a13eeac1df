#pragma once

#include <dirent.h>

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
