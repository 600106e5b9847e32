#pragma once

#include "Progress.h"

#include <QString>

namespace vel {

class Sheet;
class WorkFolder;

// "导出名单": the number and name of every row the wage error sheet lists, under the title
// "未输入名单", into ERROR/{month}月错误名单.xlsx. Returns the closing message, which names the
// folder and the file. Throws FileError (ExportFailedMessage) when the workbook cannot be
// written; an earlier file stays as it was.
QString exportWageErrorList(const WorkFolder& folder, int month, const Sheet& errors,
                            const Progress& progress = {});

// The folder the list goes to, opened for the clerk afterwards.
QString wageErrorListFolder(const WorkFolder& folder);

}  // namespace vel
