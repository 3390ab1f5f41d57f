// zelvora-sim: a race timer at the far end of a pseudo-terminal, for trying the program
// without hardware.

#include <csignal>
#include <cstdio>
#include <exception>
#include <iostream>

#include "sim/command_line.h"
#include "sim/pty_timer.h"

int main(int argc, char* argv[]) {
    const sim::CommandLine line = sim::ParseCommandLine(argc, argv);
    if (line.help) {
        std::cout << sim::Usage(argv[0]);
        return 0;
    }
    if (!line.error.empty()) {
        std::cerr << argv[0] << ": " << line.error << "\n" << sim::Usage(argv[0]);
        return 2;
    }

    // Blocked before the serving thread starts, so that only sigwait below sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    try {
        sim::PtyTimer timer(line.options);
        timer.MapAs(line.portName);
        std::printf("%s %s\n", line.portName.c_str(), timer.DevicePath().c_str());
        std::fflush(stdout);
        int received = 0;
        sigwait(&stopSignals, &received);
    } catch (const std::exception& error) {
        std::cerr << argv[0] << ": " << error.what() << "\n";
        return 1;
    }
    return 0;
}
