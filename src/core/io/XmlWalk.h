#pragma once

#include <QByteArray>

#include <functional>
#include <string_view>

namespace vel {

// A streaming pass over an XML document (expat, many times faster than QXmlStreamReader on a
// worksheet of 16,000 rows). Names are given without their namespace prefix; text arrives in
// pieces. Entities are expanded as XML defines and nothing outside the document is read.
struct XmlEvents {
    std::function<void(std::string_view name, const char** attributes)> start;
    std::function<void(std::string_view name)> end;
    std::function<void(std::string_view text)> text;
};

// False for a document that is not well-formed. An exception thrown by a handler ends the walk
// and leaves walkXml.
bool walkXml(const QByteArray& document, const XmlEvents& events);

// The value of an attribute named without prefix among expat's name/value pairs, or nullptr.
const char* xmlAttribute(const char** attributes, std::string_view name);

}  // namespace vel
