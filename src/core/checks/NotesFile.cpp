#include "NotesFile.h"

#include "Errors.h"
#include "WorkFolder.h"
#include "checks/DataCheck.h"
#include "output/DbfWriter.h"
#include "output/PendingFile.h"
#include "reports/FormDefinition.h"

#include <QFile>

namespace vel {

QString notesFilePath(const WorkFolder& folder, const QString& unitCode, const FormDefinition& form,
                      const FormPeriod& period)
{
    QString name = QStringLiteral("审核说明_%1_%2").arg(unitCode, form.number);
    if (period.kind == PeriodKind::Quarter)
        name += QStringLiteral("_%1").arg(period.quarter);
    return submissionPath(folder, form.submission.folder, name + QStringLiteral(".txt"));
}

QStringList noteLines(const Findings& findings)
{
    QStringList lines;
    for (const Finding& f : findings) {
        if (f.isError())
            continue;
        lines << findingLine(f) + (f.explained() ? QStringLiteral("（%1）").arg(f.noteDate)
                                                 : QStringLiteral(" 说明：（无）"));
    }
    return lines;
}

void writeNotesFile(const QString& path, const QStringList& lines)
{
    if (lines.isEmpty()) {
        if (QFile::exists(path) && !QFile::remove(path))
            throw FileError(QStringLiteral("无法删除旧的审核说明文件：%1").arg(path));
        return;
    }
    // The explanations were checked for GBK when they were kept; the messages are the program's.
    const std::optional<QByteArray> bytes = gbkBytes(lines.join(QStringLiteral("\r\n")) + "\r\n");
    if (!bytes)
        throw FileError(QStringLiteral("审核说明含有GBK编码无法表示的字符，无法写入：%1").arg(path));
    PendingFile pending(path, ".txt");
    QFile file(pending.path());
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.flush())
        throw FileError(QStringLiteral("无法写入审核说明文件：%1").arg(path));
    file.close();
    pending.commit();
}

std::vector<QStringList> notesSheetRows(const Findings& findings)
{
    std::vector<QStringList> rows;
    for (const Finding& f : findings)
        if (!f.isError())
            rows.push_back({f.code, f.place.token(), f.message, f.note, f.noteDate});
    if (!rows.empty())
        rows.insert(rows.begin(), {QStringLiteral("代码"), QStringLiteral("位置"),
                                   QStringLiteral("审核发现"), QStringLiteral("说明"),
                                   QStringLiteral("说明日期")});
    return rows;
}

}  // namespace vel
