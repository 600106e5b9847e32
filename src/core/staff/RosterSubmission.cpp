#include "RosterSubmission.h"

#include "output/DbfWriter.h"

#include <QFileInfo>

namespace vel {

QString rosterSubmissionPath(const WorkFolder& folder, const QString& unitNo)
{
    return submissionPath(folder, SubmissionFolder::Rcsb, QStringLiteral("Gl_%1.dbf").arg(unitNo));
}

QString writeRosterSubmission(Db& db, const WorkFolder& folder, const QString& unitNo)
{
    // The fields carry the authority's spelling of the column names.
    static const DbfSource Roster{
        "SELECT sNumber, sTsex, sTnation AS sTNation, sTparty AS sTParty, sBirth, sWorks, sWork,"
        " sTedu AS sTEdu, sGw, sTpost, sTGrade, sTJGrade FROM Staff_moninfo WHERE sMon = 0"
        " ORDER BY id",
        {}};
    const QString path = rosterSubmissionPath(folder, unitNo);
    writeDbf(db, Roster, path);
    return path;
}

QString submitRoster(Db& db, const WorkFolder& folder, const QString& unitNo)
{
    const QFileInfo file(writeRosterSubmission(db, folder, unitNo));
    return QStringLiteral("你保存在'%1/'里,文件名为:%2").arg(file.path(), file.fileName());
}

}  // namespace vel
