// The streaming reader: lines go into a pending text, and every ">" in it
// closes one tag, taken back to the last "<" before it.
#include "text/modXML.h"

#include <cstdio>
#include <memory>

#include "vb/runtime_error.h"
#include "vb/strings.h"

namespace {

// Reading stops after the line on which the messages reach this length.
constexpr size_t kErrorCap = 1000;
// The line that crosses kErrorCap keeps all its messages; only a hostile line
// (a megabyte of ">") could pile up more than this, and it is cut here.
constexpr size_t kReportLimit = 65536;

std::string RemoveLineBreaks(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

std::string ReplaceAll(std::string s, const std::string& from, const std::string& to) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

std::string LeafText(const std::string& raw) {
    return ReplaceAll(ReplaceAll(CollapseWhitespace(TrimControl(raw)), "&lt;", "<"), "&gt;", ">");
}

class Reader {
  public:
    Reader(const std::string& startTag, const XMLCallBackFunction& callBack)
        : mStartTag(StartTagName(startTag)), mCallBack(callBack), mActive(mStartTag.empty()) {}

    // False once reading has to stop.
    bool Line(const std::string& line) {
        ++mLineCount;
        if (line.empty()) return true;
        mPending.append(line).append("\r\n");
        for (;;) {
            const size_t g = mPending.find('>', mSearchFrom);
            if (g == std::string::npos) {
                mSearchFrom = mPending.size();
                break;
            }
            const size_t l = LastOpenBefore(g);
            if (l == std::string::npos) {
                CorruptTag(g);
            } else if (!Tag(l, g)) {
                mStopped = true;
            }
            mStart = mSearchFrom = g + 1;
            if (mStopped) break;
        }
        // Only the rest after the last ">" is still pending.
        mPending.erase(0, mStart);
        mSearchFrom -= mStart;
        mStart = 0;
        return !mStopped && mErrors.size() < kErrorCap;
    }

    std::string Finish(const std::string& fileName) {
        if (mErrors.empty() && mStack.size() > 1) {
            mErrors = "At EOF: Missing closing tags for ";
            for (size_t i = 1; i < mStack.size(); ++i)
                mErrors += (i > 1 ? ", <" : "<") + mStack[i] + ">";
            mErrors += ".";
        }
        if (mErrors.empty()) return "";
        return "Errors encountered processing:\r\n" + fileName + "\r\n" + mErrors;
    }

  private:
    static std::string StartTagName(const std::string& tag) {
        std::string name;
        for (char c : tag)
            if (c != '<' && c != '>') name += c;
        return vb::UCase(vb::Trim(name));
    }

    size_t LastOpenBefore(size_t g) const {
        for (size_t i = g; i > mStart; --i)
            if (mPending[i - 1] == '<') return i - 1;
        return std::string::npos;
    }

    void Message(const std::string& text) {
        if (mErrors.size() >= kReportLimit) return;
        mErrors += "\r\nLine " + std::to_string(mLineCount) + ": " + text;
    }

    void CorruptTag(size_t g) {
        const size_t length = g - mStart + 1;
        const size_t quoted = length < 6 ? length : 6;
        Message("Found a corrupt tag near '" + mPending.substr(g + 1 - quoted, quoted) +
                "'. No BigBegining '<'.");
    }

    void Call(const std::string& name, const std::string& tag, const std::string& text) {
        std::string err;
        mCallBack(tag, text, mStack, err);
        if (!err.empty()) Message("'" + name + "' Tag. " + err + ".");
    }

    // Handles the tag between l and g; false when reading is to stop.
    bool Tag(size_t l, size_t g) {
        const std::string raw = mPending.substr(l + 1, g - l - 1);
        const std::string name = vb::Trim(vb::UCase(RemoveLineBreaks(raw)));
        if (!mActive && name != mStartTag) return true;
        mActive = true;
        if (name.empty()) {
            Message("Found an empty tag '<>'.");
            return true;
        }
        if (name[0] != '/') {
            if (name == "!") {
                ++mCommentDepth;
            } else if (mCommentDepth == 0) {
                Call(name, "<" + name, "");
                mHasChild.back() = true;
                mStack.push_back(name);
                mHasChild.push_back(false);
            }
            return true;
        }
        const std::string closing = vb::Trim(name.substr(1));
        if (closing == "!") {
            // A stray closing mark does not hide the rest of the file.
            if (mCommentDepth > 0) --mCommentDepth;
            return true;
        }
        if (mCommentDepth > 0) return true;
        // The sentinel is no element: nothing closes it.
        if (mStack.size() < 2 || closing != mStack.back()) {
            Message("End tag '" + raw + "' appears before required end tag for '" + mStack.back() +
                    "'.");
            for (size_t i = mStack.size() - 1; i >= 1; --i) {
                if (mStack[i] == closing) {
                    mStack.resize(i);
                    mHasChild.resize(i);
                    break;
                }
            }
        } else {
            if (!mHasChild.back())
                Call(closing, closing, LeafText(mPending.substr(mStart, l - mStart)));
            Call(closing, closing + ">", "");
            mStack.pop_back();
            mHasChild.pop_back();
        }
        return mStartTag.empty() || closing != mStartTag;
    }

    const std::string mStartTag;
    const XMLCallBackFunction& mCallBack;
    bool mActive;
    bool mStopped = false;
    std::vector<std::string> mStack{""};
    std::vector<bool> mHasChild{false};
    int mCommentDepth = 0;
    std::string mPending;
    size_t mStart = 0;      // the pending text begins here; before it is cut
    size_t mSearchFrom = 0; // no ">" between mStart and here
    long mLineCount = 0;
    std::string mErrors;
};

std::string ReadWholeFile(const std::string& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) throw vb::RuntimeError(vb::kErrFileNotFound, "File not found: '" + path + "'");
    std::string bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, n);
    // A folder opens but cannot be read.
    if (std::ferror(file.get()))
        throw vb::RuntimeError(vb::kErrFileNotFound, "File not found: '" + path + "'");
    return bytes;
}

} // namespace

std::string ReadXMLBytes(const std::string& pBytes, const std::string& pFileName,
                         const std::string& pStartTag, const XMLCallBackFunction& pCallBack) {
    Reader reader(pStartTag, pCallBack);
    // Lines end at CR LF, LF or CR; a last line needs no ending.
    size_t at = 0;
    while (at < pBytes.size()) {
        size_t end = pBytes.find_first_of("\r\n", at);
        size_t next;
        if (end == std::string::npos) {
            end = next = pBytes.size();
        } else {
            next = end + 1;
            if (pBytes[end] == '\r' && next < pBytes.size() && pBytes[next] == '\n') ++next;
        }
        if (!reader.Line(pBytes.substr(at, end - at))) break;
        at = next;
    }
    return reader.Finish(pFileName);
}

std::string ReadXML(const std::string& pFileName, const std::string& pStartTag,
                    const XMLCallBackFunction& pCallBack) {
    return ReadXMLBytes(ReadWholeFile(pFileName), pFileName, pStartTag, pCallBack);
}
