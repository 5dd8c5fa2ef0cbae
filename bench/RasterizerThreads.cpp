#include "bench/RasterizerThreads.h"

#include <dirent.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

RasterizerThreads ChooseRasterizerThreads(bool slow)
{
    const bool given = std::getenv("LP_NUM_THREADS") != nullptr;
    if (slow) {
        // One rasterizer thread would not fall behind the thread that feeds it.
        if (!given)
            setenv("LP_NUM_THREADS", "2", 1);
        return RasterizerThreads::kSlowed;
    }
    if (given)
        return RasterizerThreads::kFromEnvironment;
    setenv("LP_NUM_THREADS", "0", 1);
    return RasterizerThreads::kNone;
}

bool SlowRasterizerThreads(std::string& error)
{
    const int cpu = sched_getcpu();
    if (cpu < 0) {
        error = std::string("cannot tell which CPU this thread runs on: ") + std::strerror(errno);
        return false;
    }
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(cpu, &one);
    const std::unique_ptr<DIR, int (*)(DIR*)> tasks(opendir("/proc/self/task"), closedir);
    if (!tasks) {
        error = std::string("cannot list /proc/self/task: ") + std::strerror(errno);
        return false;
    }
    int slowed = 0;
    while (const dirent* entry = readdir(tasks.get())) {
        const pid_t tid = static_cast<pid_t>(std::atoi(entry->d_name));
        if (tid <= 0)
            continue;
        std::string name;
        std::getline(std::ifstream(std::string("/proc/self/task/") + entry->d_name + "/comm"), name);
        // A thread that ended meanwhile is no longer ours to move.
        if (sched_setaffinity(tid, sizeof one, &one) != 0 && errno != ESRCH) {
            error = std::string("cannot move thread ") + entry->d_name + " to CPU " + std::to_string(cpu) + ": "
                + std::strerror(errno);
            return false;
        }
        if (name.rfind("llvmpipe-", 0) == 0) {
            if (setpriority(PRIO_PROCESS, static_cast<id_t>(tid), 19) != 0) {
                error = "cannot lower the priority of " + name + ": " + std::strerror(errno);
                return false;
            }
            ++slowed;
        }
    }
    if (slowed == 0) {
        error = "found no llvmpipe rasterizer thread to slow (is the renderer llvmpipe, with LP_NUM_THREADS above 0?)";
        return false;
    }
    return true;
}

std::string DescribeRasterizerThreads(RasterizerThreads threads)
{
    const char* given = std::getenv("LP_NUM_THREADS");
    const std::string count = given ? given : "unset";
    switch (threads) {
    case RasterizerThreads::kNone:
        return "none (LP_NUM_THREADS=0): the heap is the show's own, without the driver's scene pool";
    case RasterizerThreads::kFromEnvironment:
        return "LP_NUM_THREADS=" + count + " from the environment: the heap also holds the driver's scene pool";
    case RasterizerThreads::kSlowed:
        return "LP_NUM_THREADS=" + count + ", slowed on one CPU (--slow-rasterizer): the driver's scene pool fills";
    }
    return count;
}
