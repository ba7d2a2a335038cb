#pragma once

// Stands while QApplication opens the window system. When that fails Qt gives
// up with a fatal message and aborts, leaving a core dump; under the guard the
// program prints one line that names the problem (the platform plugin, or the
// display given with -display or in the environment), then Qt's own messages,
// the fatal one last, and exits with status 1 instead. Qt's complaints are
// held back meanwhile, and passed on when the guard is released.
class DisplayGuard {
public:
    // Reads -platform and -display from the command line Qt will see.
    DisplayGuard(int argc, char** argv);
    ~DisplayGuard() { release(); }
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

    void release();
};
