#include "Locations.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "SiteFiles.h"

namespace kelvo {

namespace {

bool IsFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string FileLocations::StationFile(std::string_view name) const {
    for (const std::string& folder : StationFolders)
        if (IsFile(FileIn(folder, name))) return FileIn(folder, name);
    return FileIn(StationFolders.empty() ? std::string() : StationFolders.front(), name);
}

std::string FileLocations::TermsFolder() const {
    for (const std::string& folder : DataFolders)
        if (IsFile(FileIn(folder, "PLANETS.NDX")) || IsFile(FileIn(folder, "PLANETS.DAT")))
            return folder;
    return DataFolders.empty() ? std::string() : DataFolders.front();
}

std::string FileLocations::CatalogueFile() const {
    for (const auto* folders : {&StationFolders, &DataFolders})
        for (const std::string& folder : *folders)
            if (IsFile(FileIn(folder, "sources.cat"))) return FileIn(folder, "sources.cat");
    return StationFile("sources.cat");
}

FileLocations InFolder(const std::string& folder) { return {{folder}, {folder}}; }

std::string ConfigFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/') return std::string(xdg) + "/kelvo";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.config/kelvo";
    return {};
}

std::string InstalledDataFolder() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    std::string exe(buffer, static_cast<std::size_t>(n));
    const std::size_t slash = exe.rfind('/');
    if (slash == std::string::npos) return {};
    const std::string bin = exe.substr(0, slash);
    const std::size_t up = bin.rfind('/');
    if (up == std::string::npos || bin.substr(up + 1) != "bin") return {};
    const std::string share = bin.substr(0, up) + "/share/kelvo";
    return IsFolder(share) ? share : std::string();
}

FileLocations ProgramLocations() {
    FileLocations l{{""}, {""}};
    const std::string share = InstalledDataFolder();
    if (share.empty()) return l;  // not installed: the working directory only
    const std::string config = ConfigFolder();
    if (!config.empty()) l.StationFolders.push_back(config);
    l.DataFolders.push_back(share);
    return l;
}

}  // namespace kelvo
