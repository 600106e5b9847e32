#pragma once

#include "reports/AverageWage.h"
#include "reports/Balancing.h"
#include "reports/FormTemplate.h"
#include "reports/LaborForms.h"
#include "reports/SupplementLine.h"

#include <vector>

namespace vel {

// The printed rows of one half of a form: a figure in a cell of columns labelCol..lastCol has
// the label of its row.
struct FormHalf {
    int labelCol;
    int lastCol;
    std::vector<FormRow> rows;
};

// A figure form's rules as one value: the rows it prints, the figures counted or summed from the
// staff rows and wages, and those made from other figures. The help describes a form from this,
// so that what it says and what the form computes cannot disagree.
struct FigureFormRules {
    std::vector<FormHalf> halves;
    std::vector<FigureRule> figures;
    std::vector<SumRule> sums;
    std::vector<BalanceGroup> balance;
    std::vector<AverageWageRule> averages;
    WithoutHeads averagesWithoutHeads = WithoutHeads::Empty;
    std::vector<PerHeadRule> perHeads;
    long long perHeadScale = 1;  // 1 whole yuan, 100 fen
    std::vector<SupplementLine> supplement;
    std::vector<ClassZeros> zeros;
};

}  // namespace vel
