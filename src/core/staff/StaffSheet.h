#pragma once

#include "db/CodeLists.h"

#include <QString>

#include <array>
#include <optional>

namespace vel {

class Sheet;

// Which answers a unit gives beyond the common fourteen: a construction unit with a
// qualification answers columns 15 to 18, an industrial unit above the size threshold only 18.
enum class StaffClass { Other, Industrial, Construction };
// From the unit class text "否", "规上", "是1", "是2"; any other text counts as "否".
StaffClass staffClassOf(const QString& curDepInfo);

// The three windows that hold the staff sheet differ in headers, widths and heights.
enum class StaffTemplate { OpeningRoster, ErrorCorrection, MonthlyRoster };

namespace staff {
constexpr int HeaderRow = 1;
constexpr int NumberRow = 2;
constexpr int FirstPersonRow = 3;
// The data area the windows format and clear.
constexpr int LastDataRow = 16340;
constexpr int LastDataCol = 20;
// The birth years the year boxes offer, the sheet's and the one-person form's.
constexpr int FirstOfferedBirthYear = 1932;
constexpr int LastOfferedBirthYear = 2003;

constexpr int NameCol = 1;
constexpr int NumberCol = 2;
constexpr int SexCol = 3;
constexpr int NationCol = 4;
constexpr int PartyCol = 5;
constexpr int BirthCol = 6;
constexpr int WorksCol = 7;  // years since starting work
constexpr int WorkCol = 8;   // of which in the present post
constexpr int EduCol = 9;
constexpr int PostCol = 10;
constexpr int GradeCol = 11;
constexpr int GradeJnCol = 12;
constexpr int RoleCol = 13;
constexpr int FullTimeCol = 14;
constexpr int EngineerCol = 15;
constexpr int ConstructorCol = 16;
constexpr int SiteWorkerCol = 17;
constexpr int ProductionCol = 18;
constexpr int AnswerCount = 18;
// The error-correction sheet keeps each record's id here, beyond the code columns.
constexpr int IdCol = 38;
constexpr int ColumnCount = IdCol;
}  // namespace staff

// One answer column of the staff sheet and where it is stored in Staff_moninfo.
struct StaffColumn {
    int col;
    const char* header;         // row 1 as the opening roster shows it
    const char* compactHeader;  // row 1 in the other two windows, where it differs
    const char* number;         // row 2
    int codeCol;                // 0 when the answer has no code
    const char* textField;
    const char* codeField;      // nullptr when the answer has no code
    std::optional<CodeListId> list;  // the list the answer is coded against
};

const std::array<StaffColumn, staff::AnswerCount>& staffColumns();
// col 1..18
const StaffColumn& staffColumn(int col);

QString staffHeader(int col, StaffTemplate t);
// Row 2 of a column; an industrial unit numbers its column 18 as 14, the columns between hidden.
QString staffNumberText(int col, StaffClass c);
// Whether a unit of the class answers the column: it is shown, coded, audited and stored.
bool staffColumnUsed(int col, StaffClass c);
// The number of columns shown (MaxCol).
int staffMaxCol(StaffClass c);

// Writes rows 1 and 2, widths, heights, hidden columns and MaxCol for the class and window.
void applyStaffLayout(Sheet& sheet, StaffClass c, StaffTemplate t);

// Working years as the roster stores them: empty, or a whole number 0 to 99 (blanks around
// allowed).
bool isWorkYears(const QString& text);

// The people of a sheet are the rows from 3 down to the row before the first empty name;
// every pass stops there. FirstPersonRow - 1 when there is nobody.
int lastPersonRow(const Sheet& sheet);

// A person below a row without a name would drop out of every pass and be lost at the next save,
// so a roster that has one is refused: throws Error "第N行没有姓名，其下还有人员。" naming the
// first nameless row. Fed the rows (or file lines) in order.
class NamelessRowCheck {
public:
    void row(int number, bool named);

private:
    int namelessRow_ = 0;
};
// The check over every row of the sheet below its headers.
void refusePeopleBelowNamelessRow(const Sheet& sheet);

}  // namespace vel
