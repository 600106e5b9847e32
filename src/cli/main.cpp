#include "CheckCommands.h"
#include "CliSupport.h"
#include "Errors.h"
#include "HelpCommands.h"
#include "MaintenanceCommands.h"
#include "Session.h"
#include "OverviewCommands.h"
#include "ProgramFault.h"
#include "ProgramVersion.h"
#include "ReportCommands.h"
#include "RosterCommands.h"
#include "UnitCommands.h"
#include "UsageErrors.h"
#include "WageCommands.h"
#include "help/HelpDocuments.h"

#include <CLI/CLI.hpp>

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace {

// Printed pages need fonts, and fonts the GUI application, drawing off screen: the command line
// never needs a display. Other commands keep the lighter core application.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv)
{
    const bool drawsPages = std::any_of(
        argv + 1, argv + argc, [](const char* arg) { return std::strcmp(arg, "--pdf") == 0; });
    if (!drawsPages)
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's start warns of a missing runtime folder (a cron job, a root shell), which off screen
    // it has no use for: the command's output stays its own. Failures still speak.
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
        });
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(previous);
    return app;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    using namespace vel;

    CLI::App cli{"Veldrassa command line: the unit's records without the window"};
    cli.require_subcommand(1);
    cli.set_version_flag("--version", std::string("veldrassa-cli ") + programVersion,
                         "Print the version and exit");
    std::string dataDir;
    CLI::Option* dataDirOption =
        cli.add_option("--data-dir", dataDir, "work folder (else $VELDRASSA_DATA_DIR, else "
                                              "~/.local/share/veldrassa)");

    CLI::App* init = cli.add_subcommand("init", "create the work folder and database if missing");

    CLI::App* unit = cli.add_subcommand("unit", "the registered reporting unit");
    unit->require_subcommand(1);
    CLI::App* unitShow = unit->add_subcommand("show", "print the registered unit");
    CLI::App* unitList = unit->add_subcommand(
        "list", "print the units whose work folders the window has opened (no --data-dir)");
    CLI::App* unitSet = unit->add_subcommand("set", "register the unit or change its registration");
    std::string name, code, type = "企业事业单位", unitClass = "否";
    int founded = 0;
    CLI::Option* nameOption = unitSet->add_option("--name", name, "unit name");
    CLI::Option* codeOption = unitSet->add_option("--code", code, "organisation code, nine characters");
    unitSet->add_option("--type", type, "企业事业单位 or 机关单位");
    unitSet->add_option("--class", unitClass, "否, 规上, 是1 or 是2");
    CLI::Option* foundedOption = unitSet->add_option("--founded", founded, "founding month 1..12");
    std::string minWage, lastHeads, lastWages;
    CLI::Option* minWageOption = unitSet->add_option(
        "--min-wage", minWage, "the local monthly minimum wage the data check uses; empty clears it");
    CLI::Option* lastHeadsOption = unitSet->add_option(
        "--last-heads", lastHeads, "last year's year-end head count; empty clears it");
    CLI::Option* lastWagesOption = unitSet->add_option(
        "--last-wages", lastWages, "last year's wage total in thousand yuan; empty clears it");

    CLI::App* roster = cli.add_subcommand("roster", "a month's staff roster (0 = opening roster)");
    roster->require_subcommand(1);
    int month = 0;
    std::string file;
    CLI::App* rosterImport =
        roster->add_subcommand("import", "audit and store a roster workbook (.xlsx, .xls) or CSV file");
    rosterImport->add_option("--month", month, "0 (opening roster) to 12")->required();
    rosterImport->add_option("FILE", file, "one header row, then the 18 answer columns")
        ->required();
    std::string encoding;
    const auto encodingOption = [&encoding](CLI::App* command) {
        command->add_option("--encoding", encoding, "a CSV file's encoding: utf-8 or gbk (else taken from the file)")
            ->check(CLI::IsMember({"utf-8", "gbk"}, CLI::ignore_case));
    };
    encodingOption(rosterImport);
    std::string columns, sheetName;
    const auto matchingOptions = [&columns, &sheetName](CLI::App* command) {
        command->add_option("--columns", columns,
                            "which of the file's columns each of ours is: 目标=来源[+来源…];…");
        command->add_option("--sheet", sheetName, "a workbook's worksheet by name, or all (else the first)");
    };
    matchingOptions(rosterImport);
    CLI::App* rosterColumns =
        roster->add_subcommand("columns", "print the stored column matchings of staff lists");
    CLI::App* rosterExport = roster->add_subcommand("export", "print the stored roster");
    rosterExport->add_option("--month", month, "0 (opening roster) to 12")->required();
    CLI::App* rosterSubmit = roster->add_subcommand(
        "submit", "write the opening roster as the submission file RCSB/Gl_{unit number}.dbf");

    int diffFrom = 0, diffTo = 0;
    CLI::App* rosterDiff =
        roster->add_subcommand("diff", "who joined, who left and whose answers changed");
    rosterDiff->add_option("--from", diffFrom, "earlier month, 0 (opening roster) to 12")->required();
    rosterDiff->add_option("--to", diffTo, "later month, 0 to 12")->required();
    bool pdf = false;
    const char* const pdfHelp = "also write the printed pages as a PDF under XLS";
    rosterDiff->add_flag("--pdf", pdf, pdfHelp);

    CLI::App* wages = cli.add_subcommand("wages", "a month's wages (1 to 12)");
    wages->require_subcommand(1);
    CLI::App* wagesImport =
        wages->add_subcommand("import", "check, total and store a wage workbook (.xlsx, .xls) or CSV file");
    wagesImport->add_option("--month", month, "1 to 12")->required();
    wagesImport->add_option("FILE", file, "one header row, then 姓名编号, 姓名 and the four parts")
        ->required();
    encodingOption(wagesImport);
    matchingOptions(wagesImport);
    CLI::App* wagesColumns =
        wages->add_subcommand("columns", "print the stored column matchings of payroll files");
    bool yes = false;
    CLI::App* wagesCarry = wages->add_subcommand(
        "carry", "store last month's wages for this month's roster (new persons without wages)");
    wagesCarry->add_option("--month", month, "2 to 12")->required();
    wagesCarry->add_flag("--yes", yes, "replace wages already stored for the month");
    std::vector<std::string> numbers;
    CLI::App* wagesConfirm = wages->add_subcommand(
        "confirm", "confirm the out-of-bounds totals of these persons as verified");
    wagesConfirm->add_option("--month", month, "1 to 12")->required();
    wagesConfirm->add_option("NUMBER", numbers, "name numbers whose totals are right")->required();
    wagesConfirm->add_flag("--yes", yes, "also confirm persons whose four parts are all empty");
    CLI::App* wagesExport =
        wages->add_subcommand("export", "print the stored wages with sFlag and wFlag");
    wagesExport->add_option("--month", month, "1 to 12")->required();

    CLI::App* payout = cli.add_subcommand("payout", "print the wage payout list over months");
    int firstMonth = 0, lastMonth = 0;
    payout->add_option("--from", firstMonth, "first month")->required();
    payout->add_option("--to", lastMonth, "last month")->required();
    payout->add_flag("--pdf", pdf, pdfHelp);

    CLI::App* overview =
        cli.add_subcommand("overview", "print the year at a glance: rosters, wages, problems, forms");
    overview->add_flag("--pdf", pdf, pdfHelp);

    cli::ReportCommands reports(cli);
    cli::CheckCommands checks(cli);
    cli::MaintenanceCommands maintenance(cli);

    CLI::App* helpCommand = cli.add_subcommand(
        "help", "print a help document's Markdown, or list the documents (no --data-dir)");
    std::string helpId;
    std::vector<std::string> helpIds;
    for (const help::Document& d : help::documents())
        helpIds.push_back(d.id.toStdString());
    helpCommand->add_option("DOCUMENT", helpId, "the document to print")->check(CLI::IsMember(helpIds));

    try {
        cli.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return cli.exit(e);  // --help, --version
    } catch (const CLI::ParseError& e) {
        cli::err(cli::usageErrorText(e));
        return cli::Usage;
    }
    if (*dataDirOption && dataDir.empty()) {
        cli::err(QStringLiteral("--data-dir 不能为空。"));
        return cli::Usage;
    }
    ImportOptions importOptions;
    importOptions.encoding = encodingFromName(QString::fromStdString(encoding));
    for (auto& [given, option] : {std::pair{&columns, &importOptions.columns},
                                  std::pair{&sheetName, &importOptions.sheet}})
        if (!given->empty())
            *option = QString::fromStdString(*given);

    const auto run = [&]() -> int {
        // The list lives in the user's configuration: no work folder is opened for it.
        if (*unitList)
            return cli::unitList();
        // The documents are built into the program.
        if (*helpCommand)
            return cli::printHelp(QString::fromStdString(helpId));
        const WorkFolder folder(WorkFolder::resolve(QString::fromStdString(dataDir)));
        if (!*init)
            folder.requireDatabase();
        Session session(folder);
        if (*init) {
            folder.createSubfolders();
            cli::out(folder.databasePath());
            return 0;
        }
        if (const std::optional<int> code = maintenance.run(session))
            return *code;
        if (*unitShow)
            return cli::unitShow(session);
        if (*unitSet) {
            cli::UnitSetOptions o;
            if (*nameOption)
                o.name = QString::fromStdString(name);
            if (*codeOption)
                o.code = QString::fromStdString(code);
            const auto figure = [](CLI::Option* option, const std::string& text) {
                return *option ? std::optional<QString>(QString::fromStdString(text)) : std::nullopt;
            };
            o.minWage = figure(minWageOption, minWage);
            o.lastHeads = figure(lastHeadsOption, lastHeads);
            o.lastWages = figure(lastWagesOption, lastWages);
            o.type = QString::fromStdString(type);
            o.unitClass = QString::fromStdString(unitClass);
            if (*foundedOption)
                o.foundedMonth = founded;
            return cli::unitSet(session, o);
        }
        if (*rosterImport)
            return cli::rosterImport(session, month, QString::fromStdString(file), importOptions);
        if (*rosterColumns)
            return cli::rosterColumns(session);
        if (*rosterExport)
            return cli::rosterExport(session, month);
        if (*rosterDiff)
            return cli::rosterDiff(session, diffFrom, diffTo, pdf);
        if (*rosterSubmit)
            return cli::rosterSubmit(session);
        if (*wagesImport)
            return cli::wagesImport(session, month, QString::fromStdString(file), importOptions);
        if (*wagesColumns)
            return cli::wagesColumns(session);
        if (*wagesCarry)
            return cli::wagesCarry(session, month, yes);
        if (*wagesConfirm) {
            QStringList persons;
            for (const std::string& n : numbers)
                persons << QString::fromStdString(n).trimmed();
            return cli::wagesConfirm(session, month, persons, yes);
        }
        if (*wagesExport)
            return cli::wagesExport(session, month);
        if (*payout)
            return cli::payoutList(session, firstMonth, lastMonth, pdf);
        if (*overview)
            return cli::yearOverview(session, pdf);
        if (const std::optional<int> code = reports.run(session))
            return *code;
        if (const std::optional<int> code = checks.run(session))
            return *code;
        return 0;
    };

    int exitCode = cli::Refused;
    try {
        exitCode = run();
    } catch (const Error& e) {
        cli::err(e.message());
    } catch (const std::bad_alloc&) {
        cli::err(QStringLiteral("内存不足，命令已中止，数据没有改动。"));
    } catch (const std::exception& e) {
        cli::err(programFault(e));
    }
    return cli::finishOutput(exitCode);
}
