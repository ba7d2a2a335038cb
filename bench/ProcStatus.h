#pragma once

#include <dirent.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace bench {
// The number after "key:" in a /proc status file, or -1.
inline long procStatusField(const std::string& path, const char* key)
{
    std::ifstream in(path);
    std::string line;
    const size_t n = std::strlen(key);
    while (std::getline(in, line))
        if (line.compare(0, n, key) == 0 && line.size() > n && line[n] == ':')
            return std::strtol(line.c_str() + n + 1, nullptr, 10);
    return -1;
}

// Voluntary and involuntary context switches of every thread of a process
// ("self" or a pid), or -1.
inline long procContextSwitches(const std::string& process)
{
    const std::string tasks = "/proc/" + process + "/task/";
    DIR* d = opendir(tasks.c_str());
    if (!d)
        return -1;
    long sum = 0;
    while (dirent* e = readdir(d)) {
        if (e->d_name[0] == '.')
            continue;
        const std::string status = tasks + e->d_name + "/status";
        sum += std::max(0L, procStatusField(status, "voluntary_ctxt_switches"));
        sum += std::max(0L, procStatusField(status, "nonvoluntary_ctxt_switches"));
    }
    closedir(d);
    return sum;
}
} // namespace bench
