#include "platform/startup_trace.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace ravenlock::startup_trace {

namespace {

struct Entry {
    const char* name;
    long long ticks;  // 100 ns
};

bool g_on = false;
long long g_created = 0, g_last = 0, g_artwork = 0, g_artworkAtLast = 0;
std::vector<Entry> g_steps;

long long Now() {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    return static_cast<long long>((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

}  // namespace

void Begin() {
    g_on = GetEnvironmentVariableW(L"RAVENLOCK_STARTUP_TRACE", nullptr, 0) > 0;
    if (!g_on) return;
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    g_created = static_cast<long long>((static_cast<unsigned long long>(created.dwHighDateTime) << 32) |
                                       created.dwLowDateTime);
    g_last = g_created;
    Step("module load");
}

void Step(const char* name) {
    if (!g_on) return;
    const long long now = Now();
    // Artwork decoded within the step is reported apart from it.
    const long long spent = now - g_last - (g_artwork - g_artworkAtLast);
    bool known = false;
    for (Entry& e : g_steps)
        if (std::strcmp(e.name, name) == 0) e.ticks += spent, known = true;
    if (!known) g_steps.push_back({name, spent});
    g_last = now;
    g_artworkAtLast = g_artwork;
}

ArtworkScope::ArtworkScope() : start_(g_on ? Now() : 0) {}

ArtworkScope::~ArtworkScope() {
    if (g_on) g_artwork += Now() - start_;
}

void Finish() {
    if (!g_on) return;
    g_on = false;
    wchar_t path[MAX_PATH];
    if (!GetEnvironmentVariableW(L"RAVENLOCK_STARTUP_TRACE", path, MAX_PATH)) return;
    FILE* f = _wfopen(path, L"w");
    if (!f) return;
    for (const Entry& e : g_steps) std::fprintf(f, "%s=%.1f\n", e.name, static_cast<double>(e.ticks) / 1e4);
    std::fprintf(f, "artwork decoding=%.1f\n", static_cast<double>(g_artwork) / 1e4);
    std::fprintf(f, "total=%.1f\n", static_cast<double>(g_last - g_created) / 1e4);
    std::fclose(f);
}

}  // namespace ravenlock::startup_trace
