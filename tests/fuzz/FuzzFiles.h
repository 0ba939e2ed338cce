// Scratch files for the fuzz targets: a folder of this process (in memory
// where /dev/shm is writable) and a writer that puts the input's bytes there.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

inline std::string FuzzFolder(const char* name) {
    const std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return base + "/" + name + "-" + std::to_string(getpid()) + "/";
}

inline void FuzzWrite(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
}
