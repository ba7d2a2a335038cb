// Starts a program on the X server in $DISPLAY and watches it from outside.
//
//   xstartup pairs N GAME REF   N paired runs, GAME and REF alternating: the
//                               wall time from fork to the first MapNotify of
//                               a top-level window of the child, and its peak
//                               resident memory (VmHWM) once it has settled.
//   xstartup idle SECONDS PROG  the child's context switches (all threads)
//                               and processor time over SECONDS, no input.
//
// Prints key=value lines for bench/run.sh.

#include "bench/ProcStatus.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

[[noreturn]] void die(const char* what)
{
    std::fprintf(stderr, "xstartup: %s\n", what);
    std::exit(2);
}

long statusField(pid_t pid, const char* task, const char* key)
{
    const std::string path = task ? "/proc/" + std::to_string(pid) + "/task/" + task + "/status"
                                  : "/proc/" + std::to_string(pid) + "/status";
    return bench::procStatusField(path, key);
}

// Voluntary and involuntary context switches of every thread.
long contextSwitches(pid_t pid)
{
    return bench::procContextSwitches(std::to_string(pid));
}

// utime + stime in clock ticks.
long cpuTicks(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t close = s.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::vector<std::string> f;
    size_t i = close + 2;
    while (i < s.size()) {
        const size_t j = s.find(' ', i);
        f.push_back(s.substr(i, j - i));
        if (j == std::string::npos)
            break;
        i = j + 1;
    }
    // Fields after the name start at 3 (state); utime is 14, stime 15.
    return f.size() > 13 ? std::stol(f[11]) + std::stol(f[12]) : -1;
}

class Display_ {
public:
    Display_()
    {
        dpy_ = XOpenDisplay(nullptr);
        if (!dpy_)
            die("cannot open the display");
        root_ = DefaultRootWindow(dpy_);
        pidAtom_ = XInternAtom(dpy_, "_NET_WM_PID", False);
        XSelectInput(dpy_, root_, SubstructureNotifyMask);
        XSync(dpy_, False);
    }
    ~Display_() { XCloseDisplay(dpy_); }

    void drain() { XSync(dpy_, True); }

    // Waits for a top-level window of `pid` to be mapped; false on timeout.
    bool waitForMap(pid_t pid, double timeoutMs, Clock::time_point t0)
    {
        while (msSince(t0) < timeoutMs) {
            while (XPending(dpy_)) {
                XEvent ev;
                XNextEvent(dpy_, &ev);
                if (ev.type == MapNotify && ev.xmap.event == root_ && !ev.xmap.override_redirect &&
                    windowPid(ev.xmap.window, pid))
                    return true;
            }
            pollfd p{ConnectionNumber(dpy_), POLLIN, 0};
            poll(&p, 1, 50);
            int status;
            if (waitpid(pid, &status, WNOHANG) == pid)
                return false;
        }
        return false;
    }

private:
    // A window without _NET_WM_PID is taken as the child's: nothing else runs here.
    bool windowPid(Window w, pid_t pid)
    {
        Atom type;
        int format;
        unsigned long n, after;
        unsigned char* data = nullptr;
        bool match = true;
        if (XGetWindowProperty(dpy_, w, pidAtom_, 0, 1, False, XA_CARDINAL, &type, &format, &n, &after, &data) ==
                Success &&
            data && n == 1 && format == 32)
            match = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid;
        if (data)
            XFree(data);
        return match;
    }

    Display* dpy_;
    Window root_;
    Atom pidAtom_;
};

pid_t launch(const char* program)
{
    const pid_t pid = fork();
    if (pid < 0)
        die("fork failed");
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

void stop(pid_t pid)
{
    kill(pid, SIGKILL);
    int status;
    waitpid(pid, &status, 0);
}

struct Run {
    double mapMs;
    long hwmKb;
};

Run runOnce(Display_& x, const char* program, int settleMs)
{
    x.drain();
    const Clock::time_point t0 = Clock::now();
    const pid_t pid = launch(program);
    if (!x.waitForMap(pid, 30000, t0)) {
        stop(pid);
        die("no window was mapped");
    }
    const double mapMs = msSince(t0);
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long hwm = statusField(pid, nullptr, "VmHWM");
    stop(pid);
    return {mapMs, hwm};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int pairs(int n, const char* game, const char* ref)
{
    Display_ x;
    runOnce(x, game, 200);  // warm the page cache; not counted
    runOnce(x, ref, 200);
    std::vector<double> gMap, rMap, ratios, gHwm, rHwm;
    for (int i = 0; i < n; ++i) {
        // Alternate which goes first, so neither always follows the other.
        const bool gameFirst = i % 2 == 0;
        Run g{}, r{};
        if (gameFirst) {
            g = runOnce(x, game, 1000);
            r = runOnce(x, ref, 1000);
        } else {
            r = runOnce(x, ref, 1000);
            g = runOnce(x, game, 1000);
        }
        std::printf("# pair %d: game %.1f ms %ld kB, reference %.1f ms %ld kB\n", i, g.mapMs, g.hwmKb, r.mapMs,
                    r.hwmKb);
        gMap.push_back(g.mapMs);
        rMap.push_back(r.mapMs);
        ratios.push_back(g.mapMs / r.mapMs);
        gHwm.push_back(static_cast<double>(g.hwmKb));
        rHwm.push_back(static_cast<double>(r.hwmKb));
    }
    std::printf("startup_pairs=%d\n", n);
    std::printf("startup_map_ms_game=%.1f\n", median(gMap));
    std::printf("startup_map_ms_ref=%.1f\n", median(rMap));
    std::printf("startup_map_ratio=%.3f\n", median(ratios));
    std::printf("peak_rss_kb_game=%.0f\n", median(gHwm));
    std::printf("peak_rss_kb_ref=%.0f\n", median(rHwm));
    std::printf("peak_rss_ratio=%.3f\n", median(gHwm) / median(rHwm));
    return 0;
}

int idle(int seconds, const char* program)
{
    Display_ x;
    const Clock::time_point t0 = Clock::now();
    const pid_t pid = launch(program);
    if (!x.waitForMap(pid, 30000, t0)) {
        stop(pid);
        die("no window was mapped");
    }
    std::this_thread::sleep_for(std::chrono::seconds(2));  // let the first paint settle
    const long cs0 = contextSwitches(pid), cpu0 = cpuTicks(pid);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const long cs1 = contextSwitches(pid), cpu1 = cpuTicks(pid);
    stop(pid);
    std::printf("idle_seconds=%d\n", seconds);
    std::printf("idle_context_switches=%ld\n", cs1 - cs0);
    std::printf("idle_cpu_ms=%ld\n", (cpu1 - cpu0) * 1000 / sysconf(_SC_CLK_TCK));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 5 && std::strcmp(argv[1], "pairs") == 0)
        return pairs(std::atoi(argv[2]), argv[3], argv[4]);
    if (argc == 4 && std::strcmp(argv[1], "idle") == 0)
        return idle(std::atoi(argv[2]), argv[3]);
    std::fprintf(stderr, "usage: xstartup pairs N GAME REF | xstartup idle SECONDS PROGRAM\n");
    return 2;
}
