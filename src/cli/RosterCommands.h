#pragma once

#include <QString>

namespace vel {
class Session;
}

namespace vel::cli {

// Audits and stores a roster file as the month's roster, as the roster windows save a sheet.
int rosterImport(Session& session, int month, const QString& path);
int rosterExport(Session& session, int month);
// "过录表上报": writes the stored opening roster as RCSB/Gl_{unit number}.dbf; prints its path.
int rosterSubmit(Session& session);

}  // namespace vel::cli
