#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace vel {
class Session;
}

namespace vel::cli {

// `check [--form F] [--month M]`: one line per finding of the data check (code, place, message,
// explanation), then the counts; exit 0 when there is no error and no warning without an
// explanation, 1 otherwise. `check explain CODE PLACE TEXT` keeps an explanation of a warning
// (an empty TEXT removes it).
class CheckCommands {
public:
    explicit CheckCommands(CLI::App& cli);

    // The chosen command's exit code; nullopt when `check` was not chosen.
    std::optional<int> run(Session& session);

private:
    CLI::App* check_ = nullptr;
    CLI::App* explain_ = nullptr;
    CLI::Option* formOption_ = nullptr;
    CLI::Option* monthOption_ = nullptr;
    std::string form_;
    int month_ = 0;
    std::string code_;
    std::string place_;
    std::string text_;
};

}  // namespace vel::cli
