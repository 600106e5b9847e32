#pragma once

namespace vel {
class Session;
}

namespace vel::cli {

// "全年概况" as tab-separated text: the header, then the opening roster and months 1 to 12;
// with `pdf` also its printed pages.
int yearOverview(Session& session, bool pdf);

}  // namespace vel::cli
