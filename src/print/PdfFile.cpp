#include "PdfFile.h"

#include "Errors.h"
#include "PagePainter.h"
#include "WorkFolder.h"
#include "output/PendingFile.h"
#include "output/WorkbookWriter.h"

#include <QPdfWriter>

namespace vel {

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
        file.commit();
    } catch (const FileError& e) {
        throw exportFailure(path, e.message());
    }
}

}  // namespace vel
