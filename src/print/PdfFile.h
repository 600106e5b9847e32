#pragma once

#include "output/LaidOutSheet.h"

#include <QString>

namespace vel {

class WorkFolder;

// The PDF beside a workbook: XLS/`baseName`.pdf, the folder created when missing.
QString pdfPath(const WorkFolder& folder, const QString& baseName);

// Writes the printed pages of the form as a PDF at `path`, replacing an earlier file only once
// the new one is complete. Throws FileError (ExportFailedMessage, the file and the cause) and
// leaves any earlier file as it was when it cannot be written.
void writePdf(const LaidOutSheet& sheet, const QString& path);

}  // namespace vel
