#pragma once

#include "checks/CheckRules.h"
#include "CheckOutcome.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vel {

class Session;
struct FormDefinition;

// Which findings a check keeps.
struct CheckScope {
    // Those that touch the form; for the submission's period, when it is given, else for the
    // widest period the form is drawn for.
    const FormDefinition* form = nullptr;
    std::optional<FormPeriod> period;
    // Those placed in the month (a month or a person of it).
    std::optional<int> month;
    // Whether the submission files are read (E04).
    bool files = true;
};

// Runs the rules and keeps the findings of the scope, each with its explanation: errors first,
// then warnings, each in the order of the rules.
Findings runDataCheck(Session& session, const CheckScope& scope = {});

struct CheckCounts {
    int errors = 0;
    int warnings = 0;   // not explained
    int explained = 0;

    // Nothing stands in the way of a submission: no error, every warning explained.
    bool clear() const { return errors == 0 && warnings == 0; }
};
CheckCounts countFindings(const Findings& findings);
// "错误 1 条，未说明的警告 2 条，已说明的警告 0 条".
QString countLine(const CheckCounts& counts);

// A finding as one line: code, place, message, and its explanation when it has one.
QString findingLine(const Finding& finding);

// What "生成上报" makes of the findings that touch the form before anything is written: errors
// refuse the submission, naming them; warnings without an explanation ask whether to write the
// files anyway (No by default); explained warnings pass silently.
CheckOutcome submissionAudit(const Findings& findings);

// The finding of a rule at a place as the command line prints them, now. Throws Error naming
// what is wrong when the code is no rule's or the place holds no such finding.
Finding currentFinding(Session& session, const QString& code, const QString& place);

}  // namespace vel
