#pragma once

#include "Progress.h"
#include "checks/Finding.h"
#include "output/LaidOutSheet.h"
#include "period/PeriodChecks.h"
#include "reports/FormDefinition.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace vel {

class FormEngine;
class Session;
class Sheet;

// The files a run is asked for besides the sheet.
struct FormFiles {
    bool workbook = false;
    bool submission = false;
};

// One run of a form for a period, the same for the window and the command line: check, compute,
// store, show, export, submit. The engine its definition names does the computing; the run does
// everything every form does alike.
class FormRun {
public:
    FormRun(Session& session, const FormDefinition& form, const FormPeriod& period);
    ~FormRun();

    const FormDefinition& form() const { return form_; }
    const FormPeriod& period() const { return period_; }

    // The checks before the form is computed, in order: what the period's kind allows (a quarter
    // 1 to 3; a submission file for a kind of period that has none), the registered unit
    // (offering the unit window where the entry does), a range's checks, the form's own checks,
    // then what the checked period allows (a submission file for this range; its stored copy).
    CheckOutcome check(FormFiles files = {}, bool offerUnitWindow = false);

    // Computes the form into its sheet (or shows the range's stored copy), or refuses while the
    // records may not be counted; the sheet then stays the template and no file is offered.
    CheckOutcome compute(const Progress& progress = {});
    // Stores what compute() found.
    void store();
    // compute() and, when it went through, store(): what opening a form does. Runs in one
    // transaction, after check() again when it was asked before, so that all of them read one
    // state of the records.
    CheckOutcome computeAndStore(const Progress& progress = {});
    bool computed() const { return computed_; }

    Sheet& sheet() const;
    // Made for the checked period when first asked for.
    FormEngine& engine() const;

    // The window's caption and the line above the sheet that names the period, if any.
    QString caption() const;
    std::optional<QString> periodLine() const;
    // The unit's lines above the sheet.
    QStringList unitLines() const;

    // The workbook's base name; the PDF of the printed pages takes it too.
    QString workbookName() const;
    QString workbookPath() const;
    QString workbookFolder() const;
    // Writes the workbook (for a form headed by a year, the year typed; else its default);
    // returns the closing message. Throws Error, leaving earlier files, when it fails.
    QString exportWorkbook(const Progress& progress = {}, const QString& year = {}) const;
    // The page the workbook holds, for printing; the year as exportWorkbook() takes it. Throws
    // Error when the year makes no page.
    LaidOutSheet printedSheet(const QString& year = {}) const;

    // The data check before "生成上报", once the form is computed and stored: the findings that
    // touch this form and period refuse the submission when one is an error, and ask (No by
    // default) when a warning has no explanation.
    CheckOutcome submissionAudit();

    // Whether this period is submitted at all.
    bool submissionOffered() const;
    QStringList submissionPaths() const;
    QString submissionFolder() const;
    // Writes the submission files (storing the results first, where the form does), reads each
    // back as the receiver does, and writes the warnings with their explanations beside them;
    // returns the message naming folder and files. Throws Error when the period is not
    // submitted or the data check finds an error (writing nothing), leaving earlier files in
    // place when a write fails; a file that does not read back as stored is removed and named.
    QString submit();
    // The explanations file written beside the submission files.
    QString notesPath() const;

private:
    FormContext context(const QString& year = {}) const;

    Session& session_;
    const FormDefinition& form_;
    FormPeriod period_;
    // The findings that touch this form and period, the submission files left unread.
    std::vector<Finding> findings() const;

    mutable std::unique_ptr<FormEngine> engine_;
    // The findings the last submissionAudit() showed, until submit() acts on them.
    std::optional<std::vector<Finding>> audited_;
    // What the last check() was asked for, which computeAndStore() asks again.
    std::optional<FormFiles> checkedFiles_;
    bool computed_ = false;
    bool copyStored_ = false;
};

}  // namespace vel
