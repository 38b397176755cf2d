// Numbers on a command line are all number or refused, and within their range.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "cli/number.h"

namespace {

// What ParseNumber says of `text` for T within least .. most: the number, or
// the start of its reason.
struct Case {
    std::string text;
    bool taken;
    double value;        // when taken
    std::string refusal; // when not: how the reason starts after the quoted text
};

template <class T> void Check(const std::vector<Case>& cases, T least, T most) {
    for (const Case& c : cases) {
        T out = T{3}; // kept when refused
        const std::string reason = cli::ParseNumber(c.text, least, most, out);
        if (c.taken) {
            EXPECT_EQ(reason, "") << "'" << c.text << "'";
            EXPECT_EQ(static_cast<double>(out), c.value) << "'" << c.text << "'";
        } else {
            EXPECT_EQ(reason.rfind("'" + c.text + "' " + c.refusal, 0), 0u)
                << "'" << c.text << "': " << reason;
            EXPECT_EQ(out, T{3}) << "'" << c.text << "' changed the target";
        }
    }
}

const std::string kNotWhole = "is not a whole number";
const std::string kNotNumber = "is not a number";
const std::string kOutside = "is out of range";

TEST(CommandLineNumber, WholeNumbersAreAllDigitsAndWithinTheirRange) {
    Check<int64_t>(
        {
            {"0", true, 0, ""},
            {"42", true, 42, ""},
            {"-7", true, -7, ""},
            {"007", true, 7, ""},
            {"1000", true, 1000, ""},
            {"-1000", true, -1000, ""},
            {"", false, 0, kNotWhole},
            {"abc", false, 0, kNotWhole},
            {"12x", false, 0, kNotWhole},
            {"x12", false, 0, kNotWhole},
            {" 12", false, 0, kNotWhole},
            {"12 ", false, 0, kNotWhole},
            {"+5", false, 0, kNotWhole},
            {"1.5", false, 0, kNotWhole},
            {"1e3", false, 0, kNotWhole},
            {"0x10", false, 0, kNotWhole},
            {"-", false, 0, kNotWhole},
            {"--5", false, 0, kNotWhole},
            {"1001", false, 0, kOutside},
            {"-1001", false, 0, kOutside},
            {"99999999999999999999", false, 0, kOutside},
            {"-99999999999999999999", false, 0, kOutside},
        },
        int64_t{-1000}, int64_t{1000});
}

TEST(CommandLineNumber, TheWholeRangeOfTheTypeAndNoFurther) {
    Check<int64_t>({{"9223372036854775807", true, 9223372036854775807.0, ""},
                    {"9223372036854775808", false, 0, kOutside}},
                   std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max());
    Check<int>({{"2147483647", true, 2147483647, ""}, {"2147483648", false, 0, kOutside}},
               std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    // Unsigned: a minus sign is below the range, not malformed; -0 is 0.
    Check<uint64_t>({{"18446744073709551615", true, 18446744073709551615.0, ""},
                     {"18446744073709551616", false, 0, kOutside},
                     {"-1", false, 0, kOutside},
                     {"-0", true, 0, ""},
                     {"-x", false, 0, kNotWhole},
                     {"-", false, 0, kNotWhole}},
                    uint64_t{0}, std::numeric_limits<uint64_t>::max());
    Check<uint64_t>({{"-0", false, 0, kOutside}, {"0", false, 0, kOutside}, {"1", true, 1, ""}},
                    uint64_t{1}, uint64_t{10});
}

TEST(CommandLineNumber, RealNumbersAreFiniteDecimalsWithinTheirRange) {
    Check<double>(
        {
            {"1.5", true, 1.5, ""},
            {"-100", true, -100, ""},
            {"100", true, 100, ""},
            {".5", true, 0.5, ""},
            {"1e2", true, 100, ""},
            {"0", true, 0, ""},
            {"", false, 0, kNotNumber},
            {"loud", false, 0, kNotNumber},
            {"1.5x", false, 0, kNotNumber},
            {"1,5", false, 0, kNotNumber},
            {"+1", false, 0, kNotNumber},
            {"nan", false, 0, kNotNumber},
            {"inf", false, 0, kNotNumber},
            {"-inf", false, 0, kNotNumber},
            {"0x10", false, 0, kNotNumber},
            {"100.5", false, 0, kOutside},
            {"-200", false, 0, kOutside},
            {"1e999", false, 0, kOutside},
        },
        -100.0, 100.0);
}

TEST(CommandLineNumber, TheReasonNamesTheRange) {
    int out = 0;
    EXPECT_EQ(cli::ParseNumber("150", -100, 100, out), "'150' is out of range -100 .. 100");
    double real = 0;
    EXPECT_EQ(cli::ParseNumber("2000", -1000.0, 1000.0, real),
              "'2000' is out of range -1000 .. 1000");
}

} // namespace
