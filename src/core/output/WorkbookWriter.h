#pragma once

#include "Errors.h"
#include "output/WorkbookLayout.h"
#include "sheet/Sheet.h"

#include <QString>

#include <functional>

namespace vel {

class WorkFolder;

// Texts of the export and print commands, as the windows show them.
inline const QString ExportFailedMessage = QStringLiteral("数据导出错误！");
inline const QString ExportFailedCaption = QStringLiteral("消息");
inline const QString PrintNeedsExportMessage = QStringLiteral("必须导成EXCEL才支持打印。");
// "用表格程序打开" when the desktop has no program for the workbook.
inline const QString NoSpreadsheetMessage = QStringLiteral("无法打开Xls文件，请确认已经安装EXCEL.");
inline const QString NoSpreadsheetCaption = QStringLiteral("警告");
inline const QString FileNotWritableCause =
    QStringLiteral("文件无法写入（文件夹不可写、磁盘已满或文件正被其他程序打开）。");

// The failure of an export as the clerk reads it: ExportFailedMessage, the file and the cause.
FileError exportFailure(const QString& path, const QString& cause);

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
