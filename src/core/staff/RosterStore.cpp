#include "RosterStore.h"

#include "db/BulkInsert.h"
#include "Errors.h"
#include "db/Db.h"
#include "io/DelimitedFile.h"
#include "monthly/WageStore.h"
#include "sheet/Sheet.h"

#include <QStringList>

namespace vel {
namespace {

SqlValue textOrNull(const QString& text)
{
    if (QStringView(text).trimmed().isEmpty())
        return nullptr;
    return text;
}

// Codes go into number columns: bound as numbers, they spare the engine a conversion per cell.
SqlValue codeValue(const QString& text)
{
    bool ok = false;
    const long long code = text.toLongLong(&ok);
    if (ok)
        return code;
    return textOrNull(text);
}

void report(const Progress& progress, int done, int total)
{
    if (progress && total > 0)
        progress(done * 100 / total);
}

// Working years go into number columns as numbers. A text the audit failed is kept as typed, so
// that the error window shows what to correct; in a row that passed it is refused.
SqlValue yearsValue(const Sheet& sheet, const StaffRowResult& r, int col)
{
    const QString text = sheet.text(r.row, col).trimmed();
    if (text.isEmpty())
        return nullptr;
    if (isWorkYears(text))
        return text.toLongLong();
    if (!r.passed)
        return sheet.text(r.row, col);
    throw ConversionError(QStringLiteral("第%1行“%2”不是整数：%3")
                              .arg(r.row)
                              .arg(QString::fromUtf8(staffColumn(col).header))
                              .arg(text));
}

// A control character typed or pasted into a cell would cut every later print of it short.
void refuseControlChars(const Sheet& sheet, const StaffPassResult& audit)
{
    for (const StaffRowResult& r : audit.rows)
        for (const StaffColumn& c : staffColumns()) {
            const QString text = sheet.text(r.row, c.col);
            const qsizetype at = controlCharAt(text);
            if (at >= 0)
                throw Error(QStringLiteral("第%1行“%2”含有控制字符 %3，请删除后再保存。")
                                .arg(r.row)
                                .arg(QString::fromUtf8(c.header))
                                .arg(charCodeText(text[at])));
        }
}

void refuseBlankNames(const Sheet& sheet, const StaffPassResult& audit)
{
    for (const StaffRowResult& r : audit.rows)
        if (sheet.text(r.row, staff::NameCol).trimmed().isEmpty())
            throw Error(QStringLiteral("第%1行姓名只有空格，请填写姓名或删除该行后再保存。")
                            .arg(r.row));
}

}  // namespace

int loadRoster(Db& db, int month, RosterFilter filter, Sheet& sheet, bool withCodes,
               const Progress& progress)
{
    sheet.clearRange(staff::FirstPersonRow, 1, sheet.maxRow(), sheet.columnCount(),
                     ClearWhat::Everything);
    std::string sql = "SELECT * FROM Staff_moninfo WHERE sMon = ?";
    if (filter == RosterFilter::Failed)
        sql += " AND sIsok = '0'";
    else if (filter == RosterFilter::Passed)
        sql += " AND sIsok = '1'";
    const SqlParams params{static_cast<long long>(month)};
    const long long total = std::get<long long>(
        db.scalar("SELECT COUNT(*) FROM (" + sql + ")", params));
    Query q(db, sql + " ORDER BY id", params);
    int row = staff::FirstPersonRow;
    while (q.next() && row <= sheet.maxRow()) {
        for (const StaffColumn& c : staffColumns()) {
            sheet.setText(row, c.col, q.text(c.textField));
            if (withCodes && c.codeField)
                sheet.setText(row, c.codeCol, q.text(c.codeField));
        }
        sheet.setText(row, staff::IdCol, q.text("id"));
        ++row;
        report(progress, row - staff::FirstPersonRow, static_cast<int>(total));
    }
    return row - staff::FirstPersonRow;
}

void replaceRoster(Db& db, int month, const Sheet& sheet, StaffClass staffClass,
                   const StaffPassResult& audit, const Progress& progress)
{
    refusePeopleBelowNamelessRow(sheet);
    refuseBlankNames(sheet, audit);
    refuseControlChars(sheet, audit);

    Transaction tx(db);
    db.exec("DELETE FROM Staff_moninfo WHERE sMon = ?", {static_cast<long long>(month)});
    appendRosterRows(db, month, sheet, staffClass, audit, progress);
    tx.commit();
}

void appendRosterRows(Db& db, int month, const Sheet& sheet, StaffClass staffClass,
                      const StaffPassResult& audit, const Progress& progress)
{
    std::vector<const StaffColumn*> answers;
    for (const StaffColumn& c : staffColumns())
        if (staffColumnUsed(c.col, staffClass))
            answers.push_back(&c);
    QStringList fields;
    for (const StaffColumn* c : answers)
        fields << c->textField;
    for (const StaffColumn* c : answers)
        if (c->codeField)
            fields << c->codeField;
    fields << "sIsok" << "sMon";

    BulkInsert insert(db, "Staff_moninfo", fields);
    int done = 0;
    SqlParams values;
    for (const StaffRowResult& r : audit.rows) {
        values.clear();
        for (const StaffColumn* c : answers) {
            // Name and name number are stored as they stand, even empty.
            if (c->col <= staff::NumberCol)
                values.push_back(sheet.text(r.row, c->col));
            else if (c->col == staff::WorksCol || c->col == staff::WorkCol)
                values.push_back(yearsValue(sheet, r, c->col));
            else
                values.push_back(textOrNull(sheet.text(r.row, c->col)));
        }
        for (const StaffColumn* c : answers)
            if (c->codeField)
                values.push_back(codeValue(sheet.text(r.row, c->codeCol)));
        values.push_back(r.sIsok());
        values.push_back(static_cast<long long>(month));
        insert.add(values);
        report(progress, ++done, static_cast<int>(audit.rows.size()));
    }
    insert.finish();
    recheckWagePersons(db, month);
}

StaffPassResult auditAndReplaceRoster(Db& db, int month, Sheet& sheet, const StaffRules& rules,
                                      StaffClass staffClass, const Progress& progress)
{
    StaffPassResult audit;
    {
        SheetBatch batch(sheet);
        audit = rules.runPass(sheet, month == 0 ? staffpass::OpeningSave : staffpass::MonthlySave);
    }
    replaceRoster(db, month, sheet, staffClass, audit, progress);
    return audit;
}

void updateCorrectedRows(Db& db, int month, const Sheet& sheet, const StaffPassResult& audit,
                         const Progress& progress)
{
    refusePeopleBelowNamelessRow(sheet);
    refuseControlChars(sheet, audit);
    // Every value is read (and refused) before anything is written.
    std::vector<SqlParams> updates;
    for (const StaffRowResult& r : audit.rows) {
        SqlParams v{sheet.text(r.row, staff::NameCol), sheet.text(r.row, staff::NumberCol)};
        for (const StaffColumn& c : staffColumns()) {
            if (!c.codeField)
                continue;
            const SqlValue answer = textOrNull(sheet.text(r.row, c.col));
            v.push_back(answer);
            if (std::holds_alternative<std::nullptr_t>(answer))
                v.push_back(nullptr);
            else
                v.push_back(textOrNull(sheet.text(r.row, c.codeCol)));
        }
        v.push_back(textOrNull(sheet.text(r.row, staff::BirthCol)));
        v.push_back(yearsValue(sheet, r, staff::WorksCol));
        v.push_back(yearsValue(sheet, r, staff::WorkCol));
        v.push_back(r.sIsok());
        bool idOk = false;
        const long long id = sheet.text(r.row, staff::IdCol).toLongLong(&idOk);
        if (!idOk)
            throw Error(QStringLiteral("第%1行没有记录号，无法保存。").arg(r.row));
        v.push_back(id);
        v.push_back(static_cast<long long>(month));
        updates.push_back(std::move(v));
    }

    QStringList assignments{"sName = ?", "sNumber = ?"};
    for (const StaffColumn& c : staffColumns())
        if (c.codeField)
            assignments << QString("%1 = ?").arg(c.textField) << QString("%1 = ?").arg(c.codeField);
    assignments << "sBirth = ?" << "sWorks = ?" << "sWork = ?" << "sIsok = ?";
    const std::string sql = "UPDATE Staff_moninfo SET " + assignments.join(", ").toStdString() +
                            " WHERE id = ? AND sMon = ?";

    Transaction tx(db);
    Statement update(db, sql);
    int done = 0;
    for (const SqlParams& v : updates) {
        update.run(v);
        report(progress, ++done, static_cast<int>(updates.size()));
    }
    recheckWagePersons(db, month);
    tx.commit();
}

bool hasFailedRows(Db& db, int month)
{
    return db.exists("SELECT 1 FROM Staff_moninfo WHERE sMon = ? AND sIsok = '0'",
                     {static_cast<long long>(month)});
}

}  // namespace vel
