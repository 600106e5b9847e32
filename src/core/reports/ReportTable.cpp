#include "ReportTable.h"

#include "db/Db.h"

#include <stdexcept>

namespace vel {

ReportRow reportRow(const std::vector<const char*>& columns,
                    const Figures& figures,
                    const QString& frdm,
                    const QString& frmc,
                    const std::set<std::string>& inFen)
{
    ReportRow row;
    row.columns.push_back("frdm");
    row.values.push_back(frdm);
    for (const char* c : columns) {
        const auto it = figures.find(c);
        if (it == figures.end())
            throw std::logic_error(std::string("no figure computed for ") + c);
        row.columns.push_back(c);
        if (!it->second)
            row.values.emplace_back(nullptr);
        else if (inFen.count(c))
            row.values.emplace_back(static_cast<double>(*it->second) / 100);
        else
            row.values.emplace_back(*it->second);
    }
    row.columns.push_back("frmc");
    row.values.push_back(frmc);
    return row;
}

void storeReportRow(Db& db, const char* table, const ReportRow& row)
{
    std::string names;
    std::string marks;
    for (const std::string& c : row.columns) {
        names += (names.empty() ? "" : ", ") + c;
        marks += marks.empty() ? "?" : ", ?";
    }
    Transaction tx(db);
    db.exec(std::string("DELETE FROM ") + table);
    db.exec(std::string("INSERT INTO ") + table + " (" + names + ") VALUES (" + marks + ")",
            row.values);
    tx.commit();
}

void storeReportRow(Db& db,
                    const char* table,
                    const std::vector<const char*>& columns,
                    const Figures& figures,
                    const QString& frdm,
                    const QString& frmc,
                    const std::set<std::string>& inFen)
{
    storeReportRow(db, table, reportRow(columns, figures, frdm, frmc, inFen));
}

}  // namespace vel
