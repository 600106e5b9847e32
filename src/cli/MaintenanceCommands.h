#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace vel {
class Session;
}

namespace vel::cli {

// backup, restore, reset, clear and import-history: the database as a whole, emptied in parts
// or filled from an earlier installation.
class MaintenanceCommands {
public:
    // Adds the subcommands to the command line.
    explicit MaintenanceCommands(CLI::App& cli);

    // Runs the chosen subcommand and returns its exit code; nullopt when none of them was chosen.
    std::optional<int> run(Session& session);

private:
    int backup(Session& session);
    int restore(Session& session);
    int reset(Session& session);
    int clear(Session& session);
    int importHistory(Session& session);

    CLI::App* backup_ = nullptr;
    CLI::App* restore_ = nullptr;
    CLI::App* reset_ = nullptr;
    CLI::App* clear_ = nullptr;
    CLI::App* import_ = nullptr;
    CLI::Option* month_ = nullptr;
    std::string file_;
    std::string kind_;
    std::string from_;
    int monthValue_ = 0;
    int option_ = 0;
    bool yes_ = false;
};

}  // namespace vel::cli
