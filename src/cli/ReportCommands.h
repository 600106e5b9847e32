#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

namespace vel {
class Session;
}

namespace vel::cli {

// `report <command>` for every form of the registry: the options of the periods it is drawn for,
// --xlsx, --pdf, --dbf and --yes. A run checks as opening the form's window does, computes and
// stores it, prints the sheet as tab-separated lines, then the path of each file written; --dbf
// passes the data check first, as "生成上报" does (--yes answers its question).
class ReportCommands {
public:
    // Adds `report` and a subcommand per form command to the command line.
    explicit ReportCommands(CLI::App& cli);

    // Runs the chosen form and returns its exit code; nullopt when no form was chosen.
    std::optional<int> run(Session& session);

private:
    struct Command {
        std::string name;
        CLI::App* app = nullptr;
        CLI::Option* quarter = nullptr;
        CLI::Option* from = nullptr;
    };

    std::vector<Command> commands_;
    int quarter_ = 0;
    std::string from_;
    std::string to_;
    bool reuse_ = false;
    bool workbook_ = false;
    bool pdf_ = false;
    bool submission_ = false;
    bool yes_ = false;
};

}  // namespace vel::cli
