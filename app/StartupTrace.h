#pragma once
// Opt-in marks of the start-up for bench/bench_startup.py. With
// ZENDRA_STARTUP_TRACE set in the environment each mark goes to stderr as
// "zendra-startup NAME NANOSECONDS" on the monotonic clock, the clock the
// benchmark reads too; without it a mark is one test of a cached flag.

#include <chrono>
#include <cstdio>
#include <cstdlib>

inline void StartupMark(const char *name)
{
    static const bool enabled = std::getenv("ZENDRA_STARTUP_TRACE") != nullptr;
    if (!enabled)
        return;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::fprintf(stderr, "zendra-startup %s %lld\n", name,
                 static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    std::fflush(stderr);
}
