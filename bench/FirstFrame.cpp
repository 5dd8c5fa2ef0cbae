#include "bench/FirstFrame.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/FrameStats.h"
#include "platform/linux/FrameReport.h"

extern char** environ;

namespace {

bool RunOnce(const std::string& program, unsigned seed, double& milliseconds, std::string& error)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        error = "cannot make a pipe";
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);

    std::vector<std::string> envText;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "QUILLMOOR_FRAME_REPORT=", 23) != 0)
            envText.emplace_back(*e);
    envText.emplace_back("QUILLMOOR_FRAME_REPORT=1");
    std::vector<char*> env;
    for (std::string& text : envText)
        env.push_back(text.data());
    env.push_back(nullptr);

    const std::string seedText = std::to_string(seed);
    std::vector<std::string> argText = {program, "--offscreen", "--frames", "1", "--no-png", "--size", "640x480",
                                        "--seed", seedText, "--start", "0"};
    std::vector<char*> args;
    for (std::string& text : argText)
        args.push_back(text.data());
    args.push_back(nullptr);

    const double started = FrameReportClock();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string output;
    char buffer[512];
    ssize_t got = 0;
    while (spawned == 0 && (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
        output.append(buffer, static_cast<size_t>(got));
    close(pipeEnds[0]);
    if (spawned != 0) {
        error = "cannot start " + program + ": " + std::strerror(spawned);
        return false;
    }
    int status = 0;
    waitpid(child, &status, 0);
    const char* at = std::strstr(output.c_str(), "first-frame-clock ");
    double clock = 0.0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !at || std::sscanf(at + 18, "%lf", &clock) != 1) {
        error = program + " gave no frame report: " + output;
        return false;
    }
    milliseconds = (clock - started) * 1000.0;
    return true;
}

}  // namespace

bool MeasureFirstFrame(const std::string& program, unsigned seed, int runs, double& milliseconds,
                       std::string& error)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        double ms = 0.0;
        if (!RunOnce(program, seed, ms, error))
            return false;
        times.push_back(ms);
    }
    milliseconds = Summarise(times).median;
    return true;
}
