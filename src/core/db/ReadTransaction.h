#pragma once

namespace vel {

class Db;

// One state of the records for a computation that only reads: a change another program commits
// meanwhile waits until it ends (as long as Db::BusyTimeoutMs), and one committed before shows
// whole. Inside another transaction it adds nothing. A computation that also stores takes a
// Transaction instead, whose write lock no other writer can slip under.
class ReadTransaction {
public:
    explicit ReadTransaction(Db& db);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

private:
    Db& db_;
    bool owner_;
};

}  // namespace vel
