#pragma once
// zelvora-sim run as a separate process, the way a person or `make demo` runs it: started
// with arguments, ready once it has printed its "<COM name> <device>" line.

#include <sys/types.h>

#include <string>
#include <vector>

namespace sim_test {

class SimProcess {
  public:
    // Starts the program (its environment is this process's) and waits up to 5 s for the
    // ready line. Throws std::runtime_error when it does not start or print it.
    explicit SimProcess(const std::vector<std::string>& arguments);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& ReadyLine() const { return readyLine_; }

    // Sends the signal and waits for the end. Returns the exit status, or -1 when the
    // process was ended by a signal or could not be waited for.
    int Stop(int signal);

  private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string readyLine_;
};

}  // namespace sim_test
