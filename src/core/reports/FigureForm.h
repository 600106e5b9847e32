#pragma once

#include "reports/FigureFormRules.h"
#include "reports/FormEngine.h"
#include "reports/FormPeriod.h"
#include "reports/ReportTable.h"
#include "sheet/Sheet.h"

#include <functional>
#include <set>
#include <string>

namespace vel {

class Db;
class Session;
struct StoredTable;
struct UnitAttributes;

// What a figure form's computation reads.
struct FigureInput {
    Db& db;
    const UnitAttributes& unit;
    const FormPeriod& period;
};

// A form of single figures (I202-1, I102-1, I202-2, I102-2): its rules, its template, and how it
// makes its figures and shows them; the figures are stored as the one row of its table.
struct FigureFormSetup {
    FigureFormRules rules;
    // The help's words for the first month the averages take.
    QString averagesFrom;
    std::function<Sheet(const FormPeriod&)> sheet;
    // Computes every figure and writes it into the sheet.
    std::function<Figures(const FigureInput&, Sheet&, const Progress&)> compute;
    // The figures that are hundredths, stored as decimals with two places.
    std::set<std::string> inFen;
    // The line above the sheet that names the period, where the form shows one.
    std::function<std::optional<QString>(const FormPeriod&)> periodLine;
};

// The figure form's run: computed, shown, stored as its table's one row.
class FigureForm : public FormEngine {
public:
    FigureForm(Session& session, const FigureFormSetup& setup, const StoredTable& table,
               const FormPeriod& period);

    Sheet& sheet() override { return sheet_; }
    CheckOutcome compute(const Progress& progress) override;
    // The computed figures as the table stores them and the submission file carries them; throws
    // std::logic_error before compute().
    ReportRow storedRow() const;
    // Replaces the table's row with them.
    void store() override;
    std::optional<QString> periodLine() const override;

    // The figures as stored; empty before compute().
    const Figures& figures() const { return figures_; }

private:
    Session& session_;
    const FigureFormSetup& setup_;
    const StoredTable& table_;
    FormPeriod period_;
    Sheet sheet_;
    Figures figures_;
};

}  // namespace vel
