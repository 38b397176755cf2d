#include "platform/warning_list.h"

namespace platform {
namespace {

// The length of the well-formed UTF-8 sequence at `at`, or 0.
size_t Utf8Length(std::string_view text, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 0 || at + length > text.size()) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
    }
    // No overlong forms, surrogates or code points past U+10FFFF, and no C1
    // controls, which some terminals act on.
    const unsigned char second = byte(at + 1);
    if (lead == 0xC2 && second < 0xA0) return 0;
    if (lead == 0xE0 && second < 0xA0) return 0;
    if (lead == 0xED && second > 0x9F) return 0;
    if (lead == 0xF0 && second < 0x90) return 0;
    if (lead == 0xF4 && second > 0x8F) return 0;
    return length;
}

} // namespace

void WarningList::Add(int line, const std::string& what) {
    if (++mCount > kMostShown) return;
    mShown.push_back(mFileName + (line > 0 ? ":" + std::to_string(line) : "") + ": " + what);
}

std::vector<std::string> WarningList::Lines() const {
    std::vector<std::string> lines = mShown;
    if (mCount > mShown.size()) {
        lines.push_back(mFileName + ": ... and " + std::to_string(mCount - mShown.size()) +
                        " more");
    }
    return lines;
}

void WarningList::Print(std::FILE* to) const {
    for (const std::string& line : Lines()) std::fprintf(to, "%s\n", line.c_str());
}

std::string QuoteForWarning(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "'";
    size_t at = 0, shown = 0;
    while (at < text.size() && shown < WarningList::kMostQuoted) {
        const auto c = static_cast<unsigned char>(text[at]);
        if (c >= 0x20 && c < 0x7F) {
            if (c == '\\') out += '\\';
            out += static_cast<char>(c);
            ++at;
        } else if (const size_t length = c >= 0x80 ? Utf8Length(text, at) : 0) {
            out.append(text.substr(at, length));
            at += length;
        } else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
            ++at;
        }
        ++shown;
    }
    out += '\'';
    if (at < text.size()) out += "... (" + std::to_string(text.size()) + " bytes)";
    return out;
}

} // namespace platform
