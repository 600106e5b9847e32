// Makes the pictures of the manual: a generated year in a scratch work folder, every window a
// clerk opens from the menus, each saved as FOLDER/NAME.png. Run it through
// scripts/screenshots.sh, which gives it a display.
#include "Application.h"
#include "GeneratedYear.h"
#include "MainWindow.h"
#include "Session.h"
#include "Shooter.h"
#include "monthly/BatchDeleteWindow.h"
#include "monthly/PayoutWindow.h"
#include "reports/Forms.h"
#include "reports/MonthRangeChooser.h"
#include "staff/MonthlyRosterWindow.h"
#include "staff/RosterFile.h"
#include "unit/UnitList.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScreen>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

using namespace vel;
using namespace vel::gui;
using vel::screens::Shooter;
using vel::screens::Step;

namespace {

// A second unit in the list, so that "切换单位" has a choice to show.
void registerNeighbour(const QString& folder)
{
    Session other{WorkFolder(folder)};
    UnitRegistration r;
    r.name = QStringLiteral("临川市城南街道办事处");
    r.code = QStringLiteral("36010217Y");
    r.type = unit::OrganType;
    r.unitClass = QStringLiteral("否");
    saveRegistration(other.db(), r);
    other.unitRegistered();
    UnitList().remember(other);
}

const FormEntry& firstShownEntry(const FormDefinition& form)
{
    for (const FormMenu& menu : form.menus)
        for (const FormEntry& entry : menu.entries)
            if (menu.submenuShown && entry.shown)
                return entry;
    return form.menus.front().entries.front();
}

class Run {
public:
    Run(MainWindow& main, Shooter& shots) : main_(main), shots_(shots) {}

    // The menu entry or tool button of that name, as a click would run it.
    std::function<void()> entry(const QString& name)
    {
        return [this, name] {
            if (auto* a = main_.findChild<QAction*>(name))
                a->trigger();
            else
                missing << name;
        };
    }

    // Clicks a window's button by its name.
    static std::function<void(QWidget*)> click(const char* name)
    {
        return [name](QWidget* w) {
            if (auto* b = w->findChild<QPushButton*>(name))
                b->click();
        };
    }

    // A window the command left open beside the main window (not modal); nullptr, counted as
    // missing, when there is none.
    QWidget* openWindow(const QString& match)
    {
        Shooter::settle();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &main_ && w->isVisible() && w->windowTitle().contains(match))
                return w;
        missing << match;
        return nullptr;
    }

    // Such a window saved and closed.
    void saveOpenWindow(const QString& match, const QString& picture)
    {
        if (QWidget* w = openWindow(match)) {
            shots_.save(w, picture);
            w->close();
        }
    }

    QStringList missing;

private:
    MainWindow& main_;
    Shooter& shots_;
};

// Every form the manual shows, opened as a clerk opens it: by its quarter chooser, else by its
// first shown menu entry, through the month-range chooser for a range.
void takeFormPictures(Shooter& shots, Run& run)
{
    bool rangeChooserTaken = false;
    bool previewTaken = false;
    for (const FormDefinition* form : forms()) {
        if (form->picture.isEmpty())
            continue;
        if (form->toolButton && form->toolButton->quarterChooser) {
            // The quarter chooser stays beside the form it opens.
            run.entry(form->toolButton->name)();
            if (QWidget* chooser = run.openWindow(QStringLiteral("季度选择"))) {
                shots.save(chooser, "quarter-chooser");
                Run::click("quarter3")(chooser);
                if (QWidget* report = run.openWindow(form->window.caption(FormPeriod::ofQuarter(3)))) {
                    shots.save(report, form->picture);
                    if (!previewTaken) {
                        // "打印": the form's pages in the print preview.
                        Run::click("print")(report);
                        Shooter::settle(500);
                        if (auto* preview = report->findChild<QPrintPreviewDialog*>("printPreview")) {
                            shots.save(preview, "print-preview");
                            preview->close();
                        } else {
                            run.missing << QStringLiteral("打印预览");
                        }
                        previewTaken = true;
                    }
                    report->close();
                }
                chooser->close();
            }
            continue;
        }
        const FormEntry& entry = firstShownEntry(*form);
        const QString caption = form->window.caption(entry.period);
        std::vector<Step> steps;
        if (entry.period.kind == PeriodKind::MonthRange) {
            steps.push_back({QStringLiteral("选择汇总月度区间"),
                             rangeChooserTaken ? QString() : QStringLiteral("range-chooser"),
                             [](QWidget* w) {
                                 auto* chooser = qobject_cast<MonthRangeChooser*>(w);
                                 if (!chooser) {
                                     w->close();
                                     return;
                                 }
                                 chooser->fromBox()->setCurrentText("1");
                                 chooser->toBox()->setCurrentText("12");
                                 chooser->choose();
                             }});
            rangeChooserTaken = true;
        }
        if (!form->window.modal) {
            run.entry(entry.name)();
            run.saveOpenWindow(caption, form->picture);
            continue;
        }
        steps.push_back({caption, form->picture, {}});
        shots.throughModals(form->command, run.entry(entry.name), steps);
    }
}

void takePictures(MainWindow& main, Shooter& shots, Run& run)
{
    shots.save(&main, "main");
    for (const auto& [name, picture] : {std::pair{"menuStaff", "menu-staff"},
                                        std::pair{"menuWage", "menu-wage"},
                                        std::pair{"menuSummary", "menu-summary"},
                                        std::pair{"menuSystem", "menu-system"}}) {
        if (auto* menu = main.findChild<QMenu*>(name))
            shots.saveWithMenu(&main, menu, picture);
        else
            run.missing << QString::fromLatin1(name);
    }

    shots.throughModals("unit", run.entry("actUnitInfo"), {{"单位信息", "unit-info", {}}});
    shots.throughModals("switch", run.entry("actSwitchUnit"), {{"修改操作单位", "unit-switch", {}}});
    shots.throughModals("opening", run.entry("actOpeningBatch"),
                        {{"人员情况期初录入", "opening-roster", {}}});
    shots.throughModals("person", run.entry("actOpeningSingle"),
                        {{"期初个人信息录入", "person", {}}});
    shots.throughModals("changes", run.entry("actRosterChanges"), {{"人员变动", "roster-changes", {}}});
    shots.throughModals("wages", run.entry("actWageMonth6"), {{"6月", "wage-entry", {}}});

    takeFormPictures(shots, run);
    shots.throughModals("payout", run.entry("actPayout"),
                        {{"选择输出期限", "",
                          [&shots](QWidget* w) {
                              // The whole year, as a clerk draws it in December.
                              auto* chooser = qobject_cast<PayoutChooser*>(w);
                              if (!chooser) {
                                  w->close();
                                  return;
                              }
                              chooser->lastBox()->setCurrentIndex(chooser->lastBox()->count() - 1);
                              shots.save(chooser, "payout-chooser");
                              chooser->output();
                          }},
                         {"工资发放汇总清单", "payout", {}}});
    shots.throughModals("overview", run.entry("actYearOverview"), {{"全年概况", "year-overview", {}}});
    shots.throughModals("data check", run.entry("actDataCheck"), {{"数据审核", "data-check", {}}});

    // The keeping of the data: every question is answered No, every file dialog cancelled.
    shots.throughModals("backup", run.entry("actBackup"), {{"数据备份", "backup", {}}});
    shots.throughModals("restore", run.entry("actRestore"),
                        {{"还原", "restore-question", {}}});
    shots.throughModals("clear", run.entry("actClearOpening"), {{"清空", "clear-opening", {}}});
    shots.throughModals("initialise", run.entry("actInitialise"), {{"系统数据将清空", "initialise", {}}});
    shots.throughModals("history", run.entry("actHistoryImport"),
                        {{"历史数据导入向导", "history-import", {}}});
    shots.throughModals("about", run.entry("actAbout"), {{"关于本系统", "about", {}}});
    run.entry("actManual")();
    run.saveOpenWindow(QStringLiteral("帮助"), "help");
}

// December spoiled: the windows that show what failed and let it be put right.
void takeErrorPictures(MainWindow& main, Shooter& shots, Run& run)
{
    shots.throughModals("december", run.entry("actWageMonth12"),
                        {{"12月", "wage-entry-errors",
                          [](QWidget* w) {
                              Run::click("showErrors")(w);
                              w->close();
                          }},
                         {"12月", "wage-errors", {}}});
    {
        MonthlyRosterWindow roster(main.windowContext(), 12, &main);
        roster.show();
        shots.save(&roster, "monthly-roster");
        Run::click("edit")(&roster);
        shots.throughModals("correction", [&] { Run::click("showErrors")(&roster); },
                            {{"错误信息表", "error-correction", {}}});
        // Two of the month's people typed in and looked up, as before a deletion.
        const QStringList stored = rosterExportText(main.session().db(), 12).split('\n');
        shots.throughModals("batch delete", [&] { Run::click("batchDelete")(&roster); },
                            {{"批量人员删除", "",
                              [&shots, stored](QWidget* w) {
                                  auto* window = qobject_cast<BatchDeleteWindow*>(w);
                                  if (!window) {
                                      w->close();
                                      return;
                                  }
                                  for (int row = 2; row <= 3; ++row) {
                                      const QStringList cells = stored[row - 1].split('\t');
                                      window->input().setText(row, 1, cells[0]);
                                      window->input().setText(row, 2, cells[1]);
                                  }
                                  window->lookUp();
                                  shots.save(window, "batch-delete");
                                  window->reject();
                              }}});
        roster.close();
    }
}

// "1366x768" as a size; empty when it is none.
QSize screenSize(const char* text)
{
    const QStringList parts = QString::fromLatin1(text).split('x');
    if (parts.size() != 2)
        return {};
    return {parts[0].toInt(), parts[1].toInt()};
}

// The offscreen platform with one screen of that size, described in `file`.
bool useOffscreenScreen(QSize size, const QString& file)
{
    const QJsonObject screen{{"name", "clerk"},      {"x", 0},          {"y", 0},
                             {"width", size.width()}, {"height", size.height()},
                             {"logicalDpi", 96},      {"logicalBpi", 96}, {"dpr", 1}};
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(QJsonDocument(QJsonObject{{"screens", QJsonArray{screen}}}).toJson()) < 0)
        return false;
    qputenv("QT_QPA_PLATFORM", QFile::encodeName("offscreen:configfile=" + file));
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QTextStream err(stderr);
    // --check-frames WIDTHxHEIGHT: the same windows on an offscreen screen of that size, checked
    // to lie inside it instead of saved.
    const bool checking = argc == 3 && QByteArray(argv[1]) == "--check-frames";
    const QSize screen = checking ? screenSize(argv[2]) : QSize();
    if ((argc != 2 && !checking) || (checking && screen.isEmpty())) {
        err << "usage: veldrassa-screens FOLDER | --check-frames WIDTHxHEIGHT\n";
        return 2;
    }
    QTemporaryDir scratch(QDir::tempPath() + "/veldrassa-XXXXXX");
    if (!scratch.isValid()) {
        err << "cannot create a scratch folder: " << scratch.errorString() << "\n";
        return 1;
    }
    // The unit list of the pictures, not the user's.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.filePath("config")));
    if (checking && !useOffscreenScreen(screen, scratch.filePath("screen.json"))) {
        err << "cannot write the screen's description\n";
        return 1;
    }
    QApplication app(argc, argv);
    setUpApplication(app);
    if (checking && QGuiApplication::primaryScreen()->size() != screen) {
        err << "the offscreen platform did not take the screen's size\n";
        return 1;
    }
    const QString folder = checking ? QString() : QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!checking && !QDir().mkpath(folder)) {
        err << "cannot create " << folder << "\n";
        return 1;
    }

    Shooter shots = checking ? Shooter::checkingFrames() : Shooter(folder);
    QStringList missing;
    try {
        registerNeighbour(scratch.filePath(QStringLiteral("城南街道")));
        Session session{WorkFolder(scratch.filePath(QStringLiteral("恒达建材")))};
        screens::generateYear(session);
        UnitList().remember(session);

        MainWindow main(session);
        main.resize(900, 560);
        if (checking)
            main.showMaximized();  // as the program shows it
        else
            main.show();
        main.startUp();
        Run run(main, shots);
        takePictures(main, shots, run);
        screens::spoilDecember(session);
        main.RefreshMonthMenus();
        takeErrorPictures(main, shots, run);
        missing = run.missing;
    } catch (const std::exception& e) {
        err << "failed: " << e.what() << "\n";
        return 1;
    }
    for (const QString& m : missing)
        err << "not found: " << m << "\n";
    for (const QString& f : shots.failures())
        err << f << "\n";
    if (checking)
        err << shots.saved().size() << " windows checked on " << screen.width() << "x" << screen.height()
            << "\n";
    else
        err << shots.saved().size() << " pictures in " << folder << "\n";
    return missing.isEmpty() && shots.failures().isEmpty() ? 0 : 1;
}
