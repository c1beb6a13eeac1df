#pragma once

#include <csignal>
#include <sys/resource.h>

// Makes every file write past `bytes` fail, as a full disk would, for as long
// as it lives. Works for root too, unlike permissions.
class ScopedFileSizeLimit
{
public:
    explicit ScopedFileSizeLimit (rlim_t bytes)
    {
        getrlimit (RLIMIT_FSIZE, &saved);
        previousHandler = std::signal (SIGXFSZ, SIG_IGN);
        rlimit limit { bytes, saved.rlim_max };
        setrlimit (RLIMIT_FSIZE, &limit);
    }

    ~ScopedFileSizeLimit()
    {
        setrlimit (RLIMIT_FSIZE, &saved);
        std::signal (SIGXFSZ, previousHandler);
    }

private:
    rlimit saved {};
    void (*previousHandler) (int) = nullptr;
};
