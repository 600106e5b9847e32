#pragma once

#include <QString>

namespace vel::cli {

// Without an id: the help documents, one line each, id and title tab-separated. With one: that
// document's Markdown, generated sections filled in. Neither needs a work folder.
int printHelp(const QString& id);

}  // namespace vel::cli
