#pragma once

#include "output/DbfWriter.h"

#include <QString>

namespace vel {

class Db;
class WorkFolder;

// The message after a file was written: the folder and the file name, on two lines.
QString writtenFileMessage(const QString& path);

// Writes the report table as the submission file `fileName` in `where` and then removes the file
// the report wrote under `olderName` in earlier versions (none when empty); the columns of
// `decimals` as DbfSource takes them. Returns the message naming folder and file. A failed write
// leaves every earlier file as it was.
QString submitReportTable(Db& db,
                          const WorkFolder& folder,
                          SubmissionFolder where,
                          const char* table,
                          const QString& fileName,
                          const QString& olderName = {},
                          const std::map<std::string, int>& decimals = {});

}  // namespace vel
