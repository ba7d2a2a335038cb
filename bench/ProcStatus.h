#pragma once

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
} // namespace bench
