#include "ReportOutput.h"

#include "output/DbfWriter.h"

#include <QFileInfo>

namespace vel {

QString writtenFileMessage(const QString& path)
{
    const QFileInfo file(path);
    return QStringLiteral("文件所在路径:'%1/';\n\r文件名为:%2").arg(file.path(), file.fileName());
}

QString submitReportTable(Db& db,
                          const WorkFolder& folder,
                          SubmissionFolder where,
                          const char* table,
                          const QString& fileName,
                          const QString& olderName,
                          const std::map<std::string, int>& decimals)
{
    const QString path = submissionPath(folder, where, fileName);
    writeDbf(db, DbfSource::table(QString::fromUtf8(table), decimals), path);
    if (!olderName.isEmpty())
        removeOlderFile(submissionPath(folder, where, olderName));
    return writtenFileMessage(path);
}

}  // namespace vel
