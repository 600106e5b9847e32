#include "XmlWalk.h"

#include <expat.h>

#include <exception>
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

// An exception must not unwind through expat's C frames: it is held, the parse stopped, and
// the exception thrown again once expat has returned.
struct Walk {
    const XmlEvents& events;
    XML_Parser parser;
    std::exception_ptr failure;
    template <typename F>
    void guarded(F&& f)
    {
        if (failure)  // expat may deliver a few more events after the stop
            return;
        try {
            f();
        } catch (...) {
            failure = std::current_exception();
            XML_StopParser(parser, XML_FALSE);
        }
    }
};

}  // namespace

bool walkXml(const QByteArray& document, const XmlEvents& events)
{
    std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate("UTF-8"));
    if (!parser)
        return false;
    Walk walk{events, parser.get(), nullptr};
    XML_SetUserData(parser.get(), &walk);
    XML_SetElementHandler(
        parser.get(),
        [](void* data, const char* name, const char** attributes) {
            auto* w = static_cast<Walk*>(data);
            if (w->events.start)
                w->guarded([&] { w->events.start(localName(name), attributes); });
        },
        [](void* data, const char* name) {
            auto* w = static_cast<Walk*>(data);
            if (w->events.end)
                w->guarded([&] { w->events.end(localName(name)); });
        });
    if (events.text)
        XML_SetCharacterDataHandler(parser.get(), [](void* data, const char* s, int length) {
            auto* w = static_cast<Walk*>(data);
            w->guarded([&] { w->events.text(std::string_view(s, static_cast<size_t>(length))); });
        });
    // Parts are far below expat's int length limit (MaxWorkbookPartBytes).
    const bool parsed =
        document.size() <= std::numeric_limits<int>::max() &&
        XML_Parse(parser.get(), document.constData(), static_cast<int>(document.size()), 1) ==
            XML_STATUS_OK;
    if (walk.failure)
        std::rethrow_exception(walk.failure);
    return parsed;
}

const char* xmlAttribute(const char** attributes, std::string_view name)
{
    for (const char** a = attributes; a && *a; a += 2)
        if (localName(*a) == name)
            return a[1];
    return nullptr;
}

}  // namespace vel
