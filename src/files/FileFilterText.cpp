#include "files/FileFilterText.h"

#include "text/TextPrimitives.h"

FileFilter parseFileFilter(const GbkText& filter) {
    const std::vector<GbkText> pieces = splitText(filter, "|");
    FileFilter pairs;
    for (std::size_t i = 0; i < pieces.size(); i += 2) {
        pairs.emplace_back(pieces[i], i + 1 < pieces.size() ? pieces[i + 1] : GbkText());
    }
    return pairs;
}
