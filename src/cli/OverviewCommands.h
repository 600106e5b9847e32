#pragma once

namespace vel {
class Session;
}

namespace vel::cli {

// "全年概况" as tab-separated text: the header, then the opening roster and months 1 to 12.
int yearOverview(Session& session);

}  // namespace vel::cli
