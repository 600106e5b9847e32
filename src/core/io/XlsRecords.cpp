#include "XlsRecords.h"

#include "io/NumberFormat.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace vel {
namespace {

enum Record : quint16 {
    Bof = 0x0809,
    Eof = 0x000A,
    FilePass = 0x002F,
    DateMode = 0x0022,
    Format = 0x041E,
    Xf = 0x00E0,
    BoundSheet = 0x0085,
    Dimensions = 0x0200,
    Number = 0x0203,
    Rk = 0x027E,
    MulRk = 0x00BD,
    Formula = 0x0006,
    String = 0x0207,
    BoolErr = 0x0205,
    LabelSst = 0x00FD,
    Label = 0x0204,
    RString = 0x00D6,
    SharedFormula = 0x04BC,
    Array = 0x0221,
    Table = 0x0236,
};

constexpr quint16 Biff8 = 0x0600;
constexpr int Biff8Columns = 256;

// One record's body, every read checked against its length.
class Body {
public:
    Body(const char* data, int size) : data_(data), size_(size) {}
    int size() const { return size_; }
    bool has(int at, int n) const { return at >= 0 && n >= 0 && at + n <= size_; }
    quint8 u8(int at) const { return static_cast<quint8>(data_[at]); }
    quint16 u16(int at) const { return qFromLittleEndian<quint16>(data_ + at); }
    quint32 u32(int at) const { return qFromLittleEndian<quint32>(data_ + at); }
    double f64(int at) const
    {
        const quint64 bits = qFromLittleEndian<quint64>(data_ + at);
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }

    // Characters stored one byte each (the low byte of UTF-16) or as UTF-16LE.
    std::optional<QString> chars(int at, int count, bool wide) const
    {
        if (!has(at, wide ? 2 * count : count))
            return std::nullopt;
        QString s(count, Qt::Uninitialized);
        for (int i = 0; i < count; ++i)
            s[i] = QChar(wide ? u16(at + 2 * i) : u8(at + i));
        return s;
    }

    // A string with a 16-bit length (cch, flags, [runs], [ext], characters).
    std::optional<QString> unicodeString(int at) const
    {
        if (!has(at, 3))
            return std::nullopt;
        const int count = u16(at);
        const quint8 flags = u8(at + 2);
        int pos = at + 3 + ((flags & 0x08) ? 2 : 0) + ((flags & 0x04) ? 4 : 0);
        return chars(pos, count, flags & 0x01);
    }

    std::optional<QString> shortUnicodeString(int at) const
    {
        if (!has(at, 2))
            return std::nullopt;
        return chars(at + 2, u8(at), u8(at + 1) & 0x01);
    }

private:
    const char* data_;
    int size_;
};

// Walks the records from a position; stops at the end of the stream.
class Records {
public:
    explicit Records(const QByteArray& stream, int from = 0) : stream_(stream), pos_(from) {}

    // The next record, false at the end or when a record runs past the stream.
    bool next()
    {
        if (pos_ < 0 || pos_ + 4 > stream_.size())
            return false;
        id_ = qFromLittleEndian<quint16>(stream_.constData() + pos_);
        const int length = qFromLittleEndian<quint16>(stream_.constData() + pos_ + 2);
        if (pos_ + 4 + length > stream_.size()) {
            broken_ = true;
            return false;
        }
        body_ = Body(stream_.constData() + pos_ + 4, length);
        last_ = pos_;
        pos_ += 4 + length;
        return true;
    }
    // Gives the record just read back, for the next call to return again.
    void unread() { pos_ = last_; }
    quint16 id() const { return id_; }
    const Body& body() const { return body_; }
    bool broken() const { return broken_; }

private:
    const QByteArray& stream_;
    int pos_;
    int last_ = 0;
    quint16 id_ = 0;
    Body body_{nullptr, 0};
    bool broken_ = false;
};

double rkNumber(quint32 rk)
{
    double d;
    if (rk & 0x02) {
        d = static_cast<double>(static_cast<qint32>(rk) >> 2);
    } else {
        const quint64 bits = static_cast<quint64>(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&d, &bits, sizeof d);
    }
    return (rk & 0x01) ? d / 100 : d;
}

QString errorText(quint8 code)
{
    switch (code) {
    case 0x00:
        return QStringLiteral("#NULL!");
    case 0x07:
        return QStringLiteral("#DIV/0!");
    case 0x0F:
        return QStringLiteral("#VALUE!");
    case 0x17:
        return QStringLiteral("#REF!");
    case 0x1D:
        return QStringLiteral("#NAME?");
    case 0x1F:
        return QStringLiteral("#NUM!");
    default:
        return QStringLiteral("#N/A");
    }
}

using Cell = XlsRecords::Cell;
using Kind = XlsRecords::Kind;

// The workbook globals: protection, dates, formats, styles and the first worksheet's place.
bool readGlobals(const QByteArray& stream, XlsRecords& out, int& sheetAt)
{
    Records r(stream);
    if (!r.next() || r.id() != Bof || !r.body().has(0, 2))
        return false;
    if (r.body().u16(0) != Biff8) {
        out.oldFormat = true;
        return true;
    }
    QHash<int, QString> codes;
    std::vector<int> styleIds;
    sheetAt = -1;
    while (r.next() && r.id() != Eof) {
        const Body& b = r.body();
        switch (r.id()) {
        case FilePass:
            out.encrypted = true;
            return true;
        case DateMode:
            out.date1904 = b.has(0, 2) && b.u16(0) == 1;
            break;
        case Format: {
            const std::optional<QString> code = b.has(0, 2) ? b.unicodeString(2) : std::nullopt;
            if (!code)
                return false;
            codes.insert(b.u16(0), *code);
            break;
        }
        case Xf:
            if (!b.has(0, 4))
                return false;
            styleIds.push_back(b.u16(2));
            break;
        case BoundSheet:
            if (!b.has(0, 6))
                return false;
            if (sheetAt < 0 && b.u8(5) == 0) {
                const std::optional<QString> name = b.shortUnicodeString(6);
                if (!name)
                    return false;
                sheetAt = static_cast<int>(b.u32(0));
                out.sheetName = *name;
            }
            break;
        default:
            break;
        }
    }
    if (r.broken())
        return false;
    for (int id : styleIds)
        out.styleFormats.push_back(codes.contains(id) ? codes.value(id) : NumberFormat::builtinCode(id));
    return true;
}

// A cell as its record gives it, or false when it lies outside any Excel 97 sheet or holds a
// number that is none.
bool add(std::vector<Cell>& cells, const Cell& c)
{
    if (c.column >= Biff8Columns || !std::isfinite(c.number))
        return false;
    cells.push_back(c);
    return true;
}

// A formula's stored result; a text result follows in a STRING record.
bool readFormula(const Body& b, Records& r, std::vector<Cell>& cells)
{
    if (!b.has(0, 14))
        return false;
    Cell c{b.u16(0), b.u16(2), b.u16(4), Kind::Number, 0, {}};
    if (b.u16(12) != 0xFFFF) {
        c.number = b.f64(6);
        return add(cells, c);
    }
    switch (b.u8(6)) {
    case 0:  // text: the STRING record after the formula's own records holds it
        do {
            if (!r.next())
                return false;
        } while (r.id() == SharedFormula || r.id() == Array || r.id() == Table);
        if (r.id() != String) {  // the record belongs to what follows
            r.unread();
            c.kind = Kind::Uncalculated;
            break;
        }
        if (const std::optional<QString> s = r.body().unicodeString(0)) {
            c.kind = Kind::Text;
            c.text = *s;
            break;
        }
        return false;
    case 1:
        c.kind = Kind::Boolean;
        c.number = b.u8(8) ? 1 : 0;
        break;
    case 2:
        c.kind = Kind::Error;
        c.text = errorText(b.u8(8));
        break;
    case 3:  // an empty text
        return c.column < Biff8Columns;
    default:
        c.kind = Kind::Uncalculated;
        break;
    }
    return add(cells, c);
}

bool readSheet(const QByteArray& stream, int at, XlsRecords& out)
{
    Records r(stream, at);
    if (!r.next() || r.id() != Bof)
        return false;
    int depth = 1;  // charts and other objects bring their own BOF ... EOF inside the sheet
    while (depth > 0 && r.next()) {
        const Body& b = r.body();
        if (depth > 1 && r.id() != Bof && r.id() != Eof)
            continue;
        switch (r.id()) {
        case Bof:
            ++depth;
            break;
        case Eof:
            --depth;
            break;
        case Dimensions:
            if (!b.has(0, 12))
                return false;
            out.declaredRows = static_cast<int>(std::min<quint32>(b.u32(4), 1 << 20));
            out.declaredColumns = b.u16(10);
            break;
        case Number:
            if (!b.has(0, 14) ||
                !add(out.cells, {b.u16(0), b.u16(2), b.u16(4), Kind::Number, b.f64(6), {}}))
                return false;
            break;
        case Rk:
            if (!b.has(0, 10) ||
                !add(out.cells, {b.u16(0), b.u16(2), b.u16(4), Kind::Number, rkNumber(b.u32(6)), {}}))
                return false;
            break;
        case MulRk: {
            if (!b.has(0, 6))
                return false;
            const int count = (b.size() - 6) / 6;
            for (int i = 0; i < count; ++i)
                if (!add(out.cells, {b.u16(0), b.u16(2) + i, b.u16(4 + 6 * i), Kind::Number,
                                     rkNumber(b.u32(6 + 6 * i)), {}}))
                    return false;
            break;
        }
        case Formula:
            if (!readFormula(b, r, out.cells))
                return false;
            break;
        case BoolErr: {
            if (!b.has(0, 8))
                return false;
            const bool error = b.u8(7);
            if (!add(out.cells, {b.u16(0), b.u16(2), b.u16(4), error ? Kind::Error : Kind::Boolean,
                                 error ? 0.0 : (b.u8(6) ? 1.0 : 0.0),
                                 error ? errorText(b.u8(6)) : QString()}))
                return false;
            break;
        }
        case LabelSst:
        case Label:
        case RString:
            if (!b.has(0, 6) || b.u16(2) >= Biff8Columns)
                return false;
            out.textStyles.insert(xlsCellKey(b.u16(0), b.u16(2)), b.u16(4));
            break;
        default:
            break;
        }
    }
    return depth == 0 && !r.broken();
}

}  // namespace

bool readXlsRecords(const QByteArray& stream, XlsRecords& out)
{
    int sheetAt = -1;
    if (!readGlobals(stream, out, sheetAt))
        return false;
    if (out.oldFormat || out.encrypted || sheetAt < 0)
        return true;
    return readSheet(stream, sheetAt, out);
}

}  // namespace vel
