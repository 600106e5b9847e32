#pragma once

#include <QString>

namespace CLI {
class ParseError;
}

namespace vel::cli {

// The command-line parser's refusal in the program's own words: what was wrong and with which
// option, never the parser's English.
QString usageErrorText(const CLI::ParseError& e);

}  // namespace vel::cli
