#include "DbfWriter.h"

#include "Errors.h"
#include "WorkFolder.h"
#include "output/PendingFile.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <shapefil.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace vel {

namespace {

constexpr int MaxNameBytes = 10;
constexpr int MaxNumberWidth = 20;
// Room for every 32-bit whole number with its sign, so that the usual figures keep one width
// from file to file.
constexpr int WholeDigits = 11;
// Amounts carry two decimals; digits beyond six are the noise of binary fractions.
constexpr int MaxDecimals = 6;

enum class FieldKind { Whole, Decimal, Text };

struct Field {
    QByteArray name;
    FieldKind kind = FieldKind::Text;
    int width = 1;
    int decimals = 0;
    // A text field of this width whatever its values; 0 lets the values decide.
    int fixedWidth = 0;
};

struct QueryResult {
    std::vector<QString> columns;
    std::vector<QString> declaredTypes;
    std::vector<std::vector<SqlValue>> rows;
};

QueryResult readAll(Db& db, const DbfSource& source)
{
    return guarded(db, [&] {
        QueryResult result;
        SQLite::Statement stmt(db.handle(), source.select);
        bindAll(stmt, source.params);
        for (int i = 0; i < stmt.getColumnCount(); ++i) {
            result.columns.push_back(QString::fromUtf8(stmt.getColumnName(i)));
            QString declared;
            try {
                declared = QString::fromUtf8(stmt.getColumnDeclaredType(i)).toUpper();
            } catch (const SQLite::Exception&) {
                // An expression has no declared type; its values decide.
            }
            result.declaredTypes.push_back(declared);
        }
        while (stmt.executeStep()) {
            std::vector<SqlValue> row;
            for (int i = 0; i < stmt.getColumnCount(); ++i) {
                const SQLite::Column c = stmt.getColumn(i);
                if (c.isNull())
                    row.emplace_back(nullptr);
                else if (c.isInteger())
                    row.emplace_back(static_cast<long long>(c.getInt64()));
                else if (c.isFloat())
                    row.emplace_back(c.getDouble());
                else
                    row.emplace_back(QString::fromStdString(c.getString()));
            }
            result.rows.push_back(std::move(row));
        }
        return result;
    });
}

// A text as GBK; one GBK cannot hold is refused, never replaced.
QByteArray toGbk(const QString& text, const QString& where)
{
    if (const auto bytes = gbkBytes(text))
        return *bytes;
    const QString ch = firstNonGbkCharacter(text);
    if (!ch.isEmpty())
        throw ConversionError(
            QStringLiteral("%1含有GBK编码无法表示的字符“%2”，不能生成上报文件。").arg(where, ch));
    throw ConversionError(QStringLiteral("%1无法转换为GBK编码，不能生成上报文件。").arg(where));
}

QString recordField(int record, const QString& column)
{
    return QStringLiteral("第%1条记录的“%2”字段").arg(record).arg(column);
}

// Column names as field names: at most 10 bytes, cut at a whole character, and unique without
// regard to case (dBASE ignores it); a clash ends in "_2", "_3" …
std::vector<QByteArray> fieldNames(const std::vector<QString>& columns)
{
    const auto fit = [](QString name, int limit) {
        const QString where = QStringLiteral("列名“%1”").arg(name);
        QByteArray bytes = toGbk(name, where);
        while (bytes.size() > limit) {
            name.chop(1);
            bytes = toGbk(name, where);
        }
        return bytes;
    };
    std::vector<QByteArray> names;
    std::set<QByteArray> used;
    for (const QString& column : columns) {
        QByteArray name = fit(column, MaxNameBytes);
        for (int n = 2; used.count(name.toUpper()); ++n) {
            const QByteArray suffix = "_" + QByteArray::number(n);
            name = fit(column, MaxNameBytes - suffix.size()) + suffix;
        }
        used.insert(name.toUpper());
        names.push_back(name);
    }
    return names;
}

bool isText(const SqlValue& v)
{
    return std::holds_alternative<QString>(v);
}

// The shortest fixed-point form of a decimal: no exponent, no trailing zeros.
QString shortest(double v)
{
    return QString::number(v, 'f', QLocale::FloatingPointShortest);
}

int fractionDigits(double v)
{
    const QString s = QString::number(v, 'f', MaxDecimals);
    const int point = s.indexOf('.');
    int last = s.size() - 1;
    while (last > point && s[last] == '0')
        --last;
    return last - point;
}

// Whole numbers and decimals as numeric fields, everything else as text; a column without a
// value follows its declared type, a numeric one of `fixed` keeps its decimals.
Field fieldFor(int index, const QueryResult& result, const std::map<std::string, int>& fixed)
{
    Field f;
    bool anyText = false;
    bool anyNumber = false;
    for (const auto& row : result.rows) {
        const SqlValue& v = row[index];
        anyText = anyText || isText(v);
        if (const double* d = std::get_if<double>(&v))
            f.decimals = std::max(f.decimals, fractionDigits(*d));
        anyNumber =
            anyNumber || std::holds_alternative<long long>(v) || std::holds_alternative<double>(v);
    }
    const auto fixedDecimals = fixed.find(result.columns[index].toStdString());
    if (fixedDecimals != fixed.end() && !anyText) {
        f.kind = FieldKind::Decimal;
        f.decimals = fixedDecimals->second;
        return f;
    }
    const QString& declared = result.declaredTypes[index];
    const bool declaredText =
        declared.contains("CHAR") || declared.contains("CLOB") || declared.contains("TEXT");
    const bool declaredNumber = declared.contains("INT") || declared.contains("REAL") ||
                                declared.contains("FLOA") || declared.contains("DOUB") ||
                                declared.contains("NUM") || declared.contains("DEC");
    if (anyText || declaredText || (!anyNumber && !declaredNumber))
        f.kind = FieldKind::Text;
    else
        f.kind = f.decimals > 0 ? FieldKind::Decimal : FieldKind::Whole;
    if (f.kind != FieldKind::Decimal)
        f.decimals = 0;
    return f;
}

QString numberText(const SqlValue& v, const Field& f)
{
    const double* d = std::get_if<double>(&v);
    if (f.kind == FieldKind::Text)
        return d ? shortest(*d) : QString::number(std::get<long long>(v));
    if (d)
        return QString::number(*d, 'f', f.decimals);
    return f.decimals > 0
               ? QString::number(static_cast<double>(std::get<long long>(v)), 'f', f.decimals)
               : QString::number(std::get<long long>(v));
}

// Every value as the bytes of its field, the field widths set on the way; refuses what dBASE
// cannot hold before anything is written.
std::vector<std::vector<QByteArray>> encodeValues(const QueryResult& result,
                                                  std::vector<Field>& fields)
{
    std::vector<std::vector<QByteArray>> records;
    for (Field& f : fields)
        f.width = f.kind == FieldKind::Whole     ? WholeDigits
                  : f.kind == FieldKind::Decimal ? WholeDigits + 1 + f.decimals
                  : f.fixedWidth > 0             ? f.fixedWidth
                                                 : 1;
    for (size_t r = 0; r < result.rows.size(); ++r) {
        std::vector<QByteArray> record;
        for (size_t i = 0; i < fields.size(); ++i) {
            Field& f = fields[i];
            const SqlValue& v = result.rows[r][i];
            const QString where = recordField(static_cast<int>(r) + 1, result.columns[i]);
            QByteArray bytes;
            if (std::holds_alternative<std::nullptr_t>(v)) {
                // Blank is dBASE's empty value, for numbers as for texts.
            } else if (f.kind == FieldKind::Text) {
                bytes = toGbk(isText(v) ? std::get<QString>(v) : numberText(v, f), where);
                const int room = f.fixedWidth > 0 ? f.fixedWidth : DbfMaxTextBytes;
                if (bytes.size() > room)
                    throw ConversionError(
                        QStringLiteral(
                            "%1有%2个字节，超过dBASE字段容许的%3个字节，不能生成上报文件。")
                            .arg(where)
                            .arg(bytes.size())
                            .arg(room));
            } else {
                bytes = numberText(v, f).toLatin1();
                if (bytes.size() > MaxNumberWidth)
                    throw ConversionError(
                        QStringLiteral("%1的数值%2超过dBASE数值字段容许的%3位，不能生成上报文件。")
                            .arg(where, QString::fromLatin1(bytes))
                            .arg(MaxNumberWidth));
            }
            f.width = std::max(f.width, static_cast<int>(bytes.size()));
            record.push_back(bytes);
        }
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace

// The GBK bytes of a text, when GBK proper holds it: the encoding succeeds and agrees with
// GB18030, its superset (which leaves out the euro sign that only Windows' variant puts on byte
// 0x80); no character is a private-use one, a self-made glyph that means nothing on another
// machine; and no byte-order mark hides in it, which the encoder would drop unnoticed at the
// start.
std::optional<QByteArray> gbkBytes(const QString& text)
{
    for (const QChar c : text)
        if (c.category() == QChar::Other_PrivateUse || c == QChar::ByteOrderMark)
            return std::nullopt;
    QStringEncoder gbk("GBK");
    QByteArray bytes = gbk(text);
    QStringEncoder gb18030("GB18030");
    const QByteArray superset = gb18030(text);
    if (gbk.hasError() || bytes != superset)
        return std::nullopt;
    return bytes;
}

QString firstNonGbkCharacter(const QString& text)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, length);
        if (!gbkBytes(ch))
            return ch;
        i += length;
    }
    return {};
}

DbfSource DbfSource::table(const QString& name, std::map<std::string, int> decimals,
                           std::map<std::string, int> textWidths)
{
    QString quoted = name;
    quoted.replace('"', "\"\"");
    return {("SELECT * FROM \"" + quoted + "\"").toStdString(), {}, std::move(decimals),
            std::move(textWidths)};
}

QString submissionPath(const WorkFolder& folder, SubmissionFolder where, const QString& fileName)
{
    return folder.filePath(where == SubmissionFolder::Gzsb ? "GZSB" : "RCSB", fileName);
}

DbfContent dbfContent(Db& db, const DbfSource& source)
{
    QueryResult result = readAll(db, source);
    DbfContent content;
    content.fields = fieldNames(result.columns);
    content.records = std::move(result.rows);
    return content;
}

void writeDbf(Db& db, const DbfSource& source, const QString& path)
{
    const QueryResult result = readAll(db, source);
    const std::vector<QByteArray> names = fieldNames(result.columns);
    std::vector<Field> fields;
    for (size_t i = 0; i < result.columns.size(); ++i) {
        fields.push_back(fieldFor(static_cast<int>(i), result, source.decimals));
        fields.back().name = names[i];
        const auto width = source.textWidths.find(result.columns[i].toStdString());
        if (fields.back().kind == FieldKind::Text && width != source.textWidths.end())
            fields.back().fixedWidth = width->second;
    }
    const std::vector<std::vector<QByteArray>> records = encodeValues(result, fields);

    const QString failed = QStringLiteral("无法写入上报文件：%1").arg(path);
    PendingFile file(path, ".dbf");  // shapelib puts ".dbf" on whatever name it is given
    std::unique_ptr<DBFInfo, void (*)(DBFHandle)> dbf(
        DBFCreateEx(QFile::encodeName(file.path()).constData(), "LDID/122"), DBFClose);
    if (!dbf)
        throw FileError(failed);
    const QDate today = QDate::currentDate();
    DBFSetLastModifiedDate(dbf.get(), today.year() - 1900, today.month(), today.day());
    for (const Field& f : fields) {
        const DBFFieldType type = f.kind == FieldKind::Text      ? FTString
                                  : f.kind == FieldKind::Decimal ? FTDouble
                                                                 : FTInteger;
        if (DBFAddField(dbf.get(), f.name.constData(), type, f.width, f.decimals) < 0)
            throw FileError(failed);
    }
    for (size_t r = 0; r < records.size(); ++r) {
        for (size_t i = 0; i < fields.size(); ++i) {
            // Numbers stand to the right of their field; shapelib pads texts on the right.
            QByteArray value = fields[i].kind == FieldKind::Text
                                   ? records[r][i]
                                   : records[r][i].rightJustified(fields[i].width, ' ');
            if (!DBFWriteAttributeDirectly(dbf.get(), static_cast<int>(r), static_cast<int>(i),
                                           value.data()))
                throw FileError(failed);
        }
    }
    DBFClose(dbf.release());

    // shapelib reports a failed write only on stderr: a short file is the sign of one.
    qint64 recordLength = 1;
    for (const Field& f : fields)
        recordLength += f.width;
    const qint64 expected = 32 + 32 * static_cast<qint64>(fields.size()) + 1 +
                            recordLength * static_cast<qint64>(records.size()) + 1;
    if (QFileInfo(file.path()).size() != expected)
        throw FileError(failed);
    file.commit();
}

void removeOlderFile(const QString& path)
{
    if (QFile::exists(path) && !QFile::remove(path))
        throw FileError(QStringLiteral("无法删除旧文件：%1").arg(path));
}

}  // namespace vel
