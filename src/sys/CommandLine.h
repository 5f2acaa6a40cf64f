#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "text/GbkText.h"

// A command line split into a program and its arguments, as the platform would take it: a
// quoted path is the program as it stands; else the program is the shortest leading run of
// words that names an executable file (so "/opt/My Player/mpv URL" works), else the first
// word. The rest, split at blanks, are the arguments. Nothing goes through a shell.
struct CommandLine {
    std::string program;  // UTF-8 for the file system
    std::vector<std::string> arguments;
};

CommandLine splitCommandLine(const GbkText& commandLine,
                             const std::function<bool(const std::filesystem::path&)>& isProgram);

bool isExecutableFile(const std::filesystem::path& path);
