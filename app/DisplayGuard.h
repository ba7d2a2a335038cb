#pragma once

// Stands while QApplication opens the display. When no window system can be
// opened Qt gives up with a fatal message and aborts, leaving a core dump;
// under the guard the program prints one line that names the problem and
// exits with status 1 instead. Qt's own complaints meanwhile are held back,
// and passed on when the guard is released.
class DisplayGuard {
public:
    DisplayGuard();
    ~DisplayGuard() { release(); }
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

    void release();
};
