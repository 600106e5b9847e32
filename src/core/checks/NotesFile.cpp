#include "NotesFile.h"

#include "Errors.h"
#include "WorkFolder.h"
#include "checks/DataCheck.h"
#include "output/DbfWriter.h"
#include "output/PendingFile.h"
#include "reports/FormDefinition.h"
#include "staff/RosterDiff.h"

#include <QFile>

#include <algorithm>
#include <tuple>

namespace vel {

QString notesFilePath(const WorkFolder& folder, const QString& unitCode, const FormDefinition& form,
                      const FormPeriod& period)
{
    QString name = QStringLiteral("审核说明_%1_%2").arg(unitCode, form.number);
    if (period.kind == PeriodKind::Quarter)
        name += QStringLiteral("_%1").arg(period.quarter);
    return submissionPath(folder, form.submission.folder, name + QStringLiteral(".txt"));
}

namespace {

// Months first, in their order, then the forms' places; within each, the rules in code order.
std::pair<int, QString> groupOf(const Finding& f)
{
    const FindingPlace& p = f.place;
    if (p.kind == FindingPlace::Kind::Month || p.kind == FindingPlace::Kind::Person)
        return {p.month, rosterMonthName(p.month)};
    return {13, p.form ? formToken(*p.form, p.period).toUpper() : QString()};
}

QString explanationLine(const Finding& f)
{
    if (f.explained())
        return QStringLiteral("说明：%1（%2）").arg(f.note, f.noteDate);
    if (f.noteStale)
        return QStringLiteral("说明已过时：%1（%2）").arg(f.note, f.noteDate);
    return QStringLiteral("说明：（无）");
}

}  // namespace

QStringList noteLines(const Findings& findings)
{
    std::vector<const Finding*> warnings;
    for (const Finding& f : findings)
        if (!f.isError())
            warnings.push_back(&f);
    std::stable_sort(warnings.begin(), warnings.end(), [](const Finding* a, const Finding* b) {
        return std::make_tuple(groupOf(*a).first, groupOf(*a).second, a->code, explanationLine(*a)) <
               std::make_tuple(groupOf(*b).first, groupOf(*b).second, b->code, explanationLine(*b));
    });
    QStringList lines;
    QString group;
    QString explanation;
    for (const Finding* f : warnings) {
        const CheckRule* rule = checkRule(f->code);
        const QString heading = QStringLiteral("【%1】%2 %3").arg(groupOf(*f).second, f->code,
                                                                 rule ? rule->title : QString());
        if (heading != group) {
            if (!lines.isEmpty())
                lines << QString();
            lines << heading;
            group = heading;
            explanation.clear();
        }
        if (explanationLine(*f) != explanation) {
            explanation = explanationLine(*f);
            lines << explanation;
        }
        lines << QStringLiteral("  ") + f->code + ' ' + f->place.token() + ' ' + f->message;
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
            rows.push_back({f.code, f.place.token(), f.message,
                            f.noteStale ? QStringLiteral("说明已过时：") + f.note : f.note, f.noteDate});
    if (!rows.empty())
        rows.insert(rows.begin(), {QStringLiteral("代码"), QStringLiteral("位置"),
                                   QStringLiteral("审核发现"), QStringLiteral("说明"),
                                   QStringLiteral("说明日期")});
    return rows;
}

}  // namespace vel
