#pragma once

#include "output/DbfWriter.h"
#include "output/WorkbookLayout.h"
#include "reports/CategoryForm.h"
#include "reports/FigureForm.h"
#include "reports/FormPeriod.h"
#include "reports/MonthRange.h"
#include "reports/WageSummaryForms.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace vel {

class Db;
class Sheet;
struct UnitAttributes;

// The table a form's results are stored in; the schema creates it from this.
struct StoredTable {
    enum class Shape {
        OneRow,        // frdm (the unit number), the figures, frmc (the unit name)
        CategoryRows,  // rows Gid 1..rows: Gid, Dep_id, Tdate, frmc, the figures
    };
    const char* name = "";
    Shape shape = Shape::OneRow;
    std::vector<const char*> columns;  // the figures' columns, in the table's order
    int rows = 0;                      // CategoryRows: made with the table
};

// Total_Info: the rows of the wage summaries and the older talent summary, which they share.
StoredTable totalInfoTable();

// What a form's file names, layouts and messages are made from.
struct FormContext {
    const UnitAttributes& unit;
    const FormPeriod& period;
    // The year the clerk typed, where the form heads its workbook with one.
    QString year;
};

// The workbook under XLS: "导出Excel" / "导成Excel", and what "打印" opens.
struct FormWorkbook {
    // The file's base name, without ".xlsx".
    std::function<QString(const FormContext&)> name;
    // Every cell, merge, border, width, height and margin of the page beside the copied sheet:
    // the one description of the form's printed page. Throws Error, writing nothing, when the
    // context does not make a page (a year the form is not valid for).
    std::function<WorkbookLayout(const FormContext&, const Sheet&)> layout;
    // The closing message, from the written file's path.
    std::function<QString(const QString& path)> message;
    // The year the window's year box and the command line start from; empty where the form
    // takes none.
    QString defaultYear;
};

// One submission file.
struct SubmissionFile {
    std::function<QString(const QString& unitCode, const FormPeriod&)> name;
    // The rows it carries, read right before it is written.
    std::function<DbfSource(Db&, const FormPeriod&)> source;
    // The name earlier versions gave it ("%1" the unit number), removed once it is written.
    QString olderName;
};

// "生成上报" / "生成上报文件": the files for the statistics authority.
struct FormSubmission {
    SubmissionFolder folder = SubmissionFolder::Gzsb;
    // The period kinds that are submitted: another one is refused before anything is checked.
    std::vector<PeriodKind> periods;
    // Of a range, only these are submitted (every range when empty); another is refused once
    // the range is checked.
    std::vector<MonthRange> ranges;
    QString notSubmittedMessage;
    // The results are stored first, so that a file never carries another period's.
    bool storesFirst = true;
    std::vector<SubmissionFile> files;
    // The message naming the folder and the files, from their paths.
    std::function<QString(const QStringList& paths)> message;
};

// The window that shows the computed form: its texts above the sheet and its buttons.
struct FormWindow {
    std::function<QString(const FormPeriod&)> caption;
    bool modal = true;
    QString kindLine;  // above the title, where the form has one
    QString title;
    // The unit's lines on the left; the period line follows them.
    std::function<QStringList(const UnitAttributes&)> unitLines;
    // The form's registration on the right: 表号, 制定机关, 批准文号, 有效期至 as the window
    // shows them.
    QStringList identityLines;
    QString exportCaption = QStringLiteral("导出Excel");
    QString printCaption = QStringLiteral("打印");
    QString submitCaption = QStringLiteral("生成上报");
    // The sheet's context menu offers "复制".
    bool copyMenu = false;
};

// A main-window entry that opens the form; a range entry opens the month-range chooser.
struct FormEntry {
    QString caption;
    QString name;  // the action's object name, by which pictures and tests find it
    FormPeriod period;
    bool shown = true;
    bool enabled = true;
    // A refused unit registration offers the unit information window.
    bool offersUnitWindow = false;
};

// The form's entries in the menu "数据汇总", in a submenu when `submenu` is given.
struct FormMenu {
    QString submenu;
    bool submenuShown = true;
    std::vector<FormEntry> entries;
};

// The form's tool button: the quarter chooser for a quarterly form, else its first entry.
struct FormToolButton {
    QString caption;
    QString name;
    bool shown = true;
    bool quarterChooser = false;
};

// The three kinds of form the engines compute.
struct SummarySetup {
    SummaryForm form;
};
using FormEngineSetup = std::variant<FigureFormSetup, CategoryFormSetup, SummarySetup>;

// One callable per kind of form, for std::visit over a FormEngineSetup.
template <class... Ts>
struct EngineVisitor : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
EngineVisitor(Ts...) -> EngineVisitor<Ts...>;

// Everything about one statistical form, in one place: how it is named and reached, which
// periods it is drawn for, what is checked before it, how it is computed and stored, its
// workbook page, its submission files and its window. The registry (forms()) lists every one;
// the windows, the command line, the schema, the help and the lists of forms read them from
// there.
struct FormDefinition {
    // The form's number as lists and the help name it ("I202-1").
    QString number;
    // `veldrassa-cli report <command>`; two forms share one where the unit's kind chooses.
    QString command;
    // The command line's description of it.
    QString description;
    // Its place among the forms in the menus, the tool bar, the help and the lists.
    int position = 0;
    // The units it is for: nullopt every unit, true government organs only, false the others.
    std::optional<bool> forOrgans;

    // The periods it is drawn for, the first the command line's default.
    std::vector<PeriodKind> periods;
    // A range's checks before the month-range chooser opens; the range's own checks follow.
    std::function<ChooserOpening(Db&)> chooserChecks;
    // The form's checks once the unit is registered and a range is checked.
    std::function<CheckOutcome(Db&, const FormPeriod&)> checks;

    FormEngineSetup engine;
    StoredTable table;
    FormWorkbook workbook;
    FormSubmission submission;
    FormWindow window;
    std::vector<FormMenu> menus;
    std::optional<FormToolButton> toolButton;

    // The manual's picture of its window; empty when the manual shows none.
    QString picture;
    // The key of its generated help tables: "i202-1", or "i704-rows" and "i704-columns" for
    // a summary.
    QString helpKey;
    // The year overview lists it in the month that ends a period whose submission file exists.
    bool listedInOverview = false;

    // Whether the form is for a unit of this kind.
    bool appliesTo(bool organ) const { return !forOrgans || *forOrgans == organ; }
    // The rows a stored copy of a range holds (the wage summaries); 0 for a form that keeps none.
    int storedCopyRows() const;
};

}  // namespace vel
