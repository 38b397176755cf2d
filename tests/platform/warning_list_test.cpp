// Warnings about a player's file: a screenful at most, and what they quote
// shown safely and short.
#include <gtest/gtest.h>

#include "platform/warning_list.h"

using platform::QuoteForWarning;

TEST(WarningList, QuotesAreShortAndShowNoControlBytes) {
    struct Case {
        std::string text;
        std::string quoted;
    };
    const std::string long81(81, 'x');
    const Case cases[] = {
        {"Jump", "'Jump'"},
        {"", "''"},
        {"back\\slash", "'back\\\\slash'"},
        {std::string("\0\t\r\x1B\x7F", 5), "'\\x00\\x09\\x0D\\x1B\\x7F'"},
        {"Spr\xC3\xBCnge \xE2\x86\x92", "'Spr\xC3\xBCnge \xE2\x86\x92'"}, // UTF-8 kept
        {"\xC3", "'\\xC3'"},                                              // cut short
        {"\xC0\xAF", "'\\xC0\\xAF'"},                                     // overlong
        {"\xED\xA0\x80", "'\\xED\\xA0\\x80'"},                            // a surrogate
        {"\xC2\x9B"
         "31m",
         "'\\xC2\\x9B31m'"}, // a C1 control (CSI)
        {std::string(80, 'x'), "'" + std::string(80, 'x') + "'"},
        {long81, "'" + std::string(80, 'x') + "'... (81 bytes)"},
        {std::string(80, '\x01') + "y", "'" +
                                            [] {
                                                std::string s;
                                                for (int i = 0; i < 80; ++i) s += "\\x01";
                                                return s;
                                            }() +
                                            "'... (81 bytes)"},
    };
    for (const Case& c : cases) EXPECT_EQ(QuoteForWarning(c.text), c.quoted) << c.quoted;
}

TEST(WarningList, ShowsTheFirstTwentyThenCountsTheRest) {
    struct Case {
        int added;
        size_t lines;
        std::string last;
    };
    for (const Case& c :
         {Case{0, 0, ""}, Case{1, 1, "F:1: line 1"}, Case{20, 20, "F:20: line 20"},
          Case{21, 21, "F: ... and 1 more"}, Case{5000, 21, "F: ... and 4980 more"}}) {
        platform::WarningList list("F");
        for (int i = 1; i <= c.added; ++i) list.Add(i, "line " + std::to_string(i));
        const std::vector<std::string> lines = list.Lines();
        ASSERT_EQ(lines.size(), c.lines) << c.added;
        if (!lines.empty()) {
            EXPECT_EQ(lines.back(), c.last) << c.added;
        }
        EXPECT_EQ(list.Count(), static_cast<size_t>(c.added));
    }
    platform::WarningList file("F");
    file.Add(0, "about the whole file");
    EXPECT_EQ(file.Lines(), std::vector<std::string>{"F: about the whole file"});
}
