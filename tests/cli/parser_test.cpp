// The command-line parser: what each command line sets, and the one line it
// gives for each mistake.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/parser.h"

namespace {

using cli::Outcome;

// Every kind of declaration, and the values they set.
struct Declared {
    int frames = 7;
    double volume = 100;
    std::string name = "none", folder, extra;
    std::vector<std::string> rest;
    bool verbose = false, window = false, full = false, headless = false, replay = false;
    cli::Parser parser{"prog", "Does a thing."};

    Declared() {
        parser.Number("--frames", "N", frames, 1, 100, "frames to play")
            .Number("--volume", "V", volume, -100.0, 100.0, "loudness")
            .Value("--name", "NAME", name, "who")
            .Flag("--verbose", verbose, "more")
            .Flag("--window", window, "a window")
            .Flag("--fullscreen", full, "the whole screen")
            .Flag("--replay", replay, "play back")
            .Flag("--headless", headless, "no window")
            .Exclusive({"--window", "--fullscreen"})
            .Requires("--headless", "--replay")
            .Argument("FOLDER", folder, "where")
            .OptionalArgument("EXTRA", extra, "what else");
    }
};

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

struct Case {
    std::string line;
    Outcome outcome;
    std::string error; // after Outcome::Error: the whole line
};

TEST(CommandLineParser, EachMistakeIsNamed) {
    const std::vector<Case> cases = {
        {"dir", Outcome::Run, ""},
        {"dir more", Outcome::Run, ""},
        {"", Outcome::Error, "missing FOLDER"},
        {"dir more again", Outcome::Error, "unexpected argument 'again'"},
        {"dir --bogus", Outcome::Error, "unknown option --bogus"},
        {"--bogus=3 dir", Outcome::Error, "unknown option --bogus"},
        {"-x dir", Outcome::Error, "unknown option -x"},
        {"dir --frames", Outcome::Error, "--frames needs a value (N)"},
        {"dir --frames=", Outcome::Error, "--frames needs a value (N)"},
        {"dir --frames --verbose", Outcome::Error, "--frames needs a value (N)"},
        {"dir --frames -- 5", Outcome::Error, "--frames needs a value (N)"},
        {"dir --frames abc", Outcome::Error, "--frames: 'abc' is not a whole number"},
        {"dir --frames 12x", Outcome::Error, "--frames: '12x' is not a whole number"},
        {"dir --frames=1.5", Outcome::Error, "--frames: '1.5' is not a whole number"},
        {"dir --frames 0", Outcome::Error, "--frames: '0' is out of range 1 .. 100"},
        {"dir --frames 101", Outcome::Error, "--frames: '101' is out of range 1 .. 100"},
        {"dir --frames 99999999999999999999", Outcome::Error,
         "--frames: '99999999999999999999' is out of range 1 .. 100"},
        {"dir --volume loud", Outcome::Error, "--volume: 'loud' is not a number"},
        {"dir --volume=-150", Outcome::Error, "--volume: '-150' is out of range -100 .. 100"},
        {"dir --name", Outcome::Error, "--name needs a value (NAME)"},
        {"dir --name=", Outcome::Error, "--name needs a value (NAME)"},
        {"dir --verbose=1", Outcome::Error, "--verbose takes no value"},
        {"dir --window --fullscreen", Outcome::Error,
         "--window and --fullscreen exclude each other"},
        {"dir --fullscreen --window", Outcome::Error,
         "--window and --fullscreen exclude each other"},
        {"dir --headless", Outcome::Error, "--headless needs --replay"},
        {"dir --headless --replay", Outcome::Run, ""},
        {"--help", Outcome::Help, ""},
        {"-h", Outcome::Help, ""},
        {"--bogus --frames abc --help", Outcome::Help, ""},
        {"--version", Outcome::Version, ""},
        {"--version --help", Outcome::Help, ""},
        {"dir -- --help", Outcome::Run, ""},
        {"-- --bogus", Outcome::Run, ""},
        {"-", Outcome::Run, ""},
    };
    for (const Case& c : cases) {
        Declared d;
        EXPECT_EQ(d.parser.Parse(Split(c.line)), c.outcome) << c.line << ": " << d.parser.Error();
        EXPECT_EQ(d.parser.Error(), c.error) << c.line;
    }
}

TEST(CommandLineParser, ValuesFollowTheirOptionOrAnEqualsSign) {
    Declared e;
    ASSERT_EQ(e.parser.Parse(Split("--frames 5 --name=a=b --volume -50 dir --verbose more")),
              Outcome::Run)
        << e.parser.Error();
    EXPECT_EQ(e.frames, 5);
    EXPECT_EQ(e.name, "a=b");
    EXPECT_EQ(e.volume, -50);
    EXPECT_TRUE(e.verbose);
    EXPECT_EQ(e.folder, "dir");
    EXPECT_EQ(e.extra, "more");
    EXPECT_TRUE(e.parser.Given("--frames"));
    EXPECT_FALSE(e.parser.Given("--window"));

    Declared f;
    ASSERT_EQ(f.parser.Parse(Split("--frames=9 --volume=.5 --name x --frames 10 -- --odd")),
              Outcome::Run)
        << f.parser.Error();
    EXPECT_EQ(f.frames, 10); // the last one given
    EXPECT_EQ(f.volume, 0.5);
    EXPECT_EQ(f.name, "x");
    EXPECT_EQ(f.folder, "--odd");
    EXPECT_EQ(f.extra, "");
    EXPECT_FALSE(f.verbose);
}

TEST(CommandLineParser, ArgumentCountsAndListsTakeTheirShare) {
    struct Counted {
        std::string line;
        Outcome outcome;
        std::string error;
        size_t listed;
    };
    const std::vector<Counted> cases = {
        {"in", Outcome::Error, "missing FILE", 0},
        {"in a", Outcome::Run, "", 1},
        {"in a b c", Outcome::Run, "", 3},
        {"", Outcome::Error, "missing INPUT", 0},
        {"in a -", Outcome::Run, "", 2},
        {"in a -b", Outcome::Error, "unknown option -b", 0},
    };
    for (const Counted& c : cases) {
        std::string input;
        std::vector<std::string> files;
        cli::Parser parser("prog", "");
        parser.Argument("INPUT", input, "").Arguments("FILE", files, 1, "");
        EXPECT_EQ(parser.Parse(Split(c.line)), c.outcome) << c.line;
        EXPECT_EQ(parser.Error(), c.error) << c.line;
        if (c.outcome == Outcome::Run) {
            EXPECT_EQ(files.size(), c.listed) << c.line;
        }
    }
}

TEST(CommandLineParser, DashedTextAndNegativeNumbersAsArguments) {
    std::string font, text, out;
    bool verbose = false;
    cli::Parser words("words", "");
    words.Argument("FONT", font, "")
        .Argument("TEXT", text, "")
        .TakesDashes()
        .Argument("OUT", out, "")
        .Flag("--verbose", verbose, "");
    EXPECT_EQ(words.Parse(Split("f -5-points o.gif")), Outcome::Run) << words.Error();
    EXPECT_EQ(text, "-5-points");
    EXPECT_EQ(words.Parse(Split("f --verbose o.gif")), Outcome::Error);
    EXPECT_EQ(words.Error(), "missing OUT"); // an option stays an option
    EXPECT_EQ(words.Parse(Split("-f t o.gif")), Outcome::Error);
    EXPECT_EQ(words.Error(), "unknown option -f");

    int blocks = 4000;
    cli::Parser bench("bench", "");
    bench.OptionalNumberArgument("BLOCKS", blocks, 10, 1000, "");
    EXPECT_EQ(bench.Parse(Split("-5")), Outcome::Error);
    EXPECT_EQ(bench.Error(), "BLOCKS: '-5' is out of range 10 .. 1000");
    EXPECT_EQ(bench.Parse(Split("abc")), Outcome::Error);
    EXPECT_EQ(bench.Error(), "BLOCKS: 'abc' is not a whole number");
    EXPECT_EQ(bench.Parse(Split("")), Outcome::Run);
    EXPECT_EQ(blocks, 4000);
    EXPECT_EQ(bench.Parse(Split("20")), Outcome::Run);
    EXPECT_EQ(blocks, 20);
    EXPECT_EQ(bench.Parse(Split("20 30")), Outcome::Error);
    EXPECT_EQ(bench.Error(), "unexpected argument '30'");
}

// What Handle printed on each stream, and the status it asked for.
struct Handled {
    std::optional<int> status;
    std::string out, err;
};

std::string ReadBack(std::FILE* file) {
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
    std::fclose(file);
    return text;
}

Handled Handle(cli::Parser& parser, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "prog");
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Handled h;
    h.status = parser.Handle(static_cast<int>(argv.size()), argv.data(), out, err);
    h.out = ReadBack(out);
    h.err = ReadBack(err);
    return h;
}

TEST(CommandLineParser, HelpAndVersionOnStdoutErrorsAsOneLineOnStderr) {
    Declared d;
    d.parser.Version("9.9");
    const Handled help = Handle(d.parser, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, d.parser.Usage());
    EXPECT_EQ(help.err, "");
    const Handled version = Handle(d.parser, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "prog 9.9\n");
    EXPECT_EQ(version.err, "");
    const Handled bad = Handle(d.parser, {"dir", "--frames", "abc"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, "prog: --frames: 'abc' is not a whole number (see --help)\n");
    const Handled run = Handle(d.parser, {"dir"});
    EXPECT_EQ(run.status, std::nullopt);
    EXPECT_EQ(run.out + run.err, "");
}

TEST(CommandLineParser, TheUsageListsWhatIsDeclared) {
    Declared d;
    d.parser.Notes("Exit status: 0.");
    const std::string usage = d.parser.Usage();
    EXPECT_EQ(usage.rfind("usage: prog [--frames N] [--volume V] [--name NAME] [--verbose]\n"
                          "            [--window | --fullscreen] [--replay] [--headless] FOLDER "
                          "[EXTRA]\n"
                          "       prog --help | --version\n"
                          "\n"
                          "Does a thing.\n"
                          "\n",
                          0),
              0u)
        << usage;
    for (const char* row :
         {"\n  FOLDER        where\n", "\n  EXTRA         what else\n",
          "\n  --frames N    frames to play\n", "\n  --name NAME   who\n",
          "\n  --verbose     more\n", "\n  --fullscreen  the whole screen\n",
          "\n  -h, --help    this text\n", "\n  --version     the program's name and version\n"})
        EXPECT_NE(usage.find(row), std::string::npos) << row << "\n" << usage;
    EXPECT_TRUE(usage.ends_with("\nExit status: 0.\n")) << usage;
}

TEST(CommandLineParser, LongTextsWrapWithinTheirColumns) {
    bool flag = false;
    std::vector<std::string> files;
    const std::string words = "word word word word word word word word word word word word word "
                              "word word word word word word word word word word";
    cli::Parser parser("prog", words + "\nword " + words + "\n\nSecond paragraph.");
    parser.Flag("--flag", flag, words).Arguments("FILE", files, 0, "");
    const std::string usage = parser.Usage();
    EXPECT_NE(usage.find("usage: prog [--flag] [FILE...]\n"), std::string::npos) << usage;
    EXPECT_NE(usage.find("word\n\nSecond paragraph.\n\n  --flag"), std::string::npos) << usage;
    std::istringstream lines(usage);
    int continued = 0, summary = 0;
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 79u) << line;
        if (line.rfind(std::string(14, ' ') + "word", 0) == 0) ++continued;
        if (line.rfind("word", 0) == 0) ++summary;
    }
    EXPECT_EQ(continued, 1) << usage;
    // 47 words of 5 columns: 16 to a line, the line break in the text flowed.
    EXPECT_EQ(summary, 3) << usage;

    cli::Parser bare("bare", "");
    EXPECT_EQ(bare.Usage().rfind("usage: bare\n       bare --help | --version\n\n  -h, --help", 0),
              0u)
        << bare.Usage();
}

} // namespace
