#pragma once

#include "output/LaidOutSheet.h"

#include <QString>

class QPrintPreviewDialog;
class QWidget;

namespace vel {
class WorkFolder;
}

namespace vel::gui {

// "打印": the pages in the print preview, on A4 as the form lays them out; from there the clerk
// prints on any printer the system knows or saves a PDF. The preview opens over `parent`
// without blocking it and is gone once closed.
QPrintPreviewDialog* openPrintPreview(QWidget* parent, const LaidOutSheet& sheet);

// "导出PDF": writes the pages as XLS/{baseName}.pdf, says where and shows the folder.
void exportPdf(QWidget* parent, const WorkFolder& folder, const QString& baseName,
               const LaidOutSheet& sheet);

}  // namespace vel::gui
