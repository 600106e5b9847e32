#pragma once

#include "checks/CheckRules.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace vel {

class WorkFolder;

// "审核说明_{unit number}_{form}.txt" beside the form's submission files: the form's number, and
// the quarter after it for a quarterly form (each quarter is handed in on its own).
QString notesFilePath(const WorkFolder& folder, const QString& unitCode, const FormDefinition& form,
                      const FormPeriod& period);

// The warnings of the findings grouped by month (then the forms' places) and rule, a heading
// for each group; within it each explanation (with its date, or that there is none, or that it
// no longer fits the figures) on a line, and under it one line per finding it covers: code,
// place, message. Empty when there is no warning.
QStringList noteLines(const Findings& findings);

// Writes the lines in GBK with CR LF line ends, replacing an earlier file only once the new one
// is complete; with no lines removes an earlier file, so that none outlives its warnings. Throws
// FileError when the file cannot be written or removed.
void writeNotesFile(const QString& path, const QStringList& lines);

// The workbook's sheet "审核说明": a header, then a row per warning (code, place, message,
// explanation, date). Empty when there is no warning.
std::vector<QStringList> notesSheetRows(const Findings& findings);

}  // namespace vel
