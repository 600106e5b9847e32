#include "PrintCommands.h"

#include "PagePainter.h"
#include "PdfFile.h"
#include "Prompter.h"
#include "ShellOpen.h"
#include "reports/ReportOutput.h"

#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <memory>

namespace vel::gui {

QPrintPreviewDialog* openPrintPreview(QWidget* parent, const LaidOutSheet& sheet)
{
    // The printer lives as long as the preview that draws on it.
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setFullPage(true);  // the form brings its own margins
    printer->setDocName(sheet.sheetName);
    auto* preview = new QPrintPreviewDialog(printer.get(), parent);
    preview->setObjectName("printPreview");
    preview->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(preview, &QPrintPreviewDialog::paintRequested, preview,
                     [printer, sheet](QPrinter* target) { paintPages(*target, sheet); });
    preview->resize(1000, 700);
    preview->open();
    return preview;
}

void exportPdf(QWidget* parent, const WorkFolder& folder, const QString& baseName,
               const LaidOutSheet& sheet)
{
    const QString path = pdfPath(folder, baseName);
    writePdf(sheet, path);
    prompt().info(parent, exportedToMessage(path));
    openInShell(parent, QFileInfo(path).path());
}

}  // namespace vel::gui
