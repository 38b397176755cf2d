#include "cli/parser.h"

#include <algorithm>
#include <cctype>
#include <limits>

#ifndef STOMPVALE_VERSION
#define STOMPVALE_VERSION "unknown"
#endif

namespace cli {

namespace {

bool IsHelp(const std::string& argument) {
    return argument == "--help" || argument == "-h";
}

} // namespace

const char* ProjectVersion() {
    return STOMPVALE_VERSION;
}

Parser::Parser(std::string program, std::string summary)
    : mProgram(std::move(program)), mSummary(std::move(summary)), mVersion(ProjectVersion()) {}

Parser& Parser::AddOption(const std::string& name, const std::string& metavar,
                          const std::string& help, Take take) {
    mOptions.push_back(Option{name, metavar, help, nullptr, std::move(take)});
    return *this;
}

Parser& Parser::Flag(const std::string& name, bool& target, const std::string& help) {
    mOptions.push_back(Option{name, "", help, &target, nullptr});
    return *this;
}

Parser& Parser::Value(const std::string& name, const std::string& metavar, std::string& target,
                      const std::string& help) {
    return AddOption(name, metavar, help, [&target](const std::string& text) {
        target = text;
        return std::string();
    });
}

Parser& Parser::AddArgument(const std::string& metavar, const std::string& help, size_t least,
                            size_t most, Take take) {
    mSlots.push_back(Slot{metavar, help, least, most, std::move(take)});
    return *this;
}

Parser& Parser::Argument(const std::string& metavar, std::string& target, const std::string& help) {
    return AddArgument(metavar, help, 1, 1, [&target](const std::string& text) {
        target = text;
        return std::string();
    });
}

Parser& Parser::OptionalArgument(const std::string& metavar, std::string& target,
                                 const std::string& help) {
    return AddArgument(metavar, help, 0, 1, [&target](const std::string& text) {
        target = text;
        return std::string();
    });
}

Parser& Parser::Arguments(const std::string& metavar, std::vector<std::string>& target,
                          size_t least, const std::string& help) {
    return AddArgument(metavar, help, least, std::numeric_limits<size_t>::max(),
                       [&target](const std::string& text) {
                           target.push_back(text);
                           return std::string();
                       });
}

Parser& Parser::TakesDashes() {
    if (!mSlots.empty()) mSlots.back().dashes = true;
    return *this;
}

Parser& Parser::Exclusive(const std::vector<std::string>& names) {
    mExclusive.push_back(names);
    return *this;
}

Parser& Parser::Requires(const std::string& name, const std::string& needed) {
    mRequires.emplace_back(name, needed);
    return *this;
}

Parser& Parser::Notes(const std::string& text) {
    mNotes = text;
    return *this;
}

Parser& Parser::Version(const std::string& version) {
    mVersion = version;
    return *this;
}

Parser::Option* Parser::Find(const std::string& name) {
    for (Option& option : mOptions)
        if (option.name == name) return &option;
    return nullptr;
}

const Parser::Option* Parser::Find(const std::string& name) const {
    return const_cast<Parser*>(this)->Find(name);
}

bool Parser::Given(const std::string& name) const {
    const Option* option = Find(name);
    return option && option->given;
}

// arguments[i] names a declared option; its value, if it takes one, may be
// the next argument, which then is consumed.
bool Parser::ReadOption(const std::vector<std::string>& arguments, size_t& i) {
    const std::string& argument = arguments[i];
    const size_t equals = argument.find('=');
    Option& option = *Find(argument.substr(0, equals));
    option.given = true;
    if (option.flag) {
        if (equals != std::string::npos) {
            mError = option.name + " takes no value";
            return false;
        }
        *option.flag = true;
        return true;
    }
    std::string value;
    if (equals != std::string::npos) {
        value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("--")) {
        // "--" and the options are not values: "--data --verbose" is
        // missing its folder rather than naming one "--verbose".
        value = arguments[++i];
    }
    if (value.empty()) {
        mError = option.name + " needs a value (" + option.metavar + ")";
        return false;
    }
    const std::string refused = option.take(value);
    if (!refused.empty()) {
        mError = option.name + ": " + refused;
        return false;
    }
    return true;
}

bool Parser::ReadArgument(const std::string& text, std::vector<size_t>& counts) {
    for (size_t k = 0; k < mSlots.size(); ++k) {
        if (counts[k] >= mSlots[k].most) continue;
        const std::string refused = mSlots[k].take(text);
        if (!refused.empty()) {
            mError = mSlots[k].metavar + ": " + refused;
            return false;
        }
        ++counts[k];
        return true;
    }
    mError = "unexpected argument '" + text + "'";
    return false;
}

bool Parser::CheckCounts(const std::vector<size_t>& counts) {
    for (size_t k = 0; k < mSlots.size(); ++k) {
        if (counts[k] < mSlots[k].least) {
            mError = "missing " + mSlots[k].metavar;
            return false;
        }
    }
    return true;
}

bool Parser::CheckRelations() {
    for (const std::vector<std::string>& group : mExclusive) {
        std::vector<std::string> given;
        for (const std::string& name : group)
            if (Given(name)) given.push_back(name);
        if (given.size() > 1) {
            mError = given[0] + " and " + given[1] + " exclude each other";
            return false;
        }
    }
    for (const auto& [name, needed] : mRequires) {
        if (Given(name) && !Given(needed)) {
            mError = name + " needs " + needed;
            return false;
        }
    }
    return true;
}

Outcome Parser::Parse(const std::vector<std::string>& arguments) {
    mError.clear();
    for (Option& option : mOptions) option.given = false;
    // Asking for help is never a mistake, wherever it stands among the options.
    const auto end = std::find(arguments.begin(), arguments.end(), "--");
    if (std::any_of(arguments.begin(), end, IsHelp)) return Outcome::Help;
    if (std::find(arguments.begin(), end, "--version") != end) return Outcome::Version;

    std::vector<size_t> counts(mSlots.size(), 0);
    bool optionsOver = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsOver && argument == "--") {
            optionsOver = true;
            continue;
        }
        // A lone "-" is an argument (standard input, for tools that read it).
        const bool dashed = !optionsOver && argument.size() > 1 && argument[0] == '-';
        bool ok = true;
        if (dashed && Find(argument.substr(0, argument.find('=')))) {
            ok = ReadOption(arguments, i);
        } else if (dashed) {
            const auto next = std::find_if(mSlots.begin(), mSlots.end(), [&](const Slot& s) {
                return counts[static_cast<size_t>(&s - mSlots.data())] < s.most;
            });
            const bool negative = std::isdigit(static_cast<unsigned char>(argument[1]));
            if (next != mSlots.end() && (next->dashes || (next->number && negative))) {
                ok = ReadArgument(argument, counts);
            } else {
                mError = "unknown option " + argument.substr(0, argument.find('='));
                ok = false;
            }
        } else {
            ok = ReadArgument(argument, counts);
        }
        if (!ok) return Outcome::Error;
    }
    if (!CheckCounts(counts) || !CheckRelations()) return Outcome::Error;
    return Outcome::Run;
}

Outcome Parser::Parse(int argc, char** argv) {
    return Parse(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}

std::string Parser::VersionLine() const {
    return mProgram + " " + mVersion;
}

int Parser::Fail(const std::string& problem, std::FILE* err) const {
    std::fprintf(err, "%s: %s (see --help)\n", mProgram.c_str(), problem.c_str());
    return 2;
}

std::optional<int> Parser::Handle(int argc, char** argv, std::FILE* out, std::FILE* err) {
    switch (Parse(argc, argv)) {
    case Outcome::Help:
        std::fputs(Usage().c_str(), out);
        return 0;
    case Outcome::Version:
        std::fprintf(out, "%s\n", VersionLine().c_str());
        return 0;
    case Outcome::Error:
        return Fail(mError, err);
    case Outcome::Run:
        break;
    }
    return std::nullopt;
}

} // namespace cli
