// Where the program finds its files. The working directory first, exactly
// as ever; a file missing there is looked for, when the program is an
// installed one, in the user's configuration folder (the station's own
// files: kelvo.cfg, horizon.prn, rotator.cfg, sources.cat) or in the
// installation's share/kelvo folder (the terms files, the sample catalogue).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

struct FileLocations {
    std::vector<std::string> StationFolders;  // searched in order; "" the working directory
    std::vector<std::string> DataFolders;

    // The path of the station file name: in the first station folder that
    // holds it, else in the first station folder (where it is missing).
    std::string StationFile(std::string_view name) const;
    // The folder of the terms files: the first data folder that holds
    // PLANETS.NDX or PLANETS.DAT, else the first data folder.
    std::string TermsFolder() const;
    // The source catalogue sources.cat: the station's own (station folders),
    // else the sample in a data folder, else where the station's would be.
    std::string CatalogueFile() const;
};

// Everything in one folder ("" the working directory) and nowhere else.
FileLocations InFolder(const std::string& folder);

// The user's configuration folder: $XDG_CONFIG_HOME/kelvo, by default
// $HOME/.config/kelvo; empty when neither variable is set.
std::string ConfigFolder();

// The share/kelvo folder beside the running program's bin/ folder, when the
// program runs from an installation (empty otherwise).
std::string InstalledDataFolder();

// The working directory, then the configuration folder and share/kelvo.
FileLocations ProgramLocations();

}  // namespace kelvo
