#pragma once

#include "reports/FigureRules.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace vel {

// What the older labor forms (I202-2, I102-2) and the talent summaries share.

// Management staff: unit, department and professional heads, managers, and clerks with a
// professional title.
Selection laborManagers();

// A remuneration per head of a form: its column and cell, from a sum and a head count.
struct PerHeadRule {
    const char* field;
    FormCell cell;
    const char* amount;
    const char* heads;
};

// A figure that adds up others; a later sum may take an earlier one.
struct SumRule {
    const char* field;
    FormCell cell;
    std::vector<const char*> parts;
};

// Every rule's figure as the sum of its parts, in order.
void addUpSums(Figures& figures, const std::vector<SumRule>& rules);

// Every rule's figure as perHead(amount, heads, scale).
void perHeads(Figures& figures, const std::vector<PerHeadRule>& rules, long long scale);

// The construction figures that units of `classes` (and government organs, when `organ`) do not
// report.
struct ClassZeros {
    QStringList classes;
    bool organ;
    std::vector<const char*> fields;
};

// Sets the figures this unit does not report to 0 and returns them.
std::vector<const char*> zeroUnreported(Figures& figures,
                                        const std::vector<ClassZeros>& zeros,
                                        const QString& unitClass,
                                        bool organ);

}  // namespace vel
