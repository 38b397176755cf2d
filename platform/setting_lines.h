// The "Name = value" lines of the files a player may edit by hand
// (Controls.ini, Settings.ini), read with one set of rules so that they
// forgive the same things.
#pragma once

#include <functional>
#include <string>

#include "platform/warning_list.h"

namespace platform {

// Calls `take` with each line's name and value, trimmed of spaces and tabs.
// Names and values may not hold ';' or '#': either starts a comment. A
// byte-order mark before the first line is skipped; lines end in LF or CR LF.
// `take` returns "" when it took the line, or why it did not; that, and a
// line without '=' ("expected FORM"), goes to `problems` as
// "why (line ignored)".
void ReadSettingLines(
    const std::string& text, const std::string& form, WarningList& problems,
    const std::function<std::string(const std::string& name, const std::string& value)>& take);

// Spaces, tabs and CRs trimmed from both ends.
std::string TrimSetting(const std::string& text);

} // namespace platform
