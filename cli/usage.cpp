// The usage text, made from the declarations.
#include <algorithm>
#include <sstream>

#include "cli/parser.h"

namespace cli {

namespace {

constexpr size_t kWidth = 79;
// Where descriptions start at the most; a longer name puts its description
// on the next line.
constexpr size_t kMostColumn = 24;

// Words laid out from column `column` on, the first line already `used`
// long, broken between words before kWidth.
std::string Flow(const std::vector<std::string>& words, size_t column, size_t used) {
    std::string out;
    bool lineStart = true;
    for (const std::string& word : words) {
        if (!lineStart && used + 1 + word.size() > kWidth) {
            out += '\n' + std::string(column, ' ');
            used = column;
            lineStart = true;
        }
        if (!lineStart) {
            out += ' ';
            ++used;
        }
        out += word;
        used += word.size();
        lineStart = false;
    }
    return out;
}

// A description from `column` on; a '\n' in it breaks the line there.
std::string Wrap(const std::string& text, size_t column) {
    std::string out;
    std::istringstream lines(text);
    std::string line;
    for (bool first = true; std::getline(lines, line); first = false) {
        std::vector<std::string> words;
        std::istringstream split(line);
        for (std::string word; split >> word;) words.push_back(word);
        if (!first) out += '\n' + std::string(column, ' ');
        out += Flow(words, column, column);
    }
    return out;
}

// Paragraphs (parted by a blank line) flowed to kWidth.
std::string Paragraphs(const std::string& text) {
    std::string out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\n\n", start);
        if (end == std::string::npos) end = text.size();
        std::vector<std::string> words;
        std::istringstream split(text.substr(start, end - start));
        for (std::string word; split >> word;) words.push_back(word);
        if (!words.empty()) out += (out.empty() ? "" : "\n") + Flow(words, 0, 0) + "\n";
        start = end + 2;
    }
    return out;
}

} // namespace

std::string Parser::Synopsis() const {
    std::vector<std::string> items;
    auto label = [this](const std::string& name) {
        const Option* option = Find(name);
        return option && !option->metavar.empty() ? name + " " + option->metavar : name;
    };
    std::vector<std::string> shown;
    for (const Option& option : mOptions) {
        if (std::find(shown.begin(), shown.end(), option.name) != shown.end()) continue;
        const auto group = std::find_if(mExclusive.begin(), mExclusive.end(), [&](const auto& g) {
            return std::find(g.begin(), g.end(), option.name) != g.end();
        });
        if (group == mExclusive.end()) {
            items.push_back("[" + label(option.name) + "]");
            continue;
        }
        std::string item;
        for (const std::string& name : *group) {
            item += (item.empty() ? "[" : " | ") + label(name);
            shown.push_back(name);
        }
        items.push_back(item + "]");
    }
    for (const Slot& slot : mSlots) {
        const std::string many = slot.most > 1 ? "..." : "";
        items.push_back(slot.least == 0 ? "[" + slot.metavar + many + "]" : slot.metavar + many);
    }
    const std::string first = "usage: " + mProgram + (items.empty() ? "" : " ");
    const std::string text = first + Flow(items, first.size(), first.size());
    return text + "\n       " + mProgram + " --help | --version\n";
}

std::string Parser::OptionList() const {
    struct Row {
        std::string label, help;
    };
    std::vector<Row> rows;
    for (const Slot& slot : mSlots)
        if (!slot.help.empty()) rows.push_back({slot.metavar, slot.help});
    for (const Option& option : mOptions)
        rows.push_back({option.metavar.empty() ? option.name : option.name + " " + option.metavar,
                        option.help});
    rows.push_back({"-h, --help", "this text"});
    rows.push_back({"--version", "the program's name and version"});
    size_t longest = 0;
    for (const Row& row : rows)
        if (row.label.size() + 2 <= kMostColumn) longest = std::max(longest, row.label.size());
    const size_t column = 2 + longest + 2;
    std::string text;
    for (const Row& row : rows) {
        std::string line = "  " + row.label;
        if (line.size() + 2 > column) {
            line += '\n' + std::string(column, ' ');
        } else {
            line += std::string(column - line.size(), ' ');
        }
        text += line + Wrap(row.help, column) + "\n";
    }
    return text;
}

std::string Parser::Usage() const {
    std::string text = Synopsis();
    if (!mSummary.empty()) text += "\n" + Paragraphs(mSummary);
    text += "\n" + OptionList();
    if (!mNotes.empty()) text += "\n" + mNotes + (mNotes.ends_with('\n') ? "" : "\n");
    return text;
}

} // namespace cli
