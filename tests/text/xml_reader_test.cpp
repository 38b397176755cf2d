// The tag reader: its calls, their order and contexts, and its messages, for
// well-formed and odd files alike.
#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "text/modXML.h"
#include "vb/runtime_error.h"

namespace {

// Every call as "tag|text|context", the context's entries joined by "/"; the
// callback objects to the tag "X".
struct Recorder {
    std::vector<std::string> calls;
    void XMLCallBack(const std::string& pTag, const std::string& pText,
                     const std::vector<std::string>& pContext, std::string& pErr) {
        std::string context;
        for (size_t i = 0; i < pContext.size(); ++i) context += (i ? "/" : "") + pContext[i];
        calls.push_back(pTag + "|" + pText + "|" + context);
        if (pTag == "X") pErr = "bad value";
    }
};

std::string Read(const std::string& bytes, Recorder& recorder, const std::string& start = "") {
    return ReadXMLBytes(bytes, "f.txt", start,
                        [&](auto&... args) { recorder.XMLCallBack(args...); });
}

const std::string kHeader = "Errors encountered processing:\r\nf.txt\r\n";

std::string EndTag(int line, const std::string& raw, const std::string& open) {
    return "\r\nLine " + std::to_string(line) + ": End tag '" + raw +
           "' appears before required end tag for '" + open + "'.";
}

std::string Corrupt(int line, const std::string& quoted) {
    return "\r\nLine " + std::to_string(line) + ": Found a corrupt tag near '" + quoted +
           "'. No BigBegining '<'.";
}

TEST(XmlReader, CallsAndMessagesFollowTheFile) {
    struct Case {
        std::string file, start;
        std::vector<std::string> calls;
        std::string messages; // after the header
    };
    const std::vector<std::string> leafA = {"<A||", "A||/A", "A>||/A"};
    const std::vector<Case> cases = {
        {"<A> x  y </A>", "", {"<A||", "A|x y|/A", "A>||/A"}, ""},
        // no leaf call for a parent, its own text dropped
        {"<A>no<B>t</B>no</A>", "", {"<A||", "<B||/A", "B|t|/A/B", "B>||/A/B", "A>||/A"}, ""},
        {"<chr>Text</Chr >", "", {"<CHR||", "CHR|Text|/CHR", "CHR>||/CHR"}, ""},
        {"<A>&lt;3&gt; &amp;</A>", "", {"<A||", "A|<3> &amp;|/A", "A>||/A"}, ""},
        {"<A\r\n>1\r\n2 < 3</\r\nA>", "", {"<A||", "A|1\r\n\r\n2 < 3|/A", "A>||/A"}, ""},
        {"<A>\r\n</B></A>", "", leafA, EndTag(2, "/B", "A")},
        {"<A><B><C></A>", "", {"<A||", "<B||/A", "<C||/A/B"}, EndTag(1, "/A", "C")},
        // an unmatched close unwinds down to the element it names, no further
        {"<A><B></A><C>1</C>",
         "",
         {"<A||", "<B||/A", "<C||", "C|1|/C", "C>||/C"},
         EndTag(1, "/A", "B")},
        {"<A><B></Q><C>1</C>",
         "",
         {"<A||", "<B||/A", "<C||/A/B", "C|1|/A/B/C", "C>||/A/B/C"},
         EndTag(1, "/Q", "B")},
        // the start tag's close stops reading even when it is not the innermost
        {"<A><B><C></B><D>1</D>\r\n<E>2</E>", "B", {"<B||", "<C||/B"}, EndTag(1, "/B", "C")},
        // elements left open are not listed when something else was reported
        {"<A><B><>", "", {"<A||", "<B||/A"}, "\r\nLine 1: Found an empty tag '<>'."},
        {"</ b ></>", "", {}, EndTag(1, "/ b ", "") + EndTag(1, "/", "")},
        {"<A>\r\n<B>x</B>\r\n<C>",
         "",
         {"<A||", "<B||/A", "B|x|/A/B", "B>||/A/B", "<C||/A"},
         "At EOF: Missing closing tags for <A>, <C>."},
        {"<A><C>1</C>\r\n<B>2</B>\r\n<D>3</D></A>", " <b> ", {"<B||", "B|2|/B", "B>||/B"}, ""},
        {"<A><!><B>1</B><!><C></!></D></!><E>2</E></A>",
         "",
         {"<A||", "<E||/A", "E|2|/A/E", "E>||/A/E", "A>||/A"},
         ""},
        {"</!><A></A>", "", leafA, ""}, // a stray close hides nothing
        {"\r\nab>\r\n\r\n<A>hello world></A>", "", leafA, Corrupt(2, "ab>") + Corrupt(4, "world>")},
        {"<A>></A>", "", leafA, Corrupt(1, ">")},
        {"<A><>< \r\n></A>", "", leafA,
         "\r\nLine 1: Found an empty tag '<>'.\r\nLine 2: Found an empty tag '<>'."},
        {"<X>1</X>", "", {"<X||", "X|1|/X", "X>||/X"}, "\r\nLine 1: 'X' Tag. bad value."},
        // lines end at CR LF, LF or CR, blank lines count
        {"a\rb\nc\r\n\n\r\n>", "", {}, Corrupt(6, "\r\nc\r\n>")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Recorder recorder;
        const std::string report = Read(c.file, recorder, c.start);
        EXPECT_EQ(recorder.calls, c.calls);
        EXPECT_EQ(report, c.messages.empty() ? "" : kHeader + c.messages);
    }
}

TEST(XmlReader, ReadingStopsAfterTheLineThatFillsTheReport) {
    // One message of 60 or 61 characters a line: 1000 are reached on line 17.
    std::string file;
    for (int i = 1; i <= 30; ++i) file += "<A>" + std::to_string(i) + "</A> >\r\n";
    Recorder recorder;
    const std::string report = Read(file, recorder);
    EXPECT_EQ(recorder.calls.size(), 17u * 3);
    EXPECT_EQ(recorder.calls[17 * 3 - 2], "A|17|/A");
    EXPECT_NE(report.find("Line 17: "), std::string::npos);
    EXPECT_EQ(report.find("Line 18: "), std::string::npos);
    EXPECT_EQ(report.size() - kHeader.size(), 1028u);

    // On one long line the elements are all still read, the report capped.
    Recorder longLine;
    const std::string capped = Read(std::string(100000, '>') + "<A>1</A>\r\n<B>", longLine);
    EXPECT_EQ(longLine.calls, (std::vector<std::string>{"<A||", "A|1|/A", "A>||/A"}));
    EXPECT_GT(capped.size(), 60000u);
    EXPECT_LT(capped.size(), 65536u + 100);
}

TEST(XmlReader, TheLineThatCrossesTheLimitKeepsAllItsMessages) {
    // A stray close of a 20-letter name makes a message of 81 or 82
    // characters: twelve lines with one each stay below 1000, the thirteenth
    // carries five and crosses it, the fourteenth is not read.
    const std::string close = "/" + std::string(20, 'Q');
    std::string file, expected;
    for (int line = 1; line <= 12; ++line) {
        file += "<" + close + ">\r\n";
        expected += EndTag(line, close, "");
    }
    for (int i = 0; i < 5; ++i) {
        file += "<" + close + ">";
        expected += EndTag(13, close, "");
    }
    file += "\r\n<" + close + ">\r\n";
    Recorder recorder;
    EXPECT_EQ(Read(file, recorder), kHeader + expected);
}
TEST(XmlReader, ReadsFilesAndRaisesFileNotFound) {
    TempDir dir;
    dir.Write("f.txt", "<A>1</A>");
    Recorder recorder;
    EXPECT_EQ(ReadXML(dir.str() + "/f.txt", "", recorder), "");
    EXPECT_EQ(recorder.calls.size(), 3u);
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
    struct Case {
        std::string in, trimmed, collapsed;
    };
    const std::vector<Case> cases = {
        {" \t\r\n\x01", "", ""},
        {"\t x  y \x1f", "x  y", " x y"},
        {"a\r\nb", "a\r\nb", "a\r\n\r\nb"},
        {"a\n\n\n\nb", "a\n\n\n\nb", "a\r\n\r\nb"},
        {"a\n b", "a\n b", "a\r\nb"},
        {"a \n\n\nb", "a \n\n\nb", "a \r\n\r\n\r\nb"}, // after a blank, no limit
        {"a\t \x01z\xe9", "a\t \x01z\xe9", "a z\xe9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TrimControl(c.in), c.trimmed) << c.in;
        EXPECT_EQ(CollapseWhitespace(c.in), c.collapsed) << c.in;
    }
}

} // namespace
