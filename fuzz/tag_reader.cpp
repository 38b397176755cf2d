// The tag reader on arbitrary bytes, with or without a start tag: the calls
// keep their protocol (a leaf's text is followed by its closing call, on the
// same open-tag stack), texts arrive trimmed, and the report has its header.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "text/modXML.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// A first byte of 1 to 3 picks a start tag (and is not part of the text).
const char* const kStartTags[] = {"", "CHARACTERS", "<b>", " a "};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string startTag;
    if (!text.empty() && text[0] >= 1 && text[0] <= 3) {
        startTag = kStartTags[static_cast<int>(text[0])];
        text.erase(0, 1);
    }

    std::string leafName;                 // the leaf call just made, if any
    std::vector<std::string> leafContext; // and its stack
    const auto callBack = [&](const std::string& pTag, const std::string& pText,
                              const std::vector<std::string>& pContext, std::string& pErr) {
        Check(!pContext.empty() && pContext[0].empty());
        Check(!pTag.empty());
        if (!leafName.empty()) {
            Check(pTag == leafName + ">" && pContext == leafContext);
            leafName.clear();
        }
        if (pTag[0] == '<') {
            Check(pText.empty() && pTag.size() > 1);
        } else if (pTag.back() == '>') {
            Check(pText.empty() && pContext.size() > 1);
            Check(pContext.back() + ">" == pTag);
        } else {
            Check(pContext.size() > 1 && pContext.back() == pTag);
            if (!pText.empty()) {
                Check(static_cast<unsigned char>(pText.front()) > 32);
                Check(static_cast<unsigned char>(pText.back()) > 32);
            }
            leafName = pTag;
            leafContext = pContext;
        }
        // Some of the callbacks complain, as a real one may.
        if (pTag.size() % 7 == 3) pErr = "complaint";
    };
    const std::string report = ReadXMLBytes(text, "fuzz.txt", startTag, callBack);
    Check(leafName.empty());
    Check(report.empty() || report.rfind("Errors encountered processing:\r\nfuzz.txt\r\n", 0) == 0);
    return 0;
}
