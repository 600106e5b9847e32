#include "XlsFile.h"

#include "Errors.h"
#include "io/NumberFormat.h"
#include "io/XlsRecords.h"

#include <QFile>

#include <freexl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-utils.h>

#include <memory>
#include <mutex>

namespace vel {
namespace {

struct GObjectUnref {
    void operator()(void* object) const
    {
        if (object)
            g_object_unref(object);
    }
};
template <typename T>
using GsfPtr = std::unique_ptr<T, GObjectUnref>;

// libgsf reports what it finds odd in a compound file (even one it then reads well) as GLib
// criticals on standard error; the clerk gets the program's own message instead.
void silenceGsf()
{
    static std::once_flag initialised;
    std::call_once(initialised, [] {
        gsf_init();
        for (const char* domain : {"libgsf", "libgsf:msole", "libgsf:utils"})
            g_log_set_handler(domain,
                              static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL |
                                                          G_LOG_FLAG_RECURSION),
                              [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
    });
}

// The workbook stream of the compound file; an encrypted .xlsx travels in the same container.
QByteArray workbookStream(const QString& path, const QByteArray& bytes)
{
    silenceGsf();
    GsfPtr<GsfInput> input(gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.constData()),
                                                bytes.size(), FALSE));
    GsfPtr<GsfInfile> ole(input ? gsf_infile_msole_new(input.get(), nullptr) : nullptr);
    if (!ole)
        refuseDamagedWorkbook(path);
    int workbook = -1;
    bool oldBook = false;
    for (int i = 0; i < gsf_infile_num_children(ole.get()); ++i) {
        const QString name = QString::fromUtf8(gsf_infile_name_by_index(ole.get(), i));
        if (name == u"EncryptedPackage" || name == u"EncryptionInfo")
            refuseProtectedWorkbook(path);
        if (name.compare(u"Workbook", Qt::CaseInsensitive) == 0)
            workbook = i;
        oldBook = oldBook || name.compare(u"Book", Qt::CaseInsensitive) == 0;
    }
    if (workbook < 0 && oldBook)
        refuseOldWorkbook(path);
    if (workbook < 0)  // a document, a presentation: the same container, another program's
        refuseNotWorkbook(path);
    GsfPtr<GsfInput> stream(gsf_infile_child_by_index(ole.get(), workbook));
    const gsf_off_t size = stream ? gsf_input_size(stream.get()) : -1;
    if (size < 0 || size > MaxWorkbookPartBytes)
        refuseDamagedWorkbook(path);
    QByteArray out(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (size > 0 && !gsf_input_read(stream.get(), static_cast<size_t>(size),
                                    reinterpret_cast<guint8*>(out.data())))
        refuseDamagedWorkbook(path);
    return out;
}

struct FreeXlHandle {
    const void* handle = nullptr;
    ~FreeXlHandle()
    {
        if (handle)
            freexl_close(handle);
    }
};

// The text cells, read by FreeXL, which knows the string table and its continuations. FreeXL
// makes a table of the size the sheet declares, so that size is checked first. Password
// protection has been refused before: any failure here is a damaged file.
void addTexts(const QString& path, const XlsRecords& records,
              const std::vector<NumberFormat>& formats, const NumberFormat& general,
              std::vector<ShownCell>& cells)
{
    if (records.textStyles.isEmpty())
        return;
    checkCellPlace(path, records.declaredRows, records.declaredColumns);
    FreeXlHandle xl;
    if (freexl_open(QFile::encodeName(path).constData(), &xl.handle) != FREEXL_OK || !xl.handle)
        refuseDamagedWorkbook(path);
    unsigned int sheets = 0;
    if (freexl_get_info(xl.handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK)
        refuseDamagedWorkbook(path);
    int sheet = -1;
    for (unsigned int i = 0; i < sheets && sheet < 0; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(xl.handle, static_cast<unsigned short>(i), &name) == FREEXL_OK &&
            name && QString::fromUtf8(name) == records.sheetName)
            sheet = static_cast<int>(i);
    }
    if (sheet < 0 || freexl_select_active_worksheet(xl.handle, static_cast<unsigned short>(sheet)) != FREEXL_OK)
        refuseDamagedWorkbook(path);
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(xl.handle, &rows, &columns) != FREEXL_OK)
        refuseDamagedWorkbook(path);
    for (auto it = records.textStyles.cbegin(); it != records.textStyles.cend(); ++it) {
        const unsigned int row = static_cast<unsigned int>(it.key() >> 16);
        const unsigned short column = static_cast<unsigned short>(it.key() & 0xFFFF);
        if (row >= rows || column >= columns)
            refuseDamagedWorkbook(path);
        FreeXL_CellValue value;
        if (freexl_get_cell_value(xl.handle, row, column, &value) != FREEXL_OK)
            refuseDamagedWorkbook(path);
        if (value.type != FREEXL_CELL_TEXT && value.type != FREEXL_CELL_SST_TEXT)
            continue;
        const int style = it.value();
        const NumberFormat& format =
            style < static_cast<int>(formats.size()) ? formats[style] : general;
        QString text = format.text(QString::fromUtf8(value.value.text_value));
        if (!text.isEmpty()) {
            checkCellPlace(path, static_cast<int>(row) + 1, column + 1);
            cells.push_back({static_cast<int>(row) + 1, column + 1, std::move(text)});
        }
    }
}

}  // namespace

std::vector<ShownCell> readXlsSheet(const QString& path, const QByteArray& bytes)
{
    XlsRecords records;
    if (!readXlsRecords(workbookStream(path, bytes), records))
        refuseDamagedWorkbook(path);
    if (records.encrypted)
        refuseProtectedWorkbook(path);
    if (records.oldFormat)
        refuseOldWorkbook(path);
    if (records.sheetName.isEmpty())
        refuseWorkbookWithoutSheet(path);

    const DateSystem dates = records.date1904 ? DateSystem::From1904 : DateSystem::From1900;
    std::vector<NumberFormat> formats;
    for (const QString& code : records.styleFormats)
        formats.emplace_back(code, dates);
    const NumberFormat general(QStringLiteral("General"), dates);

    std::vector<ShownCell> cells;
    for (const XlsRecords::Cell& c : records.cells) {
        if (c.kind == XlsRecords::Kind::Uncalculated)
            refuseFormulaWithoutResult(c.row + 1, c.column + 1);
        const NumberFormat& format =
            c.style < static_cast<int>(formats.size()) ? formats[c.style] : general;
        QString shown;
        switch (c.kind) {
        case XlsRecords::Kind::Number:
            shown = format.number(c.number);
            break;
        case XlsRecords::Kind::Boolean:  // an .xls keeps its booleans as the numbers 1 and 0
            shown = format.number(c.number);
            break;
        case XlsRecords::Kind::Error:
            shown = c.text;
            break;
        case XlsRecords::Kind::Text:
            shown = format.text(c.text);
            break;
        case XlsRecords::Kind::Uncalculated:
            break;
        }
        if (!shown.isEmpty()) {
            checkCellPlace(path, c.row + 1, c.column + 1);
            cells.push_back({c.row + 1, c.column + 1, shown});
        }
    }
    addTexts(path, records, formats, general, cells);
    return cells;
}

}  // namespace vel
