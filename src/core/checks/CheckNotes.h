#pragma once

#include "checks/Finding.h"

#include <QString>

#include <map>
#include <utility>
#include <vector>

namespace vel {

class Db;

// The clerk's explanation of a warning, kept in Check_Note by rule and place.
struct CheckNote {
    QString text;
    QString date;     // yyyy-MM-dd
    QString figures;  // the finding's figures it was written for; null when not known
};

// Every stored explanation by (code, place token); none in a file of an older version opened
// only for reading.
std::map<std::pair<QString, QString>, CheckNote> loadCheckNotes(Db& db);

// Why the text cannot be kept as an explanation (one the submission's GBK files cannot hold);
// empty when it can.
QString checkNoteRefusal(const QString& text);

// Keeps the text as the finding's explanation, dated today, or removes it when the text is empty.
// Throws Error with the refusal, storing nothing, for an error's finding or a text refused.
void storeCheckNote(Db& db, const Finding& finding, const QString& text);
// The same for several findings in one transaction: all are kept, or none.
void storeCheckNotes(Db& db, const std::vector<const Finding*>& findings, const QString& text);

}  // namespace vel
