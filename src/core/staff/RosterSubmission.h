#pragma once

#include <QString>

namespace vel {

class Db;
class WorkFolder;

// The roster transcription file for the statistics authority: RCSB/Gl_{unit number}.dbf.
QString rosterSubmissionPath(const WorkFolder& folder, const QString& unitNo);

// Writes the stored opening roster (month 0, also its rows that failed the audit) as the roster
// transcription file: the name number and the answer texts, no name and no codes. Returns the
// file's path; a failed write leaves the earlier file as it was.
QString writeRosterSubmission(Db& db, const WorkFolder& folder, const QString& unitNo);

// "过录表上报": writes the file and returns the message naming folder and file.
QString submitRoster(Db& db, const WorkFolder& folder, const QString& unitNo);

}  // namespace vel
