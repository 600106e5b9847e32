#include "FileRules.h"

#include "Errors.h"
#include "Session.h"
#include "output/DbfReadBack.h"
#include "reports/FigureForm.h"
#include "reports/FormRun.h"
#include "reports/Forms.h"

#include <QFileInfo>

#include <algorithm>

namespace vel {
namespace {

// The fields that carry the unit number.
bool isUnitField(const QByteArray& field)
{
    return field.compare("frdm", Qt::CaseInsensitive) == 0 ||
           field.compare("Dep_id", Qt::CaseInsensitive) == 0;
}

// The periods a form's files are written for.
std::vector<FormPeriod> submittedPeriods(const FormDefinition& form)
{
    std::vector<FormPeriod> periods;
    for (PeriodKind kind : form.submission.periods)
        switch (kind) {
        case PeriodKind::Quarter:
            for (int q = 1; q <= 3; ++q)
                periods.push_back(FormPeriod::ofQuarter(q));
            break;
        case PeriodKind::Year:
            periods.push_back(FormPeriod::ofYear());
            break;
        case PeriodKind::OpeningRoster:
            periods.push_back(FormPeriod::ofOpeningRoster());
            break;
        case PeriodKind::MonthRange:
            for (const MonthRange& r : form.submission.ranges)
                periods.push_back(FormPeriod::ofRange(r));
            break;
        }
    return periods;
}

// What a file should hold, or why that cannot be told.
struct Expected {
    std::optional<DbfContent> content;
    QString unknown;
};

// A figure form's file is its computed row: for another period than the one stored, the records
// give it again. Any other file is what its stored table gives now.
Expected expectedContent(Session& session, const FormDefinition& form, const FormPeriod& period,
                         size_t file, bool storedIsPeriod)
{
    Expected e;
    try {
        if (std::holds_alternative<FigureFormSetup>(form.engine) && !storedIsPeriod) {
            FormRun run(session, form, period);
            const CheckOutcome computed = run.compute();
            if (!computed.passed) {
                e.unknown = computed.messages.join(QString());
                return e;
            }
            const ReportRow row = dynamic_cast<const FigureForm&>(run.engine()).storedRow();
            DbfContent c;
            for (const std::string& column : row.columns)
                c.fields.push_back(QByteArray::fromStdString(column));
            c.records = {row.values};
            e.content = std::move(c);
        } else {
            e.content = dbfContent(session.db(), form.submission.files[file].source(session.db(), period));
        }
    } catch (const Error& error) {
        e.unknown = error.message();
        return e;
    }
    for (size_t f = 0; f < e.content->fields.size(); ++f)
        if (isUnitField(e.content->fields[f]))
            for (SqlParams& record : e.content->records)
                record[f] = session.unit().CurDepNo;
    return e;
}

QString differenceText(const DbfDifference& d)
{
    using Kind = DbfDifference::Kind;
    switch (d.kind) {
    case Kind::Unreadable:
        return QStringLiteral("文件无法读取");
    case Kind::RecordCount:
        return QStringLiteral("记录数为%1，应为%2").arg(d.found, d.expected);
    case Kind::Fields:
        return QStringLiteral("字段为%1，应为%2").arg(d.found, d.expected);
    case Kind::Value:
        if (isUnitField(d.field.toLatin1()))
            return QStringLiteral("单位代码为“%1”，不是登记的“%2”").arg(d.found, d.expected);
        return QStringLiteral("第%1条记录%2为“%3”，应为“%4”")
            .arg(d.record)
            .arg(d.field, d.found, d.expected);
    }
    return {};
}

constexpr int DifferencesNamed = 3;

QString differencesText(const std::vector<DbfDifference>& differences)
{
    QStringList named;
    for (size_t i = 0; i < differences.size() && named.size() < DifferencesNamed; ++i)
        named << differenceText(differences[i]);
    QString text = named.join(QStringLiteral("；"));
    if (differences.size() > DifferencesNamed)
        text += QStringLiteral("等%1处").arg(differences.size());
    return text;
}

QString fileToken(const FormDefinition& form, const QString& path)
{
    return (form.submission.folder == SubmissionFolder::Gzsb ? QStringLiteral("GZSB/")
                                                             : QStringLiteral("RCSB/")) +
           QFileInfo(path).fileName();
}

struct Candidate {
    FormPeriod period;
    size_t file;
};

// One finding for a file that none of its periods' figures explain.
void checkFile(Session& session, const FormDefinition& form, const QString& path,
               const std::vector<Candidate>& candidates, const std::optional<FormPeriod>& stored,
               Findings& out)
{
    std::optional<std::vector<DbfDifference>> nearest;
    QString unknown;
    FormPeriod shownPeriod = candidates.back().period;
    for (const Candidate& c : candidates) {
        const bool storedIsPeriod =
            stored && formToken(form, stored) == formToken(form, c.period);
        const Expected e = expectedContent(session, form, c.period, c.file, storedIsPeriod);
        if (!e.content) {
            unknown = e.unknown;
            continue;
        }
        std::vector<DbfDifference> differences = dbfDifferences(path, *e.content);
        if (differences.empty())
            return;
        if (!nearest || storedIsPeriod) {
            nearest = std::move(differences);
            shownPeriod = c.period;
        }
    }
    const QString token = fileToken(form, path);
    const QString message =
        nearest ? QStringLiteral("上报文件%1与已存数据不符：%2").arg(token, differencesText(*nearest))
                : QStringLiteral("上报文件%1无法与已存数据核对：%2").arg(token, unknown);
    out.push_back({"E04", FindingPlace::ofFile(form, shownPeriod, token), message});
}

void checkForm(Session& session, const FormDefinition& form,
               const std::vector<FormPeriod>& periods, const std::optional<FormPeriod>& stored,
               Findings& out)
{
    // Several periods may share a file name (the wage summary's): the file is then checked
    // against each, and is right when one of them gives it.
    std::vector<std::pair<QString, std::vector<Candidate>>> files;
    for (const FormPeriod& period : periods) {
        const QStringList paths = FormRun(session, form, period).submissionPaths();
        for (int i = 0; i < paths.size(); ++i) {
            if (!QFileInfo::exists(paths[i]))
                continue;
            auto same = std::find_if(files.begin(), files.end(),
                                     [&](const auto& f) { return f.first == paths[i]; });
            if (same == files.end())
                same = files.insert(files.end(), {paths[i], {}});
            same->second.push_back({period, static_cast<size_t>(i)});
        }
    }
    for (const auto& [path, candidates] : files)
        checkFile(session, form, path, candidates, stored, out);
}

// A form whose file is written from a table another form also stores into (Ⅰ303-1's Total_Info,
// which the wage summaries fill) can only be checked right after it is written.
bool fileReadsSharedTable(const FormDefinition& form)
{
    if (form.storedCopyRows() > 0 || std::holds_alternative<FigureFormSetup>(form.engine))
        return false;
    return std::any_of(forms().begin(), forms().end(), [&](const FormDefinition* other) {
        return other != &form && std::string(other->table.name) == form.table.name;
    });
}

}  // namespace

void findFilesOffStored(CheckInput& in, Findings& out)
{
    if (!in.session.unitRegistered())
        return;
    for (const FormDefinition* form : forms())
        if (in.concerns(*form) && form->appliesTo(in.session.unit().isOrgan()) &&
            !fileReadsSharedTable(*form))
            checkForm(in.session, *form, submittedPeriods(*form),
                      in.form == form ? in.period : std::nullopt, out);
}

std::optional<bool> submissionCurrent(Session& session, const FormDefinition& form,
                                      const FormPeriod& period)
{
    const QString path = FormRun(session, form, period).submissionPaths().first();
    if (!QFileInfo::exists(path))
        return std::nullopt;
    const Expected e = expectedContent(session, form, period, 0, false);
    return e.content && dbfDifferences(path, *e.content).empty();
}

Findings checkWrittenFiles(Session& session, const FormDefinition& form, const FormPeriod& period)
{
    Findings out;
    checkForm(session, form, {period}, period, out);
    return out;
}

}  // namespace vel
