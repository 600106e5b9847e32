#include "RosterSubmission.h"

#include "output/DbfWriter.h"
#include "output/FileMessages.h"

namespace vel {

QString rosterSubmissionName(const QString& unitNo)
{
    return QStringLiteral("Gl_%1.dbf").arg(unitNo);
}

QString rosterSubmissionPath(const WorkFolder& folder, const QString& unitNo)
{
    return submissionPath(folder, SubmissionFolder::Rcsb, rosterSubmissionName(unitNo));
}

DbfSource rosterSubmissionSource()
{
    constexpr int RosterTextWidth = 50;
    // The fields carry the authority's spelling of the column names.
    return {"SELECT sNumber, sTsex, sTnation AS sTNation, sTparty AS sTParty, sBirth, sWorks,"
            " sWork, sTedu AS sTEdu, sGw, sTpost, sTGrade, sTJGrade FROM Staff_moninfo"
            " WHERE sMon = 0 ORDER BY id",
            {},
            {},
            // Room for every answer of the code lists and for what a clerk may have typed
            // instead: rows that failed the audit are submitted too.
            {{"sNumber", RosterTextWidth},
             {"sTsex", RosterTextWidth},
             {"sTNation", RosterTextWidth},
             {"sTParty", RosterTextWidth},
             {"sBirth", RosterTextWidth},
             {"sTEdu", RosterTextWidth},
             {"sGw", RosterTextWidth},
             {"sTpost", RosterTextWidth},
             {"sTGrade", RosterTextWidth},
             {"sTJGrade", RosterTextWidth}}};
}

QString writeRosterSubmission(Db& db, const WorkFolder& folder, const QString& unitNo)
{
    const QString path = rosterSubmissionPath(folder, unitNo);
    writeDbf(db, rosterSubmissionSource(), path);
    return path;
}

QString submitRoster(Db& db, const WorkFolder& folder, const QString& unitNo)
{
    return savedFileMessage({writeRosterSubmission(db, folder, unitNo)});
}

}  // namespace vel
