#include "sys/CommandLine.h"

#include <unistd.h>

#include <system_error>

#include "text/Charset.h"
#include "text/TextPrimitives.h"

bool isExecutableFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

namespace {

// Where the program's name ends: at the first blank after a run of words naming a program.
std::size_t programEnd(const std::string& line,
                       const std::function<bool(const std::filesystem::path&)>& isProgram) {
    for (std::size_t blank = line.find(' '); blank != std::string::npos;
         blank = line.find(' ', blank + 1)) {
        if (blank > 0 && isProgram(line.substr(0, blank))) return blank;
    }
    if (isProgram(line)) return std::string::npos;
    return line.find(' ');
}

}  // namespace

CommandLine splitCommandLine(const GbkText& commandLine,
                             const std::function<bool(const std::filesystem::path&)>& isProgram) {
    const std::string line = gbkToUtf8(commandLine);
    CommandLine result;
    std::size_t rest = std::string::npos;
    const std::size_t closing = line.starts_with('"') ? line.find('"', 1) : std::string::npos;
    if (closing != std::string::npos) {
        result.program = line.substr(1, closing - 1);
        rest = closing + 1;
    } else {
        const std::size_t end = programEnd(line, isProgram);
        result.program = line.substr(0, end);
        if (end != std::string::npos) rest = end + 1;
    }
    if (rest == std::string::npos || rest >= line.size()) return result;
    for (const std::string& word : splitText(std::string_view(line).substr(rest), " ")) {
        if (!word.empty()) result.arguments.push_back(word);
    }
    return result;
}
