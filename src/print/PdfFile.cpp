#include "PdfFile.h"

#include "Errors.h"
#include "PagePainter.h"
#include "PdfTextLayer.h"
#include "WorkFolder.h"
#include "output/PendingFile.h"
#include "output/WorkbookWriter.h"

#include <QFile>
#include <QImage>
#include <QPdfWriter>

namespace vel {

namespace {

// The ideographs for the radicals of every font the pages are printed in; the fonts do not
// change while the program runs.
const QHash<char16_t, char16_t>& unifiedOfPrintFonts()
{
    static const QHash<char16_t, char16_t> unified = [] {
        QImage device(1, 1, QImage::Format_RGB32);
        QList<QFont> fonts;
        for (const QString& name : {BodyFont, TitleFont})
            for (bool bold : {false, true}) {
                CellStyle style;
                style.fontName = name;
                style.bold = bold;
                fonts.push_back(printFont(style, device));
            }
        return unifiedForRadicals(fonts);
    }();
    return unified;
}

// The text layer Qt wrote, with the characters drawn in place of the radicals.
void correctTextLayer(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        throw FileError(FileNotWritableCause);
    const QByteArray written = file.readAll();
    const QByteArray corrected = withUnifiedIdeographs(written, unifiedOfPrintFonts());
    if (corrected != written &&
        (!file.seek(0) || file.write(corrected) != corrected.size() || !file.flush()))
        throw FileError(FileNotWritableCause);
}

}  // namespace

QString pdfPath(const WorkFolder& folder, const QString& baseName)
{
    return folder.filePath("XLS", baseName + ".pdf");
}

void writePdf(const LaidOutSheet& sheet, const QString& path)
{
    try {
        PendingFile file(path, ".pdf");
        {
            QPdfWriter writer(file.path());
            writer.setTitle(sheet.sheetName);
            writer.setCreator(QStringLiteral("Veldrassa"));
            if (!paintPages(writer, sheet))
                throw FileError(FileNotWritableCause);
        }
        correctTextLayer(file.path());
        file.commit();
    } catch (const FileError& e) {
        throw exportFailure(path, e.message());
    }
}

}  // namespace vel
