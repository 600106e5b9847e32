#include "DbfReadBack.h"

#include "io/FileIdentity.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringList>

#include <shapefil.h>

#include <cmath>
#include <memory>

namespace vel {
namespace {

// A numeric field read back equals its figure when it differs by less than the noise of a
// decimal written with six places.
constexpr double NumberTolerance = 1e-6;

bool fieldHolds(DBFHandle dbf, int record, int field, const SqlValue& value)
{
    if (std::holds_alternative<std::nullptr_t>(value))
        return DBFIsAttributeNULL(dbf, record, field);
    if (const auto* text = std::get_if<QString>(&value)) {
        const std::optional<QByteArray> expected = gbkBytes(*text);
        const char* stored = DBFReadStringAttribute(dbf, record, field);
        return expected && stored && QByteArray(stored).trimmed() == expected->trimmed();
    }
    if (DBFGetFieldInfo(dbf, field, nullptr, nullptr, nullptr) == FTString ||
        DBFIsAttributeNULL(dbf, record, field))
        return false;
    const double expected = std::holds_alternative<double>(value)
                                ? std::get<double>(value)
                                : static_cast<double>(std::get<long long>(value));
    return std::fabs(DBFReadDoubleAttribute(dbf, record, field) - expected) < NumberTolerance;
}

QString shown(const SqlValue& value)
{
    if (const auto* n = std::get_if<long long>(&value))
        return QString::number(*n);
    if (const auto* d = std::get_if<double>(&value))
        return QString::number(*d, 'g', 15);
    if (const auto* t = std::get_if<QString>(&value))
        return t->trimmed();
    return {};
}

QString gbkText(const QByteArray& bytes)
{
    // The field names and texts are GBK; an unreadable byte shows as a replacement character.
    QStringDecoder gbk("GBK");
    return QString(gbk(bytes)).trimmed();
}

}  // namespace

std::vector<DbfDifference> dbfDifferences(const QString& path, const DbfContent& expected)
{
    using Kind = DbfDifference::Kind;
    if (fileKind(path) != FileKind::Regular)
        return {{Kind::Unreadable}};
    const std::unique_ptr<DBFInfo, void (*)(DBFHandle)> dbf(
        DBFOpen(QFile::encodeName(path).constData(), "rb"), DBFClose);
    if (!dbf)
        return {{Kind::Unreadable}};

    std::vector<DbfDifference> out;
    const int records = DBFGetRecordCount(dbf.get());
    if (records != static_cast<int>(expected.records.size()))
        out.push_back({Kind::RecordCount, 0, {}, QString::number(records),
                       QString::number(expected.records.size())});
    QStringList foundNames;
    QStringList expectedNames;
    std::vector<QByteArray> found;
    for (int i = 0; i < DBFGetFieldCount(dbf.get()); ++i) {
        char name[XBASE_FLDNAME_LEN_READ + 1] = {};
        DBFGetFieldInfo(dbf.get(), i, name, nullptr, nullptr);
        found.emplace_back(name);
        foundNames << gbkText(name);
    }
    for (const QByteArray& name : expected.fields)
        expectedNames << gbkText(name);
    if (found != expected.fields) {
        out.push_back({Kind::Fields, 0, {}, foundNames.join(','), expectedNames.join(',')});
        return out;
    }
    const int compared = std::min(records, static_cast<int>(expected.records.size()));
    for (int r = 0; r < compared; ++r)
        for (size_t f = 0; f < found.size(); ++f) {
            const SqlValue& value = expected.records[static_cast<size_t>(r)][f];
            const int field = static_cast<int>(f);
            if (fieldHolds(dbf.get(), r, field, value))
                continue;
            const QString stored = DBFIsAttributeNULL(dbf.get(), r, field)
                                       ? QString()
                                       : gbkText(DBFReadStringAttribute(dbf.get(), r, field));
            out.push_back({Kind::Value, r + 1, foundNames[field], stored, shown(value)});
        }
    return out;
}

}  // namespace vel
