#include "help/GeneratedSections.h"

#include <functional>
#include <map>

namespace vel::help {

namespace {

const std::map<QString, std::function<QString()>>& sections()
{
    static const std::map<QString, std::function<QString()>> all = {};
    return all;
}

}  // namespace

std::optional<QString> generatedSection(const QString& key)
{
    const auto it = sections().find(key);
    if (it == sections().end())
        return std::nullopt;
    return it->second();
}

QStringList generatedSectionKeys()
{
    QStringList keys;
    for (const auto& [key, make] : sections())
        keys << key;
    return keys;
}

}  // namespace vel::help
