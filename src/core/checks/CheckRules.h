#pragma once

#include "checks/Finding.h"
#include "checks/PersonYears.h"
#include "checks/YearRecords.h"
#include "unit/UnitFigures.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace vel {

class Session;
struct FormDefinition;

// What the rules read: the session, the year's records and the unit's figures (each read once,
// when a rule first asks), and the form and period a submission is being written for, whose
// stored figures are that period's.
class CheckInput {
public:
    explicit CheckInput(Session& session, const FormDefinition* form = nullptr,
                        std::optional<FormPeriod> period = std::nullopt);

    Session& session;
    const FormDefinition* const form;
    const std::optional<FormPeriod> period;

    const YearRecords& records();
    // Month 0..12 of the records.
    const MonthRecords& month(int m) { return records().months[static_cast<size_t>(m)]; }
    const std::vector<PersonYear>& persons();
    const UnitFigures& figures();
    // Whether a rule looks at the form: every form, unless the check is for one.
    bool concerns(const FormDefinition& f) const { return !form || form == &f; }

private:
    std::optional<YearRecords> records_;
    std::optional<std::vector<PersonYear>> persons_;
    std::optional<UnitFigures> figures_;
};

using Findings = std::vector<Finding>;

// Where a finding placed in a month is mended: the month's roster or its wages. One placed in a
// form or a file is mended in its form. A finding mended in the wages concerns only the forms
// that read wages.
enum class MendedIn { Roster, Wages };

// One rule of the data check. Codes "E…" are errors that must be corrected before the forms they
// touch are submitted; "W…" are warnings that may stand with an explanation.
struct CheckRule {
    const char* code;
    QString title;
    QString checks;  // what it checks, in the help's words
    QString limits;  // its limits in words; empty where it has none
    QString todo;    // what the clerk does about a finding
    std::function<void(CheckInput&, Findings&)> find;
    MendedIn mendedIn = MendedIn::Roster;
    // The rule reads the submission files, not the records: run after a file is written, and
    // not before it (the file is about to be replaced).
    bool readsFiles = false;
    // The rule places its findings in stored forms and files, not in months.
    bool placesInForms = false;

    bool isError() const { return code[0] == 'E'; }
};

// Every rule, errors first, in code order.
const std::vector<CheckRule>& checkRules();
// The rule of a code, any case; nullptr for none.
const CheckRule* checkRule(const QString& code);

}  // namespace vel
