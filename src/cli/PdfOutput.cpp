#include "PdfOutput.h"

#include "CliSupport.h"
#include "PdfFile.h"

namespace vel::cli {

void writePagePdf(const WorkFolder& folder, const QString& baseName, const LaidOutSheet& page)
{
    const QString path = pdfPath(folder, baseName);
    writePdf(page, path);
    out(path);
}

}  // namespace vel::cli
