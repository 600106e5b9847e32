#include "ReportOutput.h"

#include "Session.h"

#include <QFileInfo>

namespace vel {

const std::map<std::string, int>& reportTextWidths()
{
    static const std::map<std::string, int> widths{
        {"frdm", 9}, {"Dep_id", 9}, {"Tdate", 10}, {"frmc", DbfMaxTextBytes}};
    return widths;
}

std::function<DbfSource(Db&, const FormPeriod&)>
tableSource(const char* table, const std::vector<std::string>& decimalColumns)
{
    std::map<std::string, int> decimals;
    for (const std::string& column : decimalColumns)
        decimals[column] = 2;
    const DbfSource source =
        DbfSource::table(QString::fromUtf8(table), decimals, reportTextWidths());
    return [source](Db&, const FormPeriod&) { return source; };
}

QStringList laborUnitLines(const UnitAttributes& unit)
{
    return {QStringLiteral("组织机构代码 ") + unit.CurDepNo,
            QStringLiteral("企业（单位）详细名称 ") + unit.CurDepName};
}

QStringList summaryUnitLines(const UnitAttributes& unit)
{
    return {QStringLiteral("单位名称：") + unit.CurDepName,
            QStringLiteral("单位法人代码：") + unit.CurDepNo};
}

std::function<QString(const FormPeriod&)> fixedCaption(const QString& caption)
{
    return [caption](const FormPeriod&) { return caption; };
}

}  // namespace vel
