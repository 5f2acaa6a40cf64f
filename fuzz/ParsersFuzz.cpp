// The small parsers above the text layer: JSON string content, import lines, date pictures,
// file filters and INI values.
#include <unistd.h>

#include <filesystem>

#include "files/DateTimeFormat.h"
#include "files/FileBytes.h"
#include "files/FileFilterText.h"
#include "files/IniFile.h"
#include "files/RoomImport.h"
#include "fuzz/FuzzInput.h"
#include "service/JsonStringContent.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string text = in.next();
    const std::string picture = in.next();
    const std::string key = in.next();
    decodeJsonStringContent(text);
    roomNumbersOf(text);
    parseFileFilter(text);
    formatWithPictures({2024, 5, 6, 13, 5, 9}, picture, text, (size & 1) != 0);
    if (const auto t = calendarFromAutomationDate(static_cast<double>(in.number()) / 1000.0)) {
        if (t->month < 1 || t->month > 12 || t->day < 1 || t->day > 31 || t->hour > 23) {
            __builtin_trap();
        }
    }
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("trovelin-fuzz-" + std::to_string(getpid()) + ".conf");
    writeFileBytes(file, text);
    readIniValue(file, "config", key);
    writeIniValue(file, "config", key, picture);
    readIniValue(file, "config", key);
    return 0;
}
