#pragma once

#include "output/DbfWriter.h"

#include <QString>

namespace vel {

class Db;
class WorkFolder;

// The roster transcription file for the statistics authority: RCSB/Gl_{unit number}.dbf.
QString rosterSubmissionName(const QString& unitNo);
QString rosterSubmissionPath(const WorkFolder& folder, const QString& unitNo);

// Its rows: the stored opening roster (month 0, also its rows that failed the audit), the name
// number and the answer texts, no name and no codes.
DbfSource rosterSubmissionSource();

// Writes the file; returns its path. A failed write leaves the earlier file as it was.
QString writeRosterSubmission(Db& db, const WorkFolder& folder, const QString& unitNo);

// "过录表上报": writes the file and returns the message naming folder and file.
QString submitRoster(Db& db, const WorkFolder& folder, const QString& unitNo);

}  // namespace vel
