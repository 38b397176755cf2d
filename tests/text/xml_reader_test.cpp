// The tag reader: its calls, their order and contexts, and its messages, for
// well-formed and odd files alike.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "text/modXML.h"
#include "vb/runtime_error.h"

namespace {

// Every call as "tag|text|context", the context's entries joined by "/".
struct Recorder {
    std::vector<std::string> calls;
    std::string failOn; // pTag for which pErr is set
    void XMLCallBack(const std::string& pTag, const std::string& pText,
                     const std::vector<std::string>& pContext, std::string& pErr) {
        std::string context;
        for (size_t i = 0; i < pContext.size(); ++i) context += (i ? "/" : "") + pContext[i];
        calls.push_back(pTag + "|" + pText + "|" + context);
        if (pTag == failOn) pErr = "bad value";
    }
};

struct Read {
    std::vector<std::string> calls;
    std::string report;
};

Read ReadText(const std::string& bytes, const std::string& startTag = "",
              const std::string& failOn = "") {
    TempDir dir;
    dir.Write("f.txt", bytes);
    Recorder recorder;
    recorder.failOn = failOn;
    Read read;
    read.report = ReadXML((dir.path() / "f.txt").string(), startTag, recorder);
    read.calls = recorder.calls;
    return read;
}

// The report of f.txt holding these messages.
std::string Report(const std::string& messages) {
    return messages.empty() ? "" : "Errors encountered processing:\r\nf.txt\r\n" + messages;
}

std::string WithoutFolder(std::string report) {
    const size_t slash = report.rfind("/f.txt");
    if (slash == std::string::npos) return report;
    const size_t start = report.find("\r\n") + 2;
    return report.erase(start, slash + 1 - start);
}

struct Case {
    const char* name;
    std::string file;
    std::string startTag;
    std::vector<std::string> calls;
    std::string messages; // after the header
};

TEST(XmlReader, CallsAndMessagesFollowTheFile) {
    const std::vector<Case> cases = {
        {"one leaf", "<A> x  y </A>", "", {"<A||", "A|x y|/A", "A>||/A"}, ""},
        {"no leaf call for a parent",
         "<A>dropped<B>t</B>dropped</A>",
         "",
         {"<A||", "<B||/A", "B|t|/A/B", "B>||/A/B", "A>||/A"},
         ""},
        {"names are upper-cased, text keeps its case",
         "<chr>Text</Chr >",
         "",
         {"<CHR||", "CHR|Text|/CHR", "CHR>||/CHR"},
         ""},
        {"only lt and gt are decoded",
         "<A>&lt;3&gt; &amp;</A>",
         "",
         {"<A||", "A|<3> &amp;|/A", "A>||/A"},
         ""},
        {"a line break in text is two CR LF pairs",
         "<A>one\r\ntwo</A>",
         "",
         {"<A||", "A|one\r\n\r\ntwo|/A", "A>||/A"},
         ""},
        {"a stray < is text", "<A>x < y</A>", "", {"<A||", "A|x < y|/A", "A>||/A"}, ""},
        {"a tag may span lines", "<A\r\n>1</\r\nA>", "", {"<A||", "A|1|/A", "A>||/A"}, ""},
        {"unmatched end tag leaves the stack",
         "<A>\r\n</B></A>",
         "",
         {"<A||", "A||/A", "A>||/A"},
         "\r\nLine 2: End tag '/B' appears before required end tag for 'A'."},
        {"unmatched end tag closes down to its element",
         "<A><B><C></A>",
         "",
         {"<A||", "<B||/A", "<C||/A/B"},
         "\r\nLine 1: End tag '/A' appears before required end tag for 'C'."},
        {"end tag with nothing open",
         "</ b ></>",
         "",
         {},
         "\r\nLine 1: End tag '/ b ' appears before required end tag for ''."
         "\r\nLine 1: End tag '/' appears before required end tag for ''."},
        {"missing closing tags at the end",
         "<A>\r\n<B>x</B>\r\n<C>",
         "",
         {"<A||", "<B||/A", "B|x|/A/B", "B>||/A/B", "<C||/A"},
         "At EOF: Missing closing tags for <A>, <C>."},
        {"start tag: only that element, then stop",
         "<A><C>1</C>\r\n<B>2</B>\r\n<D>3</D></A>",
         " <b> ",
         {"<B||", "B|2|/B", "B>||/B"},
         ""},
        {"start tag that never comes", "<A>1</A>", "B", {}, ""},
        {"comment sections hide tags and nest",
         "<A><!><B>1</B><!><C></!></D></!><E>2</E></A>",
         "",
         {"<A||", "<E||/A", "E|2|/A/E", "E>||/A/E", "A>||/A"},
         ""},
        {"a stray comment close hides nothing",
         "</!><A>1</A>",
         "",
         {"<A||", "A|1|/A", "A>||/A"},
         ""},
        {"corrupt tags quote up to 6 characters",
         "\r\nab>\r\n\r\n<A>hello world></A>",
         "",
         {"<A||", "A||/A", "A>||/A"},
         "\r\nLine 2: Found a corrupt tag near 'ab>'. No BigBegining '<'."
         "\r\nLine 4: Found a corrupt tag near 'world>'. No BigBegining '<'."},
        {"a > first in the pending text",
         "<A>></A>",
         "",
         {"<A||", "A||/A", "A>||/A"},
         "\r\nLine 1: Found a corrupt tag near '>'. No BigBegining '<'."},
        {"empty tags",
         "<A><>< \r\n></A>",
         "",
         {"<A||", "A||/A", "A>||/A"},
         "\r\nLine 1: Found an empty tag '<>'.\r\nLine 2: Found an empty tag '<>'."},
        {"callback problems",
         "<X>1</X>",
         "",
         {"<X||", "X|1|/X", "X>||/X"},
         "\r\nLine 1: 'X' Tag. bad value."},
        {"lines end at CR LF, LF or CR; blank lines count",
         "a\rb\nc\r\n\n\r\n>",
         "",
         {},
         "\r\nLine 6: Found a corrupt tag near '\r\nc\r\n>'. No BigBegining '<'."},
        {"an empty file", "", "", {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Read read = ReadText(c.file, c.startTag, "X");
        EXPECT_EQ(read.calls, c.calls);
        EXPECT_EQ(WithoutFolder(read.report), Report(c.messages));
    }
}

TEST(XmlReader, ReadingStopsOnceTheMessagesReachTheCap) {
    // Each line adds one message of 60 or 61 characters: the cap of 1000 is
    // reached on line 17, and nothing after that line is read.
    std::string file;
    for (int i = 0; i < 30; ++i) file += "<A>" + std::to_string(i) + "</A> >\r\n";
    const Read read = ReadText(file);
    const std::string report = WithoutFolder(read.report);
    ASSERT_EQ(read.calls.size() % 3, 0u);
    const size_t lines = read.calls.size() / 3;
    EXPECT_EQ(lines, 17u);
    EXPECT_EQ(read.calls.back(), "A>||/A");
    EXPECT_NE(report.find("Line " + std::to_string(lines) + ": "), std::string::npos);
    EXPECT_EQ(report.find("Line " + std::to_string(lines + 1) + ": "), std::string::npos);
    const size_t header = Report(".").size() - 1;
    EXPECT_GE(report.size() - header, 1000u);
    EXPECT_LT(report.size() - header, 1000u + 61);
}

TEST(XmlReader, OneLongLineIsReadWholeButItsReportStaysSmall) {
    const Read read = ReadText(std::string(100000, '>') + "<A>1</A>\r\n<B>2</B>");
    EXPECT_EQ(read.calls, (std::vector<std::string>{"<A||", "A|1|/A", "A>||/A"}));
    EXPECT_LT(read.report.size(), 1200u);
}

TEST(XmlReader, TemplateAndFunctionCallbacksSeeTheSameCalls) {
    TempDir dir;
    dir.Write("f.txt", "<A><B>1</B></A>");
    Recorder object;
    std::vector<std::string> tags;
    ReadXML(dir.str() + "/f.txt", "", object);
    ReadXML(dir.str() + "/f.txt", "",
            [&](const std::string& pTag, const std::string&, const std::vector<std::string>&,
                std::string&) { tags.push_back(pTag); });
    ASSERT_EQ(object.calls.size(), tags.size());
    for (size_t i = 0; i < tags.size(); ++i) EXPECT_EQ(object.calls[i].find(tags[i] + "|"), 0u);
}

TEST(XmlReader, AFileThatCannotBeOpenedRaisesFileNotFound) {
    TempDir dir;
    Recorder recorder;
    for (const std::string& path : {dir.str() + "/missing.txt", dir.str()}) {
        try {
            ReadXML(path, "", recorder);
            ADD_FAILURE() << path;
        } catch (const vb::RuntimeError& e) {
            EXPECT_EQ(e.Number(), vb::kErrFileNotFound);
            EXPECT_EQ(e.Description(), "File not found: '" + path + "'");
        }
    }
}

TEST(XmlText, TrimAndCollapse) {
    struct TextCase {
        std::string in, trimmed, collapsed;
    };
    const std::vector<TextCase> cases = {
        {"", "", ""},
        {" \t\r\n\x01", "", ""},
        {"\t x  y \x1f", "x  y", " x y"},
        {"a\r\nb", "a\r\nb", "a\r\n\r\nb"},
        {"a\n\n\n\nb", "a\n\n\n\nb", "a\r\n\r\nb"},
        {"a \nb", "a \nb", "a \r\nb"},
        {"a \n\n\nb", "a \n\n\nb", "a \r\n\r\n\r\nb"}, // a blank first: no limit
        {"a\n b", "a\n b", "a\r\nb"},
        {"a\t \x01z\xe9", "a\t \x01z\xe9", "a z\xe9"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(TrimControl(c.in), c.trimmed) << c.in;
        EXPECT_EQ(CollapseWhitespace(c.in), c.collapsed) << c.in;
    }
}

} // namespace
