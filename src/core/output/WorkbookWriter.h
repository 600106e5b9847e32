#pragma once

#include "output/WorkbookLayout.h"
#include "sheet/Sheet.h"

#include <QString>

#include <functional>

namespace vel {

class WorkFolder;

// Texts of the export command, as the windows show them.
inline const QString ExportFailedMessage = QStringLiteral("数据导出错误！");

// Which folder of the work folder holds a workbook.
enum class WorkbookFolder { Reports, Errors };  // XLS, ERROR

// The workbook file `baseName`.xlsx in XLS (or ERROR), the folder created when missing. Export
// and print take the same path.
QString workbookPath(const WorkFolder& folder, const QString& baseName,
                     WorkbookFolder where = WorkbookFolder::Reports);

// Writes the report's sheet into a new workbook at `path` as `layout` describes. The previous
// file at `path` is replaced only once the new one is complete; any failure throws FileError
// whose message is ExportFailedMessage, the file and the cause, and leaves it as it was.
// `progress` hears 0..100 row by row.
void writeWorkbook(const Sheet& sheet, const WorkbookLayout& layout, const QString& path,
                   const std::function<void(int)>& progress = {});

}  // namespace vel
