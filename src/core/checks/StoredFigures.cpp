#include "StoredFigures.h"

#include "Session.h"
#include "db/Db.h"
#include "reports/FormDefinition.h"
#include "reports/Forms.h"
#include "reports/PeriodCopy.h"

#include <cmath>
#include <stdexcept>

namespace vel {
namespace {

std::optional<long long> figureOf(const SQLite::Column& c, bool inFen)
{
    if (c.isNull())
        return std::nullopt;
    return std::llround(c.getDouble() * (inFen ? 100 : 1));
}

}  // namespace

std::optional<StoredFigures> storedFormRow(Db& db, const FormDefinition& form)
{
    const auto* setup = std::get_if<FigureFormSetup>(&form.engine);
    if (!setup)
        throw std::logic_error("a stored row of a form that keeps no single row");
    return guarded(db, [&]() -> std::optional<StoredFigures> {
        SQLite::Statement q(db.handle(), std::string("SELECT * FROM ") + form.table.name + " LIMIT 1");
        if (!q.executeStep())
            return std::nullopt;
        StoredFigures figures;
        for (const char* c : form.table.columns)
            figures[c] = figureOf(q.getColumn(c), setup->inFen.count(c) > 0);
        return figures;
    });
}

std::map<int, StoredFigures> storedSummaryCopy(Db& db, const FormDefinition& form,
                                               const MonthRange& range)
{
    std::map<int, StoredFigures> rows;
    if (!periodCopyStored(db, range, form.storedCopyRows()))
        return rows;
    guarded(db, [&] {
        SQLite::Statement q(db.handle(), "SELECT * FROM " + periodCopyTable(range));
        while (q.executeStep()) {
            StoredFigures& row = rows[q.getColumn("Gid").getInt()];
            for (const char* c : form.table.columns)
                row[c] = figureOf(q.getColumn(c), false);
        }
        return 0;
    });
    return rows;
}

long long storedValue(const StoredFigures& figures, const std::string& column)
{
    const auto it = figures.find(column);
    return it == figures.end() ? 0 : it->second.value_or(0);
}

const FormDefinition& formForUnit(Session& session, const char* command)
{
    const FormDefinition* form =
        formFor(QString::fromLatin1(command), session.unit().isOrgan());
    if (!form)
        throw std::logic_error(std::string("no form for ") + command);
    return *form;
}

}  // namespace vel
