#pragma once

#include "db/Db.h"
#include "db/ReadStamp.h"
#include "staff/PersonEntry.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace vel {

class CodeLists;

// One column of the roster list under the entry form.
struct PersonListColumn {
    const char* field;  // column of Vmon
    const char* header;
};
constexpr int PersonListColumnCount = 20;
const std::array<PersonListColumn, PersonListColumnCount>& personListColumns();
// The id and sGw columns are never shown; the construction questions only to units asked them.
bool personListColumnShown(int column, StaffClass c);

struct PersonListRow {
    long long id = 0;
    QStringList cells;  // in the order of personListColumns()
};

// The people of one roster month, one person at a time: every record the individual entry form
// stores is taken as passed. Nothing here reaches another month. A write after another program
// has changed the database since the last list was read is refused (ReadStamp). Every write
// works the month's wage flags out again.
class PersonRoster {
public:
    // month: 0 for the opening roster, 1..12; throws Error for any other.
    PersonRoster(Db& db, int month);

    int month() const { return month_; }

    // Stores a new person with the answers the class asks; returns its id. Throws Error with
    // the message to show when the record may not be stored.
    long long add(const PersonRecord& r, const CodeLists& codes, StaffClass c);
    // The record of the month with this id.
    std::optional<PersonRecord> load(long long id);
    // Rewrites the record as passed, leaving sGw and the questions the class is not asked as
    // they are. False when the month holds no record with this id.
    bool modify(long long id, const PersonRecord& r, const CodeLists& codes, StaffClass c);
    // False when the month holds no record with this id.
    bool remove(long long id);
    // Deletes every record of the month; returns how many there were.
    int clear();

    std::vector<PersonListRow> all();
    // Name or number containing the text (blanks around it ignored); an empty text finds all.
    std::vector<PersonListRow> find(const QString& text);
    // Everyone whose name occurs more than once in the month.
    std::vector<PersonListRow> sameNames();
    // Everyone whose number occurs more than once, grouped by number.
    std::vector<PersonListRow> sameNumbers();
    // The records that failed the audit.
    std::vector<PersonListRow> faulty();

private:
    std::vector<PersonListRow> list(const std::string& condition, const SqlParams& params,
                                    const char* order = "id");

    Db& db_;
    int month_;
    ReadStamp read_;
};

}  // namespace vel
