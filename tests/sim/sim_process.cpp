#include "tests/sim/sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

extern char** environ;

namespace sim_test {

SimProcess::SimProcess(const std::vector<std::string>& arguments) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    std::vector<std::string> args = arguments;
    args.insert(args.begin(), ZELVORA_SIM_PATH);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const int failed = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    output_ = pipeFds[0];
    if (failed != 0) {
        pid_ = -1;
        throw std::runtime_error("cannot start " + args[0]);
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (readyLine_.empty() || readyLine_.back() != '\n') {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd fd{output_, POLLIN, 0};
        char byte = 0;
        if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) <= 0 ||
            read(output_, &byte, 1) != 1) {
            throw std::runtime_error("zelvora-sim printed no ready line, only: " + readyLine_);
        }
        readyLine_ += byte;
    }
    readyLine_.pop_back();
}

SimProcess::~SimProcess() {
    if (pid_ > 0) Stop(SIGKILL);
    if (output_ >= 0) close(output_);
}

int SimProcess::Stop(int signal) {
    if (pid_ <= 0) return -1;
    kill(pid_, signal);
    int status = 0;
    const pid_t waited = waitpid(pid_, &status, 0);
    pid_ = -1;
    if (waited < 0 || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace sim_test
