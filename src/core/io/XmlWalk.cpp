#include "XmlWalk.h"

#include <expat.h>

#include <limits>
#include <memory>

namespace vel {
namespace {

std::string_view localName(const char* name)
{
    const std::string_view n(name);
    const size_t colon = n.rfind(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

struct ParserFree {
    void operator()(XML_Parser p) const { XML_ParserFree(p); }
};

}  // namespace

bool walkXml(const QByteArray& document, const XmlEvents& events)
{
    std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate("UTF-8"));
    if (!parser)
        return false;
    XML_SetUserData(parser.get(), const_cast<XmlEvents*>(&events));
    XML_SetElementHandler(
        parser.get(),
        [](void* data, const char* name, const char** attributes) {
            const auto* e = static_cast<const XmlEvents*>(data);
            if (e->start)
                e->start(localName(name), attributes);
        },
        [](void* data, const char* name) {
            const auto* e = static_cast<const XmlEvents*>(data);
            if (e->end)
                e->end(localName(name));
        });
    if (events.text)
        XML_SetCharacterDataHandler(parser.get(), [](void* data, const char* s, int length) {
            static_cast<const XmlEvents*>(data)->text(std::string_view(s, static_cast<size_t>(length)));
        });
    // Parts are far below expat's int length limit (MaxWorkbookPartBytes).
    return document.size() <= std::numeric_limits<int>::max() &&
           XML_Parse(parser.get(), document.constData(), static_cast<int>(document.size()), 1) ==
               XML_STATUS_OK;
}

const char* xmlAttribute(const char** attributes, std::string_view name)
{
    for (const char** a = attributes; a && *a; a += 2)
        if (localName(*a) == name)
            return a[1];
    return nullptr;
}

}  // namespace vel
