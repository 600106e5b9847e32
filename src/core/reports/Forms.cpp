#include "Forms.h"

#include <algorithm>
#include <stdexcept>

namespace vel {

#define VEL_FORM(name) const FormDefinition& name();
#include "FormList.inc"
#undef VEL_FORM

const std::vector<const FormDefinition*>& forms()
{
    static const std::vector<const FormDefinition*> all = [] {
        std::vector<const FormDefinition*> list = {
#define VEL_FORM(name) &name(),
#include "FormList.inc"
#undef VEL_FORM
        };
        std::stable_sort(list.begin(), list.end(),
                         [](const FormDefinition* a, const FormDefinition* b) {
                             return a->position < b->position;
                         });
        return list;
    }();
    return all;
}

const FormDefinition* formFor(const QString& command, bool organ)
{
    for (const FormDefinition* f : forms())
        if (f->command == command && f->appliesTo(organ))
            return f;
    return nullptr;
}

QStringList formCommands()
{
    QStringList commands;
    for (const FormDefinition* f : forms())
        if (!commands.contains(f->command))
            commands << f->command;
    return commands;
}

std::vector<const StoredTable*> formTables()
{
    std::vector<const StoredTable*> tables;
    for (const FormDefinition* f : forms()) {
        const auto same = std::find_if(tables.begin(), tables.end(), [f](const StoredTable* t) {
            return std::string(t->name) == f->table.name;
        });
        if (same == tables.end()) {
            tables.push_back(&f->table);
            continue;
        }
        // Forms that share a table (the summaries' Total_Info) describe it alike.
        const StoredTable& t = **same;
        if (t.shape != f->table.shape || t.rows != f->table.rows ||
            !std::equal(t.columns.begin(), t.columns.end(), f->table.columns.begin(),
                        f->table.columns.end(),
                        [](const char* a, const char* b) { return std::string(a) == b; }))
            throw std::logic_error(std::string("two forms describe ") + t.name + " differently");
    }
    return tables;
}

namespace {

std::string figureColumns(const std::vector<const char*>& names)
{
    std::string out;
    for (const char* n : names)
        out += std::string(", ") + n + " NUMERIC";
    return out;
}

// One row of figures between the unit's number and name, or the numbered rows of a category
// table, made with the table.
OwnedTable formTableSchema(const StoredTable& t)
{
    if (t.shape == StoredTable::Shape::OneRow)
        return {t.name, {std::string("CREATE TABLE ") + t.name + " (frdm TEXT" +
                         figureColumns(t.columns) + ", frmc TEXT)"}};
    return {t.name,
            {std::string("CREATE TABLE ") + t.name +
                 " (Gid INTEGER PRIMARY KEY, Dep_id TEXT, Tdate TEXT, frmc TEXT" +
                 figureColumns(t.columns) + ")",
             "WITH RECURSIVE n(g) AS (SELECT 1 UNION ALL SELECT g + 1 FROM n WHERE g < " +
                 std::to_string(t.rows) + ") INSERT INTO " + t.name + " (Gid) SELECT g FROM n"}};
}

}  // namespace

const std::vector<OwnedTable>& formTableSchemas()
{
    static const std::vector<OwnedTable> schemas = [] {
        std::vector<OwnedTable> list;
        for (const StoredTable* t : formTables())
            list.push_back(formTableSchema(*t));
        return list;
    }();
    return schemas;
}

StoredTable totalInfoTable()
{
    return {"Total_Info",
            StoredTable::Shape::CategoryRows,
            {"G11", "G12", "G13", "G14", "G15", "G16", "G17", "G18", "G19", "G20", "G21"},
            40};
}

int FormDefinition::storedCopyRows() const
{
    if (const auto* summary = std::get_if<SummarySetup>(&engine))
        return wageSummaryForm(summary->form).rowCount();
    return 0;
}

}  // namespace vel
