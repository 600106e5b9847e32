#pragma once

#include <QString>

namespace vel::help {

// "审核规则": a section per rule of the data check, from the rule table itself: its code and
// title, what it checks, its limits and what to do.
QString checkRulesGuide();

}  // namespace vel::help
