#include "XlsxFile.h"

#include "Errors.h"
#include "io/NumberFormat.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <optional>

namespace vel {
namespace {

struct Relationship {
    QString type;
    QString target;  // the part's path inside the package
};

class Package {
public:
    explicit Package(const QString& path) : path_(path), zip_(path)
    {
        if (!zip_.open(QuaZip::mdUnzip))
            refuseDamagedWorkbook(path_);
    }

    // A part's bytes, nullopt when the package has no such part.
    std::optional<QByteArray> part(const QString& name)
    {
        if (!zip_.setCurrentFile(name, QuaZip::csInsensitive))
            return std::nullopt;
        QuaZipFileInfo64 info;
        if (!zip_.getCurrentFileInfo(&info))
            refuseDamagedWorkbook(path_);
        if (info.uncompressedSize > static_cast<quint64>(MaxWorkbookPartBytes))
            refuseLargeWorkbook(path_);
        QuaZipFile file(&zip_);
        if (!file.open(QIODevice::ReadOnly))
            refuseDamagedWorkbook(path_);
        // The size in the directory may lie: the read stops at the limit all the same.
        QByteArray bytes = file.read(MaxWorkbookPartBytes + 1);
        const bool readFailed = file.getZipError() != UNZ_OK;
        file.close();
        if (bytes.size() > MaxWorkbookPartBytes)
            refuseLargeWorkbook(path_);
        if (readFailed || file.getZipError() != UNZ_OK)  // a checksum that fails shows at close
            refuseDamagedWorkbook(path_);
        return bytes;
    }

    QByteArray required(const QString& name)
    {
        std::optional<QByteArray> bytes = part(name);
        if (!bytes)
            refuseDamagedWorkbook(path_);
        return *bytes;
    }

    const QString& path() const { return path_; }

private:
    QString path_;
    QuaZip zip_;
};

// A relationship target is relative to the folder of the part that names it, or absolute.
QString resolved(const QString& base, const QString& target)
{
    if (target.startsWith(u'/'))
        return QDir::cleanPath(target.mid(1));
    const qsizetype slash = base.lastIndexOf(u'/');
    return QDir::cleanPath(slash < 0 ? target : base.left(slash + 1) + target);
}

QString relsOf(const QString& part)
{
    const qsizetype slash = part.lastIndexOf(u'/');
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) +
           QStringLiteral(".rels");
}

QHash<QString, Relationship> relationships(Package& package, const QString& part)
{
    QHash<QString, Relationship> out;
    const std::optional<QByteArray> bytes = package.part(relsOf(part));
    if (!bytes)
        return out;
    QXmlStreamReader xml(*bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"Relationship") {
            const QXmlStreamAttributes a = xml.attributes();
            out.insert(a.value("Id").toString(),
                       {a.value("Type").toString(), resolved(part, a.value("Target").toString())});
        }
    }
    if (xml.hasError())
        refuseDamagedWorkbook(package.path());
    return out;
}

bool isOfType(const Relationship& r, QStringView kind)
{
    return r.type.endsWith(u'/' + kind.toString());
}

// "_x000D_" and its kin stand for characters XML cannot carry.
QString unescaped(QString text)
{
    if (!text.contains(QStringLiteral("_x")))
        return text;
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype from = 0;
    for (auto it = escape.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(text).mid(from, m.capturedStart() - from);
        out += QChar(static_cast<char16_t>(m.captured(1).toUShort(nullptr, 16)));
        from = m.capturedEnd();
    }
    return out + text.mid(from);
}

// The text of a string item (<si>, <is>): its runs, without the phonetic guide (<rPh>).
QString stringItem(QXmlStreamReader& xml)
{
    const QString end = xml.name().toString();
    QString text;
    int phonetic = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"rPh")
            ++phonetic;
        else if (xml.isEndElement() && xml.name() == u"rPh")
            --phonetic;
        else if (xml.isStartElement() && xml.name() == u"t" && phonetic == 0)
            text += xml.readElementText();
        else if (xml.isEndElement() && xml.name() == end)
            break;
    }
    return unescaped(text);
}

std::vector<QString> sharedStrings(Package& package, const QString& part)
{
    std::vector<QString> strings;
    if (part.isEmpty())
        return strings;
    const std::optional<QByteArray> bytes = package.part(part);
    if (!bytes)
        return strings;
    QXmlStreamReader xml(*bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si")
            strings.push_back(stringItem(xml));
    }
    if (xml.hasError())
        refuseDamagedWorkbook(package.path());
    return strings;
}

// The number format of every cell style (the s attribute of a cell).
std::vector<NumberFormat> cellFormats(Package& package, const QString& part, DateSystem dates)
{
    std::vector<NumberFormat> formats;
    const std::optional<QByteArray> bytes = part.isEmpty() ? std::nullopt : package.part(part);
    if (!bytes)
        return formats;
    QHash<int, QString> codes;
    bool inCellXfs = false;
    QXmlStreamReader xml(*bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"numFmt") {
            codes.insert(xml.attributes().value("numFmtId").toInt(),
                         xml.attributes().value("formatCode").toString());
        } else if (xml.isStartElement() && xml.name() == u"cellXfs") {
            inCellXfs = true;
        } else if (xml.isEndElement() && xml.name() == u"cellXfs") {
            inCellXfs = false;
        } else if (inCellXfs && xml.isStartElement() && xml.name() == u"xf") {
            const int id = xml.attributes().value("numFmtId").toInt();
            formats.emplace_back(codes.contains(id) ? codes.value(id) : NumberFormat::builtinCode(id),
                                 dates);
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError())
        refuseDamagedWorkbook(package.path());
    return formats;
}

// "BC12" as column 55, row 12; nullopt for anything else.
std::optional<std::pair<int, int>> cellReference(QStringView ref)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < ref.size() && ref[i].isLetter() && ref[i].unicode() < 0x80; ++i)
        column = column * 26 + (ref[i].toUpper().unicode() - u'A' + 1);
    bool ok = false;
    const int row = ref.mid(i).toInt(&ok);
    if (!ok || column < 1 || column > 16384 || row < 1 || row > 1048576)
        return std::nullopt;
    return std::make_pair(column, row);
}

struct Workbook {
    QString sheet;  // the first worksheet's part
    DateSystem dates = DateSystem::From1900;
    QString sharedStrings;
    QString styles;
};

Workbook workbookOf(Package& package)
{
    QString main = QStringLiteral("xl/workbook.xml");
    for (const Relationship& r : relationships(package, QString()))
        if (isOfType(r, u"officeDocument"))
            main = r.target;
    const QHash<QString, Relationship> rels = relationships(package, main);
    Workbook book;
    for (const Relationship& r : rels) {
        if (isOfType(r, u"sharedStrings"))
            book.sharedStrings = r.target;
        else if (isOfType(r, u"styles"))
            book.styles = r.target;
    }
    QXmlStreamReader xml(package.required(main));
    while (!xml.atEnd() && book.sheet.isEmpty()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"workbookPr") {
            const QStringView d1904 = a.value("date1904");
            if (d1904 == u"1" || d1904 == u"true")
                book.dates = DateSystem::From1904;
        } else if (xml.name() == u"sheet") {
            // The relationship id is r:id in whatever prefix the writer gave its namespace.
            for (const QXmlStreamAttribute& attr : a) {
                const auto it = rels.constFind(attr.value().toString());
                if (attr.name() == u"id" && it != rels.constEnd() && isOfType(*it, u"worksheet"))
                    book.sheet = it->target;
            }
        }
    }
    if (xml.hasError())
        refuseDamagedWorkbook(package.path());
    if (book.sheet.isEmpty())
        refuseWorkbookWithoutSheet(package.path());
    return book;
}

}  // namespace

std::vector<ShownCell> readXlsxSheet(const QString& path)
{
    Package package(path);
    const Workbook book = workbookOf(package);
    const std::vector<QString> strings = sharedStrings(package, book.sharedStrings);
    const std::vector<NumberFormat> formats = cellFormats(package, book.styles, book.dates);
    const NumberFormat general(QStringLiteral("General"), book.dates);
    const QByteArray sheet = package.required(book.sheet);

    std::vector<ShownCell> cells;
    QXmlStreamReader xml(sheet);
    int row = 0;
    int column = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"row") {
            const QStringView r = xml.attributes().value("r");
            row = r.isEmpty() ? row + 1 : r.toInt();
            column = 0;
            continue;
        }
        if (xml.name() != u"c")
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        const QStringView ref = a.value("r");
        if (ref.isEmpty()) {
            ++column;
        } else if (const auto at = cellReference(ref)) {
            column = at->first;
            row = at->second;
        } else {
            refuseDamagedWorkbook(path);
        }
        if (row < 1 || row > 1048576 || column > 16384)
            refuseDamagedWorkbook(path);
        const QStringView type = a.value("t");
        const qsizetype style = a.value("s").toLongLong();
        const NumberFormat& format =
            style >= 0 && style < static_cast<qsizetype>(formats.size()) ? formats[style] : general;

        QString value;
        bool hasValue = false;
        QString inline_;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement() && xml.name() == u"c")
                break;
            if (!xml.isStartElement())
                continue;
            if (xml.name() == u"v") {
                value = xml.readElementText();
                hasValue = true;
            } else if (xml.name() == u"is") {
                inline_ = stringItem(xml);
                hasValue = true;
            }
        }
        if (!hasValue)
            continue;
        QString shown;
        bool ok = true;
        if (type == u"s") {
            const qsizetype index = value.toLongLong(&ok);
            if (!ok || index < 0 || index >= static_cast<qsizetype>(strings.size()))
                refuseDamagedWorkbook(path);
            shown = format.text(strings[index]);
        } else if (type == u"inlineStr") {
            shown = format.text(inline_);
        } else if (type == u"str") {
            shown = format.text(unescaped(value));
        } else if (type == u"b") {
            shown = format.boolean(value.trimmed() == u"1" || value.trimmed() == u"true");
        } else if (type == u"e") {
            shown = value;
        } else if (type == u"d") {
            const QDateTime moment = QDateTime::fromString(value, Qt::ISODateWithMs);
            if (!moment.isValid())
                refuseDamagedWorkbook(path);
            const QDate start = book.dates == DateSystem::From1904 ? QDate(1904, 1, 1)
                                                                   : QDate(1899, 12, 30);
            const QDateTime base(start, QTime(0, 0), moment.timeSpec());
            shown = format.number(base.msecsTo(moment) / 86400000.0);
        } else {
            if (value.trimmed().isEmpty())
                continue;
            const double number = value.toDouble(&ok);
            if (!ok)
                refuseDamagedWorkbook(path);
            shown = format.number(number);
        }
        cells.push_back({row, column, shown});
    }
    if (xml.hasError())
        refuseDamagedWorkbook(path);
    return cells;
}

}  // namespace vel
