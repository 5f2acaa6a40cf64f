#include "text/TextPrimitives.h"

#include <climits>
#include <string>

namespace {

constexpr unsigned char kFullWidthLead = 0xA1;  // A1 A1 is the full-width blank
constexpr unsigned char kFullWidthFormLead = 0xA3;

unsigned char byteAt(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

bool isFullWidthBlankAt(std::string_view text, std::size_t i) {
    return i + 1 < text.size() && byteAt(text, i) == kFullWidthLead &&
           byteAt(text, i + 1) == kFullWidthLead;
}

// Answers "does a character start at this offset?" for offsets asked in rising order, in
// linear time overall: it walks back only over the bytes since the last known start.
class CharStartCursor {
  public:
    explicit CharStartCursor(std::string_view text) : text_(text) {}

    bool isCharStart(std::size_t offset) {
        if (offset < known_) known_ = 0;
        std::size_t leadRun = 0;
        std::size_t i = offset;
        // A byte outside the lead range always ends a character, so the byte after it
        // starts one; inside a run of lead-range bytes the characters pair up.
        while (i > known_ && isLeadByte(byteAt(text_, i - 1))) {
            --i;
            ++leadRun;
        }
        const bool start = leadRun % 2 == 0;
        known_ = start ? offset : offset + 1;
        return start;
    }

  private:
    std::string_view text_;
    std::size_t known_ = 0;  // an offset known to start a character
};

std::size_t rawFind(std::string_view text, std::string_view sought, std::size_t from) {
    // memchr for the first byte, then a compare: linear on ordinary text, and unlike memmem
    // it is not rescanned in full by sanitizer interceptors on every call.
    return text.find(sought, from);
}

// Visits the offsets of character-aligned occurrences left to right until `visit` says stop.
// The next search starts past the match, or one byte on when overlaps are wanted.
template <typename Visit>
void forEachOccurrence(std::string_view text, std::string_view sought, std::size_t from,
                       bool skipPastMatch, Visit visit) {
    CharStartCursor cursor(text);
    std::size_t pos = from;
    while (true) {
        const std::size_t hit = rawFind(text, sought, pos);
        if (hit == std::string_view::npos) return;
        if (cursor.isCharStart(hit)) {
            if (!visit(hit)) return;
            pos = skipPastMatch ? hit + sought.size() : hit + 1;
        } else {
            pos = hit + 1;
        }
    }
}

std::size_t firstOccurrence(std::string_view text, std::string_view sought, std::size_t from) {
    std::size_t found = std::string_view::npos;
    forEachOccurrence(text, sought, from, true, [&](std::size_t hit) {
        found = hit;
        return false;
    });
    return found;
}

// The text and the sought text as a search sees them: lower-cased copies when folding case.
class SearchPair {
  public:
    SearchPair(std::string_view text, std::string_view sought, bool caseInsensitive)
        : text_(text), sought_(sought) {
        if (caseInsensitive) {
            foldedText_ = toLowerText(text);
            foldedSought_ = toLowerText(sought);
            text_ = foldedText_;
            sought_ = foldedSought_;
        }
    }
    SearchPair(const SearchPair&) = delete;
    SearchPair& operator=(const SearchPair&) = delete;

    std::string_view text() const { return text_; }
    std::string_view sought() const { return sought_; }

  private:
    GbkText foldedText_;
    GbkText foldedSought_;
    std::string_view text_;
    std::string_view sought_;
};

char foldLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char foldUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

template <typename Fold>
GbkText foldText(std::string_view text, Fold fold) {
    GbkText out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(out[i]))) {
            ++i;  // the trail byte stays as it is
        } else {
            out[i] = fold(out[i]);
        }
    }
    return out;
}

std::size_t clampToSize(TextPos n, std::size_t size) {
    if (n <= 0) return 0;
    return static_cast<unsigned long long>(n) >= size ? size : static_cast<std::size_t>(n);
}

}  // namespace

TextPos findText(std::string_view text, std::string_view sought, TextPos start,
                 bool caseInsensitive) {
    const std::size_t from = start < 2 ? 0 : static_cast<std::size_t>(start - 1);
    if (start >= 2 && static_cast<unsigned long long>(start - 1) >= text.size()) return kNotFound;
    if (text.empty()) return kNotFound;
    if (sought.empty()) return 1;
    const SearchPair search(text, sought, caseInsensitive);
    const std::size_t hit = firstOccurrence(search.text(), search.sought(), from);
    return hit == std::string_view::npos ? kNotFound : static_cast<TextPos>(hit) + 1;
}

TextPos findTextReverse(std::string_view text, std::string_view sought,
                        std::optional<TextPos> start, bool caseInsensitive) {
    if (start && *start <= 1) return kNotFound;
    std::size_t limit = text.size();
    if (start && static_cast<unsigned long long>(*start) <= text.size()) {
        limit = static_cast<std::size_t>(*start - 1);
    }
    if (limit == 0) return kNotFound;
    if (sought.empty()) return 1;
    // Character starts are only known walking forwards, so scan forwards and keep the last.
    const SearchPair search(text.substr(0, limit), sought, caseInsensitive);
    std::size_t last = std::string_view::npos;
    forEachOccurrence(search.text(), search.sought(), 0, false, [&](std::size_t hit) {
        last = hit;
        return true;
    });
    return last == std::string_view::npos ? kNotFound : static_cast<TextPos>(last) + 1;
}

GbkText leftBytes(std::string_view text, TextPos count) {
    return GbkText(text.substr(0, clampToSize(count, text.size())));
}

GbkText rightBytes(std::string_view text, TextPos count) {
    const std::size_t n = clampToSize(count, text.size());
    return GbkText(text.substr(text.size() - n));
}

GbkText middleBytes(std::string_view text, TextPos start, TextPos count) {
    if (start < 1 || count <= 0 || static_cast<unsigned long long>(start) > text.size()) return {};
    const std::size_t from = static_cast<std::size_t>(start - 1);
    return GbkText(text.substr(from, clampToSize(count, text.size() - from)));
}

GbkText bytesFrom(std::string_view text, TextPos start) {
    if (start < 1) start = 1;
    if (static_cast<unsigned long long>(start) > text.size()) return {};
    return GbkText(text.substr(static_cast<std::size_t>(start - 1)));
}

GbkText trimText(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size()) {
        if (text[begin] == ' ') {
            ++begin;
        } else if (isFullWidthBlankAt(text, begin)) {
            begin += 2;
        } else {
            break;
        }
    }
    // The end is found walking forwards, so that A1 A1 counts only as a whole character.
    std::size_t end = begin;
    std::size_t i = begin;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
        } else if (isFullWidthBlankAt(text, i)) {
            i += 2;
        } else {
            i += (isLeadByte(byteAt(text, i)) && i + 1 < text.size()) ? 2 : 1;
            end = i;
        }
    }
    return GbkText(text.substr(begin, end - begin));
}

void forEachPiece(std::string_view text, std::string_view delimiter,
                  const std::function<void(std::string_view)>& piece) {
    if (text.empty()) return;
    if (delimiter.empty()) {
        piece(text);
        return;
    }
    std::size_t pieceStart = 0;
    forEachOccurrence(text, delimiter, 0, true, [&](std::size_t hit) {
        piece(text.substr(pieceStart, hit - pieceStart));
        pieceStart = hit + delimiter.size();
        return true;
    });
    if (pieceStart < text.size()) piece(text.substr(pieceStart));
}

std::vector<GbkText> splitText(std::string_view text, std::string_view delimiter) {
    std::vector<GbkText> pieces;
    forEachPiece(text, delimiter, [&](std::string_view one) { pieces.emplace_back(one); });
    return pieces;
}

GbkText joinText(const std::vector<GbkText>& pieces, std::string_view delimiter) {
    GbkText out;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) out.append(delimiter);
        out.append(pieces[i]);
    }
    return out;
}

GbkText replaceText(std::string_view text, std::string_view sought, std::string_view replacement,
                    bool caseInsensitive) {
    if (sought.empty() || text.empty()) return GbkText(text);
    const SearchPair search(text, sought, caseInsensitive);
    GbkText out;
    std::size_t copied = 0;
    forEachOccurrence(search.text(), search.sought(), 0, true, [&](std::size_t hit) {
        out.append(text.substr(copied, hit - copied));
        out.append(replacement);
        copied = hit + sought.size();
        return true;
    });
    out.append(text.substr(copied));
    return out;
}

GbkText toLowerText(std::string_view text) { return foldText(text, foldLower); }
GbkText toUpperText(std::string_view text) { return foldText(text, foldUpper); }

bool equalsText(std::string_view a, std::string_view b, bool caseInsensitive) {
    if (!caseInsensitive) return a == b;
    return a.size() == b.size() && toLowerText(a) == toLowerText(b);
}

bool startsWithText(std::string_view text, std::string_view prefix, bool caseInsensitive) {
    return text.size() >= prefix.size() &&
           equalsText(text.substr(0, prefix.size()), prefix, caseInsensitive);
}

int textToInteger(std::string_view text) {
    std::size_t i = 0;
    auto isAsciiSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (i < text.size()) {
        if (isAsciiSpace(text[i])) {
            ++i;
        } else if (isFullWidthBlankAt(text, i)) {
            i += 2;
        } else {
            break;
        }
    }
    auto fullWidthAt = [&](std::size_t at, unsigned char second) {
        return at + 1 < text.size() && byteAt(text, at) == kFullWidthFormLead &&
               byteAt(text, at + 1) == second;
    };
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    } else if (fullWidthAt(i, 0xAB) || fullWidthAt(i, 0xAD)) {  // full-width plus, minus
        negative = byteAt(text, i + 1) == 0xAD;
        i += 2;
    }
    long long value = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    while (i < text.size()) {
        int digit;
        if (text[i] >= '0' && text[i] <= '9') {
            digit = text[i] - '0';
            ++i;
        } else if (i + 1 < text.size() && byteAt(text, i) == kFullWidthFormLead &&
                   byteAt(text, i + 1) >= 0xB0 && byteAt(text, i + 1) <= 0xB9) {
            digit = byteAt(text, i + 1) - 0xB0;
            i += 2;
        } else {
            break;
        }
        value = value * 10 + digit;
        if (value > limit) value = limit;  // saturate, keep reading the digits
    }
    return static_cast<int>(negative ? -value : value);
}
