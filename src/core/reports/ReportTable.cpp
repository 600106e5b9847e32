#include "ReportTable.h"

#include "db/Db.h"

#include <stdexcept>

namespace vel {

void storeReportRow(Db& db,
                    const char* table,
                    const std::vector<const char*>& columns,
                    const Figures& figures,
                    const QString& frdm,
                    const QString& frmc,
                    const std::set<std::string>& inFen)
{
    std::string names = "frdm";
    std::string marks = "?";
    SqlParams values{frdm};
    for (const char* c : columns) {
        const auto it = figures.find(c);
        if (it == figures.end())
            throw std::logic_error(std::string("no figure computed for ") + c);
        names += std::string(", ") + c;
        marks += ", ?";
        if (!it->second)
            values.emplace_back(nullptr);
        else if (inFen.count(c))
            values.emplace_back(static_cast<double>(*it->second) / 100);
        else
            values.emplace_back(*it->second);
    }
    names += ", frmc";
    marks += ", ?";
    values.push_back(frmc);

    Transaction tx(db);
    db.exec(std::string("DELETE FROM ") + table);
    db.exec(std::string("INSERT INTO ") + table + " (" + names + ") VALUES (" + marks + ")",
            values);
    tx.commit();
}

}  // namespace vel
