#include "MaintenanceCommands.h"

#include "CheckBoxes.h"
#include "ClearMonthsDialog.h"
#include "FileChooser.h"
#include "HistoryImportWizard.h"
#include "MainWindow.h"
#include "Prompter.h"
#include "Session.h"
#include "ShellOpen.h"
#include "maintenance/DatabaseCopy.h"
#include "period/CommandChecks.h"

#include <QApplication>
#include <QFileInfo>
#include <QProgressBar>

namespace vel::gui {
namespace {

// Every window goes, the modeless ones beside the main window too, so the program ends.
void endProgram()
{
    QApplication::closeAllWindows();
}

}  // namespace

void backupCommand(MainWindow& main)
{
    Session& session = main.session();
    if (!main.passes(unitCheck(session, false)))
        return;
    QString target = chooseFiles().saveFile(
        &main, QStringLiteral("数据备份"),
        defaultBackupPath(session.folder(), session.unit().CurDepNo), maintenance::BackupFilter);
    if (target.isEmpty())
        return;
    if (QFileInfo(target).suffix().isEmpty())
        target += ".db";
    if (!main.passes(backupChecks(session, target)))
        return;
    try {
        backupDatabase(session.db(), target,
                       [&main](int percent) { main.progressBar()->setValue(percent); });
    } catch (...) {
        main.progressBar()->setValue(0);
        throw;
    }
    main.progressBar()->setValue(0);
    prompt().confirm(&main, maintenance::backupDone(target));
    openInShell(&main, QFileInfo(target).absolutePath());
}

void restoreCommand(MainWindow& main)
{
    if (!prompt().ask(&main, maintenance::RestoreQuestion))
        return;
    Session& session = main.session();
    const QString source = chooseFiles().openFile(&main, QStringLiteral("数据还原"),
                                                  session.folder().folder("BAK"),
                                                  maintenance::BackupFilter);
    if (source.isEmpty())
        return;
    const QString refusal = restoreRefusal(source);
    if (!refusal.isEmpty()) {
        prompt().info(&main, refusal + QStringLiteral("\n当前数据未作任何改动。"));
        return;
    }
    const QString kept = restoreDatabase(session.db(), session.folder(), source);
    prompt().confirm(&main, maintenance::Restored + QStringLiteral("\n原有数据已保存在：%1").arg(kept));
    endProgram();
}

void initialiseCommand(MainWindow& main)
{
    if (!prompt().ask(&main, maintenance::InitialiseQuestion))
        return;
    Session& session = main.session();
    const QString kept = initialiseDatabase(session.db(), session.folder());
    // The old data are not gone: say where they are before the program ends.
    prompt().info(&main, QStringLiteral("系统已初始化，原有数据已保存在：%1").arg(kept));
    endProgram();
}

bool clearCommand(MainWindow& main, ClearKind kind)
{
    Session& session = main.session();
    if (kind == ClearKind::MonthlyStaff || kind == ClearKind::Wages) {
        if (!main.passes(clearOpens(session, kind)))
            return false;
        ClearMonthsDialog dialog(session, kind, &main);
        dialog.exec();
        main.RefreshMonthMenus();
        return false;
    }
    const bool cleared = main.passes(clearChecks(session, kind, std::nullopt));
    if (cleared)
        prompt().info(&main, clearData(session, kind, std::nullopt));
    if (kind != ClearKind::Opening)
        main.RefreshMonthMenus();
    else if (cleared)
        main.openingRosterCleared();
    return cleared;
}

void historyImportCommand(MainWindow& main)
{
    HistoryImportWizard wizard(main.session(), &main);
    QObject::connect(&wizard, &HistoryImportWizard::imported, &main, [&main] {
        main.RefreshEntryMenus();
        main.RefreshMonthMenus();
    });
    wizard.exec();
}

}  // namespace vel::gui
