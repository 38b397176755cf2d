#include "platform/setting_lines.h"

#include "vb/strings.h"

namespace platform {

std::string TrimSetting(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

void ReadSettingLines(
    const std::string& fileText, const std::string& form, WarningList& problems,
    const std::function<std::string(const std::string& name, const std::string& value)>& take) {
    const std::string_view text = vb::WithoutByteOrderMark(fileText);
    size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line(text.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        const size_t comment = line.find_first_of(";#");
        if (comment != std::string::npos) line.resize(comment);
        line = TrimSetting(line);
        if (line.empty()) continue;
        const size_t equals = line.find('=');
        const std::string why =
            equals == std::string::npos
                ? "expected " + form
                : take(TrimSetting(line.substr(0, equals)), TrimSetting(line.substr(equals + 1)));
        if (!why.empty()) problems.Add(lineNumber, why + " (line ignored)");
    }
}

} // namespace platform
