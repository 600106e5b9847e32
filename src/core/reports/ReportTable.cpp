#include "ReportTable.h"

#include "db/Db.h"
#include "io/FileIdentity.h"
#include "output/DbfWriter.h"

#include <QFile>

#include <shapefil.h>

#include <cmath>
#include <memory>
#include <stdexcept>

namespace vel {
namespace {

// A numeric field read back equals its figure when it differs by less than the noise of a
// decimal written with six places.
constexpr double NumberTolerance = 1e-6;

bool fieldHolds(DBFHandle dbf, int field, const SqlValue& value)
{
    if (std::holds_alternative<std::nullptr_t>(value))
        return DBFIsAttributeNULL(dbf, 0, field);
    if (const auto* text = std::get_if<QString>(&value)) {
        const std::optional<QByteArray> expected = gbkBytes(*text);
        const char* stored = DBFReadStringAttribute(dbf, 0, field);
        return expected && stored && QByteArray(stored).trimmed() == expected->trimmed();
    }
    if (DBFGetFieldInfo(dbf, field, nullptr, nullptr, nullptr) == FTString ||
        DBFIsAttributeNULL(dbf, 0, field))
        return false;
    const double expected = std::holds_alternative<double>(value)
                                ? std::get<double>(value)
                                : static_cast<double>(std::get<long long>(value));
    return std::fabs(DBFReadDoubleAttribute(dbf, 0, field) - expected) < NumberTolerance;
}

}  // namespace

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

bool submissionHolds(const QString& path, const ReportRow& row)
{
    if (fileKind(path) != FileKind::Regular)
        return false;
    const std::unique_ptr<DBFInfo, void (*)(DBFHandle)> dbf(
        DBFOpen(QFile::encodeName(path).constData(), "rb"), DBFClose);
    if (!dbf || DBFGetRecordCount(dbf.get()) != 1 ||
        DBFGetFieldCount(dbf.get()) != static_cast<int>(row.columns.size()))
        return false;
    for (size_t i = 0; i < row.columns.size(); ++i) {
        const int field = DBFGetFieldIndex(dbf.get(), row.columns[i].c_str());
        if (field < 0 || !fieldHolds(dbf.get(), field, row.values[i]))
            return false;
    }
    return true;
}

}  // namespace vel
