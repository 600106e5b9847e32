#include "XlsxFile.h"

#include "Errors.h"
#include "io/NumberFormat.h"
#include "io/XmlWalk.h"

#include <unzip.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace vel {
namespace {

struct Relationship {
    QString type;
    QString target;  // the part's path inside the package
};

// The workbook's zip package, read with the same minizip the workbook writer uses (a second
// copy of its symbols in the process, as QuaZip brings, would take the writer's calls).
class Package {
public:
    explicit Package(const QString& path) : path_(path)
    {
        zip_ = unzOpen64(QFile::encodeName(path).constData());
        if (!zip_)
            refuseDamagedWorkbook(path_);
    }
    ~Package() { unzClose(zip_); }
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    // A part's bytes, nullopt when the package has no such part.
    std::optional<QByteArray> part(const QString& name)
    {
        constexpr int CaseInsensitive = 2;
        if (unzLocateFile(zip_, name.toUtf8().constData(), CaseInsensitive) != UNZ_OK)
            return std::nullopt;
        unz_file_info64 info;
        if (unzGetCurrentFileInfo64(zip_, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
            refuseDamagedWorkbook(path_);
        if (info.uncompressed_size > static_cast<ZPOS64_T>(MaxWorkbookPartBytes))
            refuseLargeWorkbook(path_);
        if (unzOpenCurrentFile(zip_) != UNZ_OK)
            refuseDamagedWorkbook(path_);
        // Read in place; the size in the directory may lie, so the read stops at the limit all
        // the same.
        QByteArray bytes(static_cast<qsizetype>(info.uncompressed_size) + 1, Qt::Uninitialized);
        qsizetype size = 0;
        int n = 0;
        while ((n = unzReadCurrentFile(zip_, bytes.data() + size,
                                       static_cast<unsigned>(bytes.size() - size))) > 0) {
            size += n;
            if (size > MaxWorkbookPartBytes) {
                unzCloseCurrentFile(zip_);
                refuseLargeWorkbook(path_);
            }
            if (size == bytes.size())
                bytes.resize(std::min(2 * bytes.size(), MaxWorkbookPartBytes + 1));
        }
        bytes.truncate(size);
        // A checksum that fails shows when the part is closed.
        if (unzCloseCurrentFile(zip_) != UNZ_OK || n < 0)
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
    unzFile zip_ = nullptr;
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

QString text(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

QHash<QString, Relationship> relationships(Package& package, const QString& part)
{
    QHash<QString, Relationship> out;
    const std::optional<QByteArray> bytes = package.part(relsOf(part));
    if (!bytes)
        return out;
    XmlEvents events;
    events.start = [&](std::string_view name, const char** a) {
        if (name == "Relationship")
            out.insert(text(xmlAttribute(a, "Id")),
                       {text(xmlAttribute(a, "Type")), resolved(part, text(xmlAttribute(a, "Target")))});
    };
    if (!walkXml(*bytes, events))
        refuseDamagedWorkbook(package.path());
    return out;
}

bool isOfType(const Relationship& r, QStringView kind)
{
    return r.type.endsWith(u'/' + kind.toString());
}

// "_x000D_" and its kin stand for characters XML cannot carry.
QString unescaped(const std::string& utf8)
{
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (utf8.find("_x") == std::string::npos)
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

// Collects the text of string items (<si>, <is>): their runs, without the phonetic guide (<rPh>).
class StringItems {
public:
    // Feeds one event; true when an item just ended (its text is in `last`).
    void start(std::string_view name)
    {
        if (name == "rPh")
            ++phonetic_;
        else if (name == "t" && phonetic_ == 0)
            inText_ = true;
    }
    void end(std::string_view name)
    {
        if (name == "rPh")
            --phonetic_;
        else if (name == "t")
            inText_ = false;
    }
    void text(std::string_view chars)
    {
        if (inText_)
            item_.append(chars);
    }
    // The item's text, and a fresh start for the next.
    QString take()
    {
        QString out = unescaped(item_);
        item_.clear();
        return out;
    }

private:
    int phonetic_ = 0;
    bool inText_ = false;
    std::string item_;
};

std::vector<QString> sharedStrings(Package& package, const QString& part)
{
    std::vector<QString> strings;
    const std::optional<QByteArray> bytes = part.isEmpty() ? std::nullopt : package.part(part);
    if (!bytes)
        return strings;
    StringItems items;
    XmlEvents events;
    events.start = [&](std::string_view name, const char**) { items.start(name); };
    events.end = [&](std::string_view name) {
        items.end(name);
        if (name == "si")
            strings.push_back(items.take());
    };
    events.text = [&](std::string_view chars) { items.text(chars); };
    if (!walkXml(*bytes, events))
        refuseDamagedWorkbook(package.path());
    return strings;
}

int number(const char* text)
{
    return text ? QByteArray(text).trimmed().toInt() : 0;
}

// The number format of every cell style (the s attribute of a cell).
std::vector<NumberFormat> cellFormats(Package& package, const QString& part, DateSystem dates)
{
    std::vector<NumberFormat> formats;
    const std::optional<QByteArray> bytes = part.isEmpty() ? std::nullopt : package.part(part);
    if (!bytes)
        return formats;
    QHash<int, QString> codes;
    std::vector<int> styleFormats;
    bool inCellXfs = false;
    XmlEvents events;
    events.start = [&](std::string_view name, const char** a) {
        if (name == "numFmt")
            codes.insert(number(xmlAttribute(a, "numFmtId")), text(xmlAttribute(a, "formatCode")));
        else if (name == "cellXfs")
            inCellXfs = true;
        else if (inCellXfs && name == "xf")
            styleFormats.push_back(number(xmlAttribute(a, "numFmtId")));
    };
    events.end = [&](std::string_view name) {
        if (name == "cellXfs")
            inCellXfs = false;
    };
    if (!walkXml(*bytes, events))
        refuseDamagedWorkbook(package.path());
    for (int id : styleFormats)
        formats.emplace_back(codes.contains(id) ? codes.value(id) : NumberFormat::builtinCode(id),
                             dates);
    return formats;
}

// "BC12" as column 55, row 12; nullopt for anything else.
std::optional<std::pair<int, int>> cellReference(std::string_view ref)
{
    int column = 0;
    size_t i = 0;
    for (; i < ref.size() && column <= 16384; ++i) {
        const char c = ref[i];
        if (c >= 'A' && c <= 'Z')
            column = column * 26 + (c - 'A' + 1);
        else if (c >= 'a' && c <= 'z')
            column = column * 26 + (c - 'a' + 1);
        else
            break;
    }
    int row = 0;
    const auto [end, error] = std::from_chars(ref.data() + i, ref.data() + ref.size(), row);
    if (error != std::errc() || end != ref.data() + ref.size() || column < 1 || column > 16384 ||
        row < 1 || row > 1048576)
        return std::nullopt;
    return std::make_pair(column, row);
}

struct Workbook {
    std::vector<std::pair<QString, QString>> sheets;  // each worksheet's name and part, in order
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
    XmlEvents events;
    events.start = [&](std::string_view name, const char** a) {
        if (name == "workbookPr") {
            const std::string_view d1904 = xmlAttribute(a, "date1904") ? xmlAttribute(a, "date1904") : "";
            if (d1904 == "1" || d1904 == "true")
                book.dates = DateSystem::From1904;
        } else if (name == "sheet") {
            // The relationship id is r:id, whatever prefix the writer gave its namespace.
            const auto it = rels.constFind(text(xmlAttribute(a, "id")));
            if (it != rels.constEnd() && isOfType(*it, u"worksheet"))
                book.sheets.emplace_back(text(xmlAttribute(a, "name")), it->target);
        }
    };
    // A zip without a workbook part is some other package (a document, an archive).
    const std::optional<QByteArray> mainPart = package.part(main);
    if (!mainPart)
        refuseNotWorkbook(package.path());
    if (!walkXml(*mainPart, events))
        refuseDamagedWorkbook(package.path());
    if (book.sheets.empty())
        refuseWorkbookWithoutSheet(package.path());
    return book;
}

// One cell as the sheet's XML gives it, shown under its style once it ends.
struct CellReading {
    int row = 0;
    int column = 0;
    int style = 0;
    std::string type;
    std::string value;
    bool inValue = false;
    bool inInline = false;
    bool hasValue = false;
    bool formula = false;
};

double parsedNumber(const std::string& value, bool& ok)
{
    double number = 0;
    const char* begin = value.data();
    const char* end = begin + value.size();
    while (begin < end && *begin == ' ')
        ++begin;
    const auto [stop, error] = std::from_chars(begin, end, number);
    ok = error == std::errc() && stop == end && std::isfinite(number);
    return number;
}

// A shared string's index: digits only, within the table; nullopt for anything else.
std::optional<size_t> stringIndex(const std::string& value, size_t count)
{
    const std::string_view digits = std::string_view(value).substr(
        std::min(value.find_first_not_of(' '), value.size()));
    size_t index = 0;
    const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (digits.empty() || error != std::errc() || stop != digits.data() + digits.size() ||
        index >= count)
        return std::nullopt;
    return index;
}

// Whether a formula cell carries the result its writer worked out. A script that writes only the
// formula leaves the value out or empty; an empty text result is written as such (t="str").
bool hasStoredResult(const CellReading& c)
{
    return c.hasValue && (!c.value.empty() || c.type == "str" || c.type == "inlineStr");
}

}  // namespace

QStringList readXlsxSheetNames(const QString& path)
{
    Package package(path);
    QStringList names;
    for (const auto& sheet : workbookOf(package).sheets)
        names << sheet.first;
    return names;
}

std::vector<ShownCell> readXlsxSheet(const QString& path, int index)
{
    Package package(path);
    const Workbook book = workbookOf(package);
    if (index < 0 || index >= static_cast<int>(book.sheets.size()))
        refuseWorkbookWithoutSheet(path);
    const std::vector<QString> strings = sharedStrings(package, book.sharedStrings);
    const std::vector<NumberFormat> formats = cellFormats(package, book.styles, book.dates);
    const NumberFormat general(QStringLiteral("General"), book.dates);
    const QByteArray sheet = package.required(book.sheets[static_cast<size_t>(index)].second);

    std::vector<ShownCell> cells;
    int row = 0;
    int column = 0;
    CellReading c;
    StringItems inlineText;

    // The cell's text as shown; throws for a cell that says it wrongly.
    const auto shown = [&]() -> QString {
        const NumberFormat& format =
            c.style >= 0 && c.style < static_cast<int>(formats.size()) ? formats[c.style] : general;
        if (c.type == "s") {
            const std::optional<size_t> index = stringIndex(c.value, strings.size());
            if (!index)
                refuseCell(c.row, c.column,
                           QStringLiteral("的文字在工作簿中找不到，工作簿已损坏。"
                                          "请在表格程序中打开并另存后再导入。"));
            return format.text(strings[*index]);
        }
        if (c.type == "inlineStr")
            return format.text(inlineText.take());
        if (c.type == "str")
            return format.text(unescaped(c.value));
        if (c.type == "b")
            return format.boolean(c.value == "1" || c.value == "true");
        if (c.type == "e")
            return QString::fromUtf8(c.value.data(), static_cast<qsizetype>(c.value.size()));
        bool ok = true;
        if (c.type == "d") {
            const QDateTime moment = QDateTime::fromString(QString::fromUtf8(c.value.c_str()),
                                                           Qt::ISODateWithMs);
            if (!moment.isValid())
                refuseDamagedWorkbook(path);
            const QDate start = book.dates == DateSystem::From1904 ? QDate(1904, 1, 1)
                                                                   : QDate(1899, 12, 30);
            const QDateTime base(start, QTime(0, 0), moment.timeSpec());
            return format.number(base.msecsTo(moment) / 86400000.0);
        }
        if (c.value.empty())
            return {};
        const double number = parsedNumber(c.value, ok);
        if (!ok)
            refuseDamagedWorkbook(path);
        return format.number(number);
    };

    XmlEvents events;
    events.start = [&](std::string_view name, const char** a) {
        if (name == "row") {
            const char* r = xmlAttribute(a, "r");
            row = r ? number(r) : row + 1;
            column = 0;
        } else if (name == "c") {
            c = CellReading();
            const char* ref = xmlAttribute(a, "r");
            if (!ref) {
                ++column;
            } else if (const auto at = cellReference(ref)) {
                column = at->first;
                row = at->second;
            } else {
                refuseDamagedWorkbook(path);
            }
            if (row < 1 || row > 1048576 || column > 16384)
                refuseDamagedWorkbook(path);
            c.row = row;
            c.column = column;
            c.style = number(xmlAttribute(a, "s"));
            c.type = xmlAttribute(a, "t") ? xmlAttribute(a, "t") : "";
        } else if (name == "f") {
            c.formula = true;
        } else if (name == "v") {
            c.inValue = true;
            c.hasValue = true;
        } else if (name == "is") {
            c.inInline = true;
            c.hasValue = true;
        } else if (c.inInline) {
            inlineText.start(name);
        }
    };
    events.end = [&](std::string_view name) {
        if (name == "v") {
            c.inValue = false;
        } else if (name == "is") {
            c.inInline = false;
        } else if (c.inInline) {
            inlineText.end(name);
        } else if (name == "c") {
            if (c.formula && !hasStoredResult(c))
                refuseFormulaWithoutResult(c.row, c.column);
            if (!c.hasValue)
                return;
            QString text = shown();
            if (!text.isEmpty()) {
                checkCellPlace(path, c.row, c.column);
                cells.push_back({c.row, c.column, std::move(text)});
            }
        }
    };
    events.text = [&](std::string_view chars) {
        if (c.inValue)
            c.value.append(chars);
        else if (c.inInline)
            inlineText.text(chars);
    };
    if (!walkXml(sheet, events))
        refuseDamagedWorkbook(path);
    return cells;
}

}  // namespace vel
