// veldrassa-mdb-reader FILE TABLE...: writes the named tables of an Access (Jet 3/4) database to
// standard output in the frames of history/AccessFrames.h. It runs as a child of the program so
// that a damaged file that crashes or hangs mdbtools' library ends this process only; the
// library's own printing goes to standard error, which the program drops.
#include "history/AccessFrames.h"

#include <QDataStream>
#include <QDate>
#include <QFile>
#include <QString>
#include <QStringList>

#include <glib.h>
// glib first: mdbtools.h uses its types without including it.
#include <mdbtools.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

using namespace vel::accessframes;

constexpr int OffsetMask = 0x1fff;  // a row's offset in its page, without the flag bits

// A crafted file may make the library loop or allocate without end: the kernel stops it.
void limitResources()
{
    const rlimit memory{1024L * 1024 * 1024, 1024L * 1024 * 1024};
    setrlimit(RLIMIT_AS, &memory);
    const rlimit cpu{120, 120};
    setrlimit(RLIMIT_CPU, &cpu);
}

MdbCatalogEntry* tableNamed(MdbHandle* mdb, const QString& name)
{
    for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE &&
            QString::fromUtf8(entry->object_name).compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return nullptr;
}

qint64 littleEndian(const unsigned char* p, int bytes)
{
    quint64 v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | p[i];
    const int unused = 64 - 8 * bytes;
    return static_cast<qint64>(v << unused) >> unused;  // sign-extended
}

// One field as the row's bytes hold it: NULL told from empty text by the row's null mask, and
// numbers as the stored values, not the library's text of them.
void writeValue(QDataStream& out, MdbHandle* mdb, const MdbColumn* col, const MdbField& f)
{
    const unsigned char* at = mdb->pg_buf + f.start;
    if (col->col_type == MDB_BOOL) {  // a yes/no keeps its value in the null mask
        out << quint8(Integer) << qint64(f.is_null ? 0 : 1);
        return;
    }
    if (f.is_null) {
        out << quint8(Null);
        return;
    }
    switch (col->col_type) {
    case MDB_BYTE:
        out << quint8(Integer) << qint64(at[0]);
        return;
    case MDB_INT:
        out << quint8(Integer) << littleEndian(at, 2);
        return;
    case MDB_LONGINT:
        out << quint8(Integer) << littleEndian(at, 4);
        return;
    case MDB_MONEY:  // whole ten-thousandths of a unit
        out << quint8(Real) << double(littleEndian(at, 8)) / 10000.0;
        return;
    case MDB_DOUBLE:
        out << quint8(Real) << mdb_get_double(mdb->pg_buf, f.start);
        return;
    case MDB_FLOAT:  // a single holds 7 significant digits: 99.99, not 99.98999786
        out << quint8(Real)
            << QString::number(mdb_get_single(mdb->pg_buf, f.start), 'g', 7).toDouble();
        return;
    case MDB_DATETIME: {
        const double days = mdb_get_double(mdb->pg_buf, f.start);
        const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(days));
        out << quint8(Text) << date.toString(QStringLiteral("yyyy-MM-dd"));
        return;
    }
    case MDB_NUMERIC: {
        char* text = mdb_numeric_to_string(mdb, f.start, col->col_scale, col->col_prec);
        out << quint8(Real) << QString::fromUtf8(text).toDouble();
        g_free(text);
        return;
    }
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_REPID: {
        if (f.siz == 0) {
            out << quint8(Text) << QString(QLatin1String(""));
            return;
        }
        char* text = mdb_col_to_string(mdb, mdb->pg_buf, f.start, col->col_type, f.siz);
        out << quint8(Text) << QString::fromUtf8(text ? text : "");
        g_free(text);
        return;
    }
    default:  // pictures and other binary data have no place in these tables
        out << quint8(Null);
        return;
    }
}

bool writeTable(QDataStream& out, MdbHandle* mdb, const QString& name)
{
    MdbCatalogEntry* entry = tableNamed(mdb, name);
    if (!entry) {
        out << quint8(TableMissing) << name;
        return true;
    }
    MdbTableDef* table = mdb_read_table(entry);
    if (!table || !mdb_read_columns(table))
        return false;
    QStringList columns;
    for (unsigned int i = 0; i < table->num_cols; ++i)
        columns << QString::fromUtf8(
            static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i))->name);
    out << quint8(TableFound) << name << qint64(table->num_rows) << columns;

    std::vector<MdbField> fields(table->num_cols);
    std::vector<const MdbField*> byColumn(table->num_cols);
    mdb_rewind_table(table);
    while (mdb_fetch_row(table)) {
        // The row just fetched, cracked again to see its null mask and its raw values.
        int start = 0;
        size_t length = 0;
        if (mdb_find_row(mdb, static_cast<int>(table->cur_row) - 1, &start, &length) != 0)
            return false;
        const int count = mdb_crack_row(table, start & OffsetMask, length, fields.data());
        if (count != static_cast<int>(table->num_cols))
            return false;
        std::fill(byColumn.begin(), byColumn.end(), nullptr);
        for (const MdbField& f : fields)
            if (f.colnum >= 0 && f.colnum < static_cast<int>(table->num_cols))
                byColumn[f.colnum] = &f;
        out << quint8(RowFollows);
        for (unsigned int i = 0; i < table->num_cols; ++i) {
            if (!byColumn[i])
                return false;
            writeValue(out, mdb, static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i)),
                       *byColumn[i]);
        }
    }
    out << quint8(TableEnd);
    mdb_free_tabledef(table);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return UsageError;
    limitResources();
    // The frames go to the real standard output; whatever the library prints, to standard error.
    const int frames = dup(STDOUT_FILENO);
    if (frames < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return UsageError;
    QFile file;
    if (!file.open(frames, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
        return UsageError;
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_4);
    out << Magic;

    MdbHandle* mdb = mdb_open(argv[1], MDB_NOFLAGS);
    if (!mdb || !mdb_read_catalog(mdb, MDB_TABLE))
        return Unreadable;
    for (int i = 2; i < argc; ++i)
        if (!writeTable(out, mdb, QString::fromUtf8(argv[i])))
            return Unreadable;
    out << quint8(AllDone);
    mdb_close(mdb);
    file.flush();
    return out.status() == QDataStream::Ok ? 0 : Unreadable;
}
