#pragma once

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

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

// The ids of the threads this process runs now.
inline std::set<int> processThreadIds()
{
    std::set<int> ids;
    if (auto* dir = opendir ("/proc/self/task"))
    {
        while (auto* entry = readdir (dir))
            if (entry->d_name[0] != '.')
                ids.insert (std::atoi (entry->d_name));
        closedir (dir);
    }
    return ids;
}

// A thread's name as a host's thread list shows it; empty once it is gone.
inline std::string threadName (int id)
{
    std::ifstream comm ("/proc/self/task/" + std::to_string (id) + "/comm");
    std::string name;
    std::getline (comm, name);
    return name;
}

// How many times the thread has gone to sleep so far, and so been woken: the
// kernel counts a voluntary context switch each time a thread blocks. (Being
// preempted while it runs, which a loaded machine does often, is counted
// apart and is no wake-up.) Zero once it is gone.
inline long threadWakeUps (int id)
{
    std::ifstream status ("/proc/self/task/" + std::to_string (id) + "/status");
    const std::string key = "voluntary_ctxt_switches:";
    for (std::string line; std::getline (status, line);)
        if (line.compare (0, key.size(), key) == 0)
            return std::atol (line.c_str() + key.size());
    return 0;
}
