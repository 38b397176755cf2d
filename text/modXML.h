// A small, forgiving reader for tag files: it streams through a file once,
// reports each element to a callback by name and collects problems as text
// instead of stopping. Not a general XML parser: no attributes, no entities
// but "&lt;" and "&gt;", text only for leaf elements, and its answers on odd
// input are what callers rely on.
//
// The callback is any object with a member
//   void XMLCallBack(const std::string& pTag, const std::string& pText,
//                    const std::vector<std::string>& pContext, std::string& pErr)
// passed to the ReadXML template below (checked at compile time), or any
// callable of that shape. pContext is the open-tag stack, index 0 being the
// empty sentinel and 1 the outermost open element; the callback reads it but
// cannot change it. Setting pErr reports a problem.
#pragma once

#include <functional>
#include <string>
#include <vector>

using XMLCallBackFunction =
    std::function<void(const std::string& pTag, const std::string& pText,
                       const std::vector<std::string>& pContext, std::string& pErr)>;

// "" when all went well, else "Errors encountered processing:", the file name
// and the collected messages. A file that cannot be opened raises runtime
// error 53 naming its path. With a start tag, only that element is reported
// and reading stops after its closing tag.
std::string ReadXML(const std::string& pFileName, const std::string& pStartTag,
                    const XMLCallBackFunction& pCallBack);

template <class T>
concept XMLCallBackObject = requires(T& object, const std::string& text,
                                     const std::vector<std::string>& context, std::string& err) {
    object.XMLCallBack(text, text, context, err);
};

template <XMLCallBackObject T>
std::string ReadXML(const std::string& pFileName, const std::string& pStartTag, T& pCallBack) {
    return ReadXML(pFileName, pStartTag,
                   XMLCallBackFunction(
                       [&pCallBack](const std::string& pTag, const std::string& pText,
                                    const std::vector<std::string>& pContext, std::string& pErr) {
                           pCallBack.XMLCallBack(pTag, pText, pContext, pErr);
                       }));
}

// The reader on a file's bytes already in memory; pFileName only names the
// file in the report.
std::string ReadXMLBytes(const std::string& pBytes, const std::string& pFileName,
                         const std::string& pStartTag, const XMLCallBackFunction& pCallBack);

// Both ends stripped of every character with a code of 32 or less.
std::string TrimControl(const std::string& s);
// White space between visible characters becomes one separator: a run of
// blanks one space; each CR or LF adds a CR LF pair unless the separator is
// exactly two pairs already, so a file's line break gives two pairs. White
// space at the end is dropped.
std::string CollapseWhitespace(const std::string& s);
