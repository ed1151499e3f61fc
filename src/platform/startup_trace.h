#pragma once
// Where the start-up time goes, step by step, for the benchmark: written to the file that
// RAVENLOCK_STARTUP_TRACE names, and only then. Without it every call costs next to nothing.
namespace ravenlock::startup_trace {

// At the entry point: the time since the process was created is the module load.
void Begin();
// Closes the running step under this name (a string literal); a name used again adds up.
void Step(const char* name);
// Artwork decoding is counted on its own, wherever it happens during start-up.
class ArtworkScope {
public:
    ArtworkScope();
    ~ArtworkScope();
    ArtworkScope(const ArtworkScope&) = delete;
    ArtworkScope& operator=(const ArtworkScope&) = delete;

private:
    long long start_;
};
// Once, after the first paint: writes the steps and stops tracing.
void Finish();

}  // namespace ravenlock::startup_trace
