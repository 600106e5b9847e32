#pragma once

#include "Progress.h"
#include "reports/Selection.h"
#include "reports/WageSums.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vel {

class Db;

// How a figure is made from the staff rows and wages up to the period's end month e; s is the
// first month the period's cumulative figures take (0, the opening roster, from January on).
enum class Measure {
    EndCount,            // the persons of month e
    AverageCount,        // the persons of months s..e, divided by e + 1
    TruncatedAverage,    // the same, the fraction dropped
    WageSum,             // the wages of months 1..e in thousands of yuan
    WageSumWithOpening,  // the same over months 0..e
    WageYuan,            // the wages of months 1..e in whole yuan
    PeriodWageYuan,      // the wages of months s..e in whole yuan
};

// A sheet cell, rows and columns from 1.
struct FormCell {
    int row = 0;
    int col = 0;
};

// One figure of a form: the column that stores it, the cell that shows it, and which rows it
// counts or sums; government organs take `organ` where the form gives them their own rule.
struct FigureRule {
    const char* field;
    FormCell cell;
    Measure measure;
    Selection who;
    std::optional<Selection> organ = std::nullopt;
    Amount amount = Amount::Total;
};

// A form's figures by stored column; nullopt for a cell left empty.
using Figures = std::map<std::string, std::optional<long long>>;

// The unit and period a form is computed for.
struct FigureBasis {
    int endMonth = 12;
    int periodStart = 0;
    bool organ = false;
    int leaderPost = 0;  // LookLeader, for a government organ
};

// Every figure of `rules`, from one pass over the staff rows and one over the wages; `progress`
// hears each pass end.
Figures computeFigures(Db& db, const std::vector<FigureRule>& rules, const FigureBasis& basis,
                       const Progress& progress = {});

// A figure as a number; an empty or missing one as 0.
long long figure(const Figures& figures, const char* field);

}  // namespace vel
