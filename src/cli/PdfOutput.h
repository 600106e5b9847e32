#pragma once

#include "output/LaidOutSheet.h"

#include <QString>

namespace vel {
class WorkFolder;
}

namespace vel::cli {

// --pdf: writes the printed pages as XLS/{baseName}.pdf and prints the file's path.
void writePagePdf(const WorkFolder& folder, const QString& baseName, const LaidOutSheet& page);

}  // namespace vel::cli
