// The README and docs/ against the programs' own --help: every option a
// program prints is written in a section that names the program, and every
// option the docs give a program is one it has.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "tool_files.h"

namespace {

namespace fs = std::filesystem;
using Options = std::set<std::string>;
using Programs = std::map<std::string, Options>;

// Options of other commands that the docs show in use.
const std::map<std::string, Options> kOtherCommands = {
    {"cmake", {"--build", "--target", "--install", "--prefix"}},
    {"ctest", {"--output-on-failure"}},
    {"a GoogleTest program", {"--gtest_filter"}},
    {"appstreamcli", {"--no-net", "--pedantic"}},
    {"dpkg", {"--purge"}},
    {"scripts/package.sh", {"--check", "--build"}},
};

// Every program has these; the docs say so once for all.
const Options kCommon = {"--help", "--version"};

struct Section {
    std::string where; // file and heading, for the findings
    std::vector<std::string> lines;
};

// Long options in the first column of a --help's option table.
Options HelpOptions(const std::string& help) {
    static const std::regex row(R"(^  (?:-[A-Za-z], )?(--[A-Za-z][A-Za-z0-9_-]*))");
    Options options;
    size_t start = 0;
    while (start < help.size()) {
        const size_t end = std::min(help.find('\n', start), help.size());
        const std::string line = help.substr(start, end - start);
        std::smatch match;
        if (std::regex_search(line, match, row)) options.insert(match[1]);
        start = end + 1;
    }
    return options;
}

struct Mention {
    size_t at;
    std::string option;
};

std::vector<Mention> OptionsIn(const std::string& line) {
    static const std::regex option(R"((^|[^A-Za-z0-9_-])(--[A-Za-z][A-Za-z0-9_-]*))");
    std::vector<Mention> found;
    for (auto it = std::sregex_iterator(line.begin(), line.end(), option);
         it != std::sregex_iterator(); ++it) {
        found.push_back({static_cast<size_t>(it->position(2)), (*it)[2]});
    }
    return found;
}

bool NameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
}

// Where a program's name stands as a whole word in the line.
std::vector<size_t> NamedAt(const std::string& line, const std::string& program) {
    std::vector<size_t> at;
    for (size_t p = line.find(program); p != std::string::npos; p = line.find(program, p + 1)) {
        const size_t after = p + program.size();
        if ((p == 0 || !NameChar(line[p - 1])) &&
            (after == line.size() || !NameChar(line[after]))) {
            at.push_back(p);
        }
    }
    return at;
}

// A Markdown file cut at its headings (a '#' inside a code fence is no
// heading).
std::vector<Section> Sections(const std::string& file, const std::string& text) {
    std::vector<Section> sections = {{file, {}}};
    bool fenced = false;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.rfind("```", 0) == 0) fenced = !fenced;
        if (!fenced && line.rfind("#", 0) == 0) sections.push_back({file + ": " + line, {}});
        sections.back().lines.push_back(line);
    }
    return sections;
}

bool Other(const std::string& option) {
    return std::any_of(kOtherCommands.begin(), kOtherCommands.end(),
                       [&](const auto& command) { return command.second.count(option) > 0; });
}

// What the docs get wrong, one line each. An option after a program's name on
// its line is given to that program and must be one of its own; any other must
// be some program's (or another command's). A program's option counts as
// written where a section that names the program mentions it.
std::vector<std::string> Findings(const Programs& programs, const std::vector<Section>& docs) {
    std::vector<std::string> findings;
    std::map<std::string, Options> covered;
    Options anywhere;
    for (const Section& section : docs) {
        std::set<std::string> named;
        for (const std::string& line : section.lines) {
            for (const auto& [program, unused] : programs) {
                if (!NamedAt(line, program).empty()) named.insert(program);
            }
        }
        for (const std::string& line : section.lines) {
            std::vector<std::pair<size_t, std::string>> names;
            for (const auto& [program, unused] : programs) {
                for (size_t at : NamedAt(line, program)) names.push_back({at, program});
            }
            std::sort(names.begin(), names.end());
            for (const Mention& mention : OptionsIn(line)) {
                anywhere.insert(mention.option);
                std::string owner;
                for (const auto& [at, program] : names) {
                    if (at < mention.at) owner = program;
                }
                if (!owner.empty()) {
                    if (programs.at(owner).count(mention.option)) {
                        covered[owner].insert(mention.option);
                    } else if (!Other(mention.option)) {
                        findings.push_back(section.where + ": " + mention.option +
                                           " is not an option of " + owner);
                    }
                    continue;
                }
                // Elsewhere it need only be some program's, and it counts as
                // written for the programs the section names.
                bool known = Other(mention.option);
                for (const auto& [program, options] : programs) {
                    if (!options.count(mention.option)) continue;
                    known = true;
                    if (named.count(program)) covered[program].insert(mention.option);
                }
                if (!known) {
                    findings.push_back(section.where + ": " + mention.option +
                                       " is not an option of any program");
                }
            }
        }
    }
    for (const auto& [program, options] : programs) {
        for (const std::string& option : options) {
            if (kCommon.count(option) ? anywhere.count(option) > 0
                                      : covered[program].count(option) > 0) {
                continue;
            }
            findings.push_back(program + " " + option +
                               " is not in the docs in a section that names " + program);
        }
    }
    return findings;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    return all;
}

struct Case {
    std::string name;
    std::string doc;
    std::vector<std::string> findings;
};

TEST(DocsOptions, TheRulesFindWhatIsMissingOrWrong) {
    const Programs programs = {
        {"play", {"--help", "--version", "--window", "--sound"}},
        {"tool-sound", {"--help", "--version", "--volume"}},
        {"tool-sound-gen", {"--help", "--version"}},
    };
    const std::string all = "`--help` and `--version` everywhere.\n"
                            "## play\n`--window`, `--sound`.\n"
                            "## tool-sound\n`--volume V`.\n";
    const std::vector<Case> cases = {
        {"everything written", all, {}},
        {"an option left out",
         "`--help` `--version`\n## play\n`--window`\n## tool-sound\n`--volume`\n",
         {"play --sound is not in the docs in a section that names play"}},
        {"an option only under another program's heading",
         "`--help` `--version`\n## play\n`--window` `--sound` `--volume`\n",
         {"tool-sound --volume is not in the docs in a section that names tool-sound"}},
        {"an option no program has",
         all + "## Building\nthe `--sond` flag, `cmake --build b`\n",
         {"doc: ## Building: --sond is not an option of any program"}},
        {"a command line gives its program a wrong option",
         all + "## Tools\n    tool-sound --volume 3 --window\n",
         {"doc: ## Tools: --window is not an option of tool-sound"}},
        {"a longer name is another program",
         all + "## Tools\n    tool-sound-gen --volume 3\n",
         {"doc: ## Tools: --volume is not an option of tool-sound-gen"}},
        {"a comment in a code fence is no heading",
         "`--help` `--version`\n## play\n```sh\n# build first\n```\n`--window` `--sound`\n"
         "## tool-sound\n`--volume`\n",
         {}},
        {"the common options must be there once",
         "## play\n`--window`, `--sound`.\n## tool-sound\n`--volume V`.\n",
         {"play --help is not in the docs in a section that names play",
          "play --version is not in the docs in a section that names play",
          "tool-sound --help is not in the docs in a section that names tool-sound",
          "tool-sound --version is not in the docs in a section that names tool-sound",
          "tool-sound-gen --help is not in the docs in a section that names tool-sound-gen",
          "tool-sound-gen --version is not in the docs in a section that names "
          "tool-sound-gen"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> found = Findings(programs, Sections("doc", c.doc));
        std::vector<std::string> wanted = c.findings;
        std::sort(found.begin(), found.end());
        std::sort(wanted.begin(), wanted.end());
        EXPECT_EQ(Joined(found), Joined(wanted)) << c.name;
    }
}

TEST(DocsOptions, HelpTablesGiveTheirLongOptions) {
    const std::string help = "usage: p [--frames N] [--pacing]\n\n"
                             "Times frames; see --elsewhere.\n\n"
                             "  --frames N  frames (default 200), unlike --not-this\n"
                             "  -h, --help  this text\n"
                             "  FOLDER      where --nor-this goes\n"
                             "  --version   the name and version\n";
    EXPECT_EQ(HelpOptions(help), (Options{"--frames", "--help", "--version"}));
}

TEST(DocsOptions, TheDocsAndEveryProgramsHelpAgree) {
    // Every program built beside the tests (the command-line table holds
    // them to its list).
    Programs programs;
    for (const fs::directory_entry& entry : fs::directory_iterator(tool_files::ProgramFolder())) {
        const bool executable =
            entry.is_regular_file() &&
            (entry.status().permissions() & fs::perms::owner_exec) != fs::perms::none;
        if (!executable) continue;
        const std::string program = entry.path().filename().string();
        const tool_files::ToolRun help = tool_files::RunTool(program, "--help </dev/null");
        ASSERT_EQ(help.status, 0) << program << ": " << help.out;
        programs[program] = HelpOptions(help.out);
        ASSERT_TRUE(programs[program].count("--help")) << program << ": " << help.out;
    }
    ASSERT_TRUE(programs.count("Stompvale_v1.6_1024x768") && programs.count("stompvale-sound"))
        << "the programs are not beside the tests";
    std::vector<fs::path> files = {tool_files::SourceFolder() / "README.md"};
    for (const auto& entry : fs::directory_iterator(tool_files::SourceFolder() / "docs")) {
        if (entry.path().extension() == ".md") files.push_back(entry.path());
    }
    std::vector<Section> docs;
    for (const fs::path& file : files) {
        const std::vector<Section> sections =
            Sections(file.filename().string(), tool_files::Bytes(file));
        docs.insert(docs.end(), sections.begin(), sections.end());
    }
    ASSERT_GE(files.size(), 4u) << "the README and the three guides";
    EXPECT_EQ(Joined(Findings(programs, docs)), "");
}

} // namespace
