#pragma once
// What a test program and everything it starts go on to start, read from the outside:
// the command line each new process was given. The program under test and its memory
// tool are never asked to report on themselves.
#include <cstddef>
#include <string>
#include <vector>

namespace ravenlock::testing {

// Starts watching, once per test program: the test program joins a job of its own, and
// each process started in that job from then on, at any depth, is recorded. Processes
// started before the first call are not seen.
void WatchStartedProcesses();

// The arguments (the program's name left out, joined by single spaces) of each
// recorded process whose program file has this name, case ignored, oldest first. A
// process that ended before its command line could be read shows as "(unread)".
std::vector<std::wstring> StartedArguments(const std::wstring& programName);
// Their whole command lines; "" for one that could not be read.
std::vector<std::wstring> StartedCommandLines(const std::wstring& programName);

// The starts of one program from the moment this object is made (watching begins then
// if it had not yet).
class StartsOf {
public:
    explicit StartsOf(std::wstring programName);
    // The arguments of each start since then, oldest first.
    std::vector<std::wstring> Arguments() const;
    // Their whole command lines, the program's name included, as they were read.
    std::vector<std::wstring> CommandLines() const;
    // The same, for a failure message.
    std::string Text() const;

private:
    std::wstring program_;
    size_t earlier_ = 0;
};

}  // namespace ravenlock::testing
