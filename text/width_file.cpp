#include "text/width_file.h"

#include <cstdio>

#include "vb/runtime_error.h"

std::string WidthFileText(const CharacterWidths& widths) {
    std::string text = "<CHARACTERS>\r\n";
    for (int code = 32; code <= 122; ++code) {
        // The character is written as it is, "<" and ">" included: the reader
        // takes the widths all the same.
        text += "\t<ASCII>" + std::to_string(code) + "</ASCII><CHR>" +
                std::string(1, static_cast<char>(code)) + "</CHR><WIDTH>" +
                std::to_string(widths[code - 32]) + "</WIDTH>\r\n";
    }
    return text + "</CHARACTERS>\r\n";
}

void WriteWidthFile(const std::string& path, const CharacterWidths& widths) {
    const std::string text = WidthFileText(widths);
    FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file != nullptr && std::fclose(file) != 0) written = false;
    if (!written)
        throw vb::RuntimeError(vb::kErrPathFileAccess, "Path/File access error: '" + path + "'");
}
