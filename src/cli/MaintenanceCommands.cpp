#include "MaintenanceCommands.h"

#include "CliSupport.h"
#include "Errors.h"
#include "Session.h"
#include "history/HistoryImport.h"
#include "maintenance/Clearing.h"
#include "maintenance/DatabaseCopy.h"
#include "period/CommandChecks.h"

#include <map>

namespace vel::cli {

MaintenanceCommands::MaintenanceCommands(CLI::App& cli)
{
    backup_ = cli.add_subcommand("backup", "copy the database (default BAK/{unit number}.db)");
    backup_->add_option("FILE", file_, "the copy to write");
    backup_->add_flag("--yes", yes_, "replace a file already there");
    restore_ = cli.add_subcommand(
        "restore", "replace the database by a backup; the replaced one is kept under BAK");
    restore_->add_option("FILE", file_, "the backup to restore")->required();
    restore_->add_flag("--yes", yes_, "accepted as by every command that replaces data");
    reset_ = cli.add_subcommand(
        "reset", "replace the database by a blank one; the replaced one is kept under BAK");
    reset_->add_flag("--yes", yes_, "answer the question Yes");
    clear_ = cli.add_subcommand("clear", "empty the opening roster, the monthly rosters or wages");
    clear_->add_option("KIND", kind_, "opening, staff, monthly-staff or wages")->required();
    month_ = clear_->add_option("--month", monthValue_,
                                "monthly-staff and wages: only this month, the last one entered");
    clear_->add_flag("--yes", yes_, "answer the question Yes");
    import_ = cli.add_subcommand("import-history",
                                 "add staff and wages from an earlier installation's folder");
    import_->add_option("--from", from_,
                        "the folder whose Database holds RCdatabase.db or the earlier program's "
                        "Access RCdatabase.mdb")
        ->required();
    import_->add_option("--option", option_,
                        "1 December as opening roster, 2 opening roster, 3 monthly rosters, "
                        "4 wages, 5 monthly rosters and wages")
        ->required();
    import_->add_flag("--yes", yes_, "answer the question Yes");
}

std::optional<int> MaintenanceCommands::run(Session& session)
{
    if (*backup_ || *restore_ || *reset_ || *clear_ || *import_)
        removeStaleCopies(session.folder());
    if (*backup_)
        return backup(session);
    if (*restore_)
        return restore(session);
    if (*reset_)
        return reset(session);
    if (*clear_)
        return clear(session);
    if (*import_)
        return importHistory(session);
    return std::nullopt;
}

int MaintenanceCommands::backup(Session& session)
{
    // The default name is the registered unit's number; without a unit the checks refuse.
    const QString unitCode = session.unitRegistered() ? session.unit().CurDepNo : QString();
    const QString target = file_.empty() ? defaultBackupPath(session.folder(), unitCode)
                                         : QString::fromStdString(file_);
    if (!checksPass(backupChecks(session, target), yes_))
        return Refused;
    backupDatabase(session.db(), target);
    out(maintenance::backupDone(target));
    return 0;
}

int MaintenanceCommands::restore(Session& session)
{
    const QString source = QString::fromStdString(file_);
    const QString refusal = restoreRefusal(source);
    if (!refusal.isEmpty()) {
        err(refusal);
        return Refused;
    }
    const QString kept = restoreDatabase(session.db(), session.folder(), source);
    out(QStringLiteral("还原成功，原有数据已保存在：%1").arg(kept));
    return 0;
}

int MaintenanceCommands::reset(Session& session)
{
    CheckOutcome question;
    question.question = maintenance::InitialiseQuestion;
    if (!checksPass(question, yes_))
        return Refused;
    const QString kept = initialiseDatabase(session.db(), session.folder());
    out(QStringLiteral("系统已初始化，原有数据已保存在：%1").arg(kept));
    return 0;
}

int MaintenanceCommands::clear(Session& session)
{
    static const std::map<std::string, ClearKind> kinds = {
        {"opening", ClearKind::Opening},
        {"staff", ClearKind::Staff},
        {"monthly-staff", ClearKind::MonthlyStaff},
        {"wages", ClearKind::Wages}};
    const auto kind = kinds.find(kind_);
    if (kind == kinds.end()) {
        err(QStringLiteral("清空的内容必须是 opening、staff、monthly-staff 或 wages。"));
        return Refused;
    }
    std::optional<int> month;
    if (*month_)
        month = monthValue_;
    if (!checksPass(clearChecks(session, kind->second, month), yes_))
        return Refused;
    out(clearData(session, kind->second, month).trimmed());
    return 0;
}

int MaintenanceCommands::importHistory(Session& session)
{
    if (option_ < 1 || option_ > 5) {
        err(QStringLiteral("导入选项必须是1到5。"));
        return Refused;
    }
    const auto option = static_cast<HistoryOption>(option_);
    const QString folder = QString::fromStdString(from_);
    if (!checksPass(historyImportChecks(session, folder, option), yes_))
        return Refused;
    HistoryImportResult result;
    try {
        result = vel::importHistory(session, folder, option);
    } catch (const Error& e) {
        err(e.message() + QStringLiteral("\n本次导入未作任何改动。"));
        return Refused;
    }
    for (const QString& message : result.messages)
        out(message);
    for (const QString& line : result.refused)
        err(line);
    return 0;
}

}  // namespace vel::cli
