#pragma once

#include "history/HistorySource.h"

namespace vel {

// The earlier program's installation: its Database/RCdatabase.mdb, an Access (Jet 3 or 4) file
// read whole, in a child process, when the source is opened (readAccessTables). The rows come in
// the order the import takes them, sorted here since the library keeps the file's own order.
class AccessHistorySource : public HistorySource {
public:
    // Throws Error for a file that cannot be read whole, or without the tables and columns the
    // import reads.
    explicit AccessHistorySource(const QString& path);

    QString path() const override { return path_; }
    std::optional<HistoryUnit> unit() override { return unit_; }
    std::vector<SqlParams> staffRows() override { return staff_; }
    std::vector<SqlParams> wageRows() override { return wages_; }

private:
    QString path_;
    std::optional<HistoryUnit> unit_;
    std::vector<SqlParams> staff_;
    std::vector<SqlParams> wages_;
};

}  // namespace vel
