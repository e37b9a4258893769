#pragma once
// Starts a program on the host and collects its whole answer.

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace test_process {

struct Result {
    bool started = false;
    bool timedOut = false;
    int exitCode = -1;  // -1 also when ended by a signal
    int signal = 0;
    std::string out;
    std::string err;
};

// program and arguments as given; environment: this process's, with these entries set.
Result Run(const std::vector<std::string>& command, const std::map<std::string, std::string>& env,
           std::chrono::seconds timeout);

}  // namespace test_process
