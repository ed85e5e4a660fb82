#include "instrument/ProgramFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "TempFolder.h"

namespace varnex {
namespace {

struct Layout {
    testing::TempFolder root;
    std::map<std::string, std::string> variables;

    Layout() { std::filesystem::create_directories(root.path() / "home"); }
    std::filesystem::path at(const char* relative) const { return root.path() / relative; }
    void file(const char* relative) const {
        std::filesystem::create_directories(at(relative).parent_path());
        std::ofstream(at(relative)) << "help\r\n";
    }
    ProgramFiles locate(const char* programFolder) const {
        std::filesystem::create_directories(at(programFolder));
        return locateProgramFiles(at(programFolder), [this](const char* name) -> const char* {
            const auto found = variables.find(name);
            return found == variables.end() ? nullptr : found->second.c_str();
        });
    }
};

TEST(ProgramFiles, APortableCopyKeepsEverythingBesideItself) {
    Layout layout;
    layout.file("portable/MyHelp.txt");
    layout.file("share/varnex/MyHelp.txt");  // beside wins over an installed copy
    layout.variables["HOME"] = layout.at("home").string();
    const ProgramFiles files = layout.locate("portable");
    EXPECT_FALSE(files.installed);
    EXPECT_EQ(files.helpFolder, layout.at("portable"));
    EXPECT_EQ(files.settingsFile, layout.at("portable") / "Varnexinit");

    // Without a help text anywhere: beside the program, as before.
    const ProgramFiles lost = layout.locate("lost/bin");
    EXPECT_FALSE(lost.installed);
    EXPECT_EQ(lost.settingsFile, layout.at("lost/bin") / "Varnexinit");
}

TEST(ProgramFiles, AnInstalledProgramKeepsEachUsersSettingsInTheirConfiguration) {
    Layout layout;
    layout.file("usr/share/varnex/MyHelp.txt");
    struct Row {
        const char* name;
        std::map<std::string, std::string> variables;
        std::optional<std::string> settings;  // relative to the root
    };
    const std::string home = layout.at("home").string();
    const Row rows[] = {
        {"XDG_CONFIG_HOME",
         {{"HOME", home}, {"XDG_CONFIG_HOME", layout.at("cfg").string()}},
         "cfg/varnex/Varnexinit"},
        {"HOME only", {{"HOME", home}}, "home/.config/varnex/Varnexinit"},
        {"relative XDG_CONFIG_HOME is ignored",
         {{"HOME", home}, {"XDG_CONFIG_HOME", "cfg"}},
         "home/.config/varnex/Varnexinit"},
        {"empty XDG_CONFIG_HOME is ignored",
         {{"HOME", home}, {"XDG_CONFIG_HOME", ""}},
         "home/.config/varnex/Varnexinit"},
        {"no HOME", {}, std::nullopt},
        {"HOME not a folder",
         {{"HOME", layout.at("usr/share/varnex/MyHelp.txt").string()}},
         std::nullopt},
    };
    for (const Row& row : rows) {
        layout.variables = row.variables;
        const ProgramFiles files = layout.locate("usr/bin");
        EXPECT_TRUE(files.installed) << row.name;
        EXPECT_EQ(files.helpFolder, layout.at("usr/share/varnex")) << row.name;
        if (row.settings)
            EXPECT_EQ(files.settingsFile, layout.at(row.settings->c_str())) << row.name;
        else
            EXPECT_FALSE(files.settingsFile) << row.name;
    }
}

}  // namespace
}  // namespace varnex
