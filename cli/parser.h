// A program's command line, declared once: the parser and the usage text are
// both made from the declarations, so --help lists exactly what is accepted.
//
//   bool verbose = false;
//   int64_t frames = 100;
//   std::string folder;
//   cli::Parser parser("stompvale-soak", "Plays the game for a long time.");
//   parser.Number("--frames", "N", frames, int64_t{1}, int64_t{1000000}, "frames to play")
//       .Flag("--verbose", verbose, "memory at every new game")
//       .Argument("FOLDER", folder, "where to write");
//   if (const std::optional<int> status = parser.Handle(argc, argv)) return *status;
//
// Options are "--name"; a value follows as the next argument or after "="
// ("--name VALUE", "--name=VALUE"). "--" ends the options. --help (-h) and
// --version are always there. Every mistake is one line naming it.
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/number.h"

namespace cli {

// The version the project's programs print.
const char* ProjectVersion();

// What a command line asks for.
enum class Outcome { Run, Help, Version, Error };

class Parser {
  public:
    // `summary`: what the program does, a sentence or two under the usage
    // lines, flowed to 79 columns (a blank line parts paragraphs).
    Parser(std::string program, std::string summary);

    // --name alone sets `target` to true.
    Parser& Flag(const std::string& name, bool& target, const std::string& help);
    // --name VALUE; an empty value is refused.
    Parser& Value(const std::string& name, const std::string& metavar, std::string& target,
                  const std::string& help);
    // --name N, a number within least .. most.
    template <CommandLineNumber T>
    Parser& Number(const std::string& name, const std::string& metavar, T& target, T least, T most,
                   const std::string& help) {
        return AddOption(name, metavar, help, [&target, least, most](const std::string& text) {
            return ParseNumber(text, least, most, target);
        });
    }

    // Arguments that are not options, in the order declared: required ones
    // first, then optional ones, then at most one list taking the rest.
    Parser& Argument(const std::string& metavar, std::string& target, const std::string& help);
    Parser& OptionalArgument(const std::string& metavar, std::string& target,
                             const std::string& help);
    template <CommandLineNumber T>
    Parser& OptionalNumberArgument(const std::string& metavar, T& target, T least, T most,
                                   const std::string& help) {
        AddArgument(metavar, help, 0, 1, [&target, least, most](const std::string& text) {
            return ParseNumber(text, least, most, target);
        });
        mSlots.back().number = true;
        return *this;
    }
    // At least `least` of them.
    Parser& Arguments(const std::string& metavar, std::vector<std::string>& target, size_t least,
                      const std::string& help);
    // The argument declared last may start with '-' (a text, say); a
    // declared option is still read as the option.
    Parser& TakesDashes();

    // At most one of these options may be given.
    Parser& Exclusive(const std::vector<std::string>& names);
    // `name` may be given only together with `needed`.
    Parser& Requires(const std::string& name, const std::string& needed);
    // Text after the list of options (exit statuses, files read, ...), as
    // it is written.
    Parser& Notes(const std::string& text);
    Parser& Version(const std::string& version);

    // Reads the arguments after the program's name, setting the targets.
    Outcome Parse(const std::vector<std::string>& arguments);
    Outcome Parse(int argc, char** argv);
    // After Outcome::Error: what is wrong, one line without the program's name.
    const std::string& Error() const { return mError; }
    // Whether the option was on the command line.
    bool Given(const std::string& name) const;

    const std::string& Program() const { return mProgram; }
    std::string Usage() const;
    std::string VersionLine() const;

    // Parse, then what the command line asks for is done here where it is
    // not running the program: the usage on `out`, exit 0; the version on
    // `out`, exit 0; the error as one line on `err`, exit 2. nullopt: run.
    std::optional<int> Handle(int argc, char** argv, std::FILE* out = stdout,
                              std::FILE* err = stderr);
    // Prints "program: problem" as one line on `err` and returns 2, for a
    // mistake in the arguments found after parsing.
    int Fail(const std::string& problem, std::FILE* err = stderr) const;

  private:
    // Empty when the text is taken, else why not.
    using Take = std::function<std::string(const std::string&)>;
    struct Option {
        std::string name, metavar, help; // metavar "" for a flag
        bool* flag = nullptr;
        Take take;
        bool given = false;
    };
    struct Slot {
        std::string metavar, help;
        size_t least = 1, most = 1;
        Take take;
        bool dashes = false;
        bool number = false; // then "-5" is this argument, not an option
    };

    Parser& AddOption(const std::string& name, const std::string& metavar, const std::string& help,
                      Take take);
    Parser& AddArgument(const std::string& metavar, const std::string& help, size_t least,
                        size_t most, Take take);
    Option* Find(const std::string& name);
    const Option* Find(const std::string& name) const;
    bool ReadOption(const std::vector<std::string>& arguments, size_t& i);
    bool ReadArgument(const std::string& text, std::vector<size_t>& counts);
    bool CheckCounts(const std::vector<size_t>& counts);
    bool CheckRelations();
    std::string Synopsis() const;
    std::string OptionList() const;

    std::string mProgram, mSummary, mNotes, mVersion;
    std::vector<Option> mOptions;
    std::vector<Slot> mSlots;
    std::vector<std::vector<std::string>> mExclusive;
    std::vector<std::pair<std::string, std::string>> mRequires;
    std::string mError;
};

} // namespace cli
