#pragma once

#include "sheet/Sheet.h"
#include "staff/StaffSheet.h"

#include <QString>

#include <vector>

namespace vel {

class CodeLists;
struct UnitAttributes;

namespace staff {
// The years a birth month may name.
inline constexpr int FirstBirthYear = 1934;
inline constexpr int LastBirthYear = 1995;
}  // namespace staff

// What a window's pass runs besides coding every answer its unit gives.
struct StaffPass {
    bool clearSpace;            // names cleaned first; a name of blanks only fails
    bool civilServantFullTime;  // civil-servant posts force full-time employment
    bool certyZeroIsNo;         // a "0" typed into column 17 is taken as "否"
    CellMark nameNumber;        // how a missing name number is marked; None: not checked
};

namespace staffpass {
// Opening roster: loading, activation, "生成代码/审核/保存".
inline constexpr StaffPass OpeningLoad{false, true, true, CellMark::None};
inline constexpr StaffPass OpeningActivation{false, false, true, CellMark::Error};
inline constexpr StaffPass OpeningSave{true, true, true, CellMark::Error};
// Error correction: activation, "显示错误", save. Column 17 knows no "0" in this window.
inline constexpr StaffPass CorrectionActivation{false, false, false, CellMark::ErrorPattern};
inline constexpr StaffPass CorrectionShowErrors{false, false, false, CellMark::None};
inline constexpr StaffPass CorrectionSave{false, false, false, CellMark::Error};
// Monthly roster: activation and save; a month keeps the full-time answer the clerk gave.
inline constexpr StaffPass MonthlyActivation{false, false, true, CellMark::Error};
inline constexpr StaffPass MonthlySave{true, false, true, CellMark::Error};
}  // namespace staffpass

// The audit of one person row, as a save stores it and an import reports it.
struct StaffRowResult {
    int row = 0;
    bool passed = true;
    std::vector<int> failedColumns;  // ascending

    QString sIsok() const { return passed ? QStringLiteral("1") : QStringLiteral("0"); }
};

struct StaffPassResult {
    std::vector<StaffRowResult> rows;  // one per person, in sheet order

    // AllRowsOk
    bool allRowsOk() const;
};

// Codes and audits staff rows against the loaded code lists; the unit's class decides which
// answers exist and its type whether the organ rule on dispatched workers applies.
class StaffRules {
public:
    StaffRules(const CodeLists& codes, const UnitAttributes& attributes);

    // Each rule works on one row and returns whether its answer passed. A passing rule clears
    // its cell's mark and writes the code; a failing one marks the cell and empties the code.
    bool clearSpace(Sheet& sheet, int row) const;
    bool getSexCode(Sheet& sheet, int row) const;
    bool getNationCode(Sheet& sheet, int row) const;
    bool getPartyCode(Sheet& sheet, int row) const;
    bool checkBirthday(Sheet& sheet, int row) const;
    // Columns 7 and 8 go into number columns: empty, or whole years 0 to 99.
    bool checkWorkYears(Sheet& sheet, int row, int col) const;
    bool getEduCode(Sheet& sheet, int row) const;
    bool getPostCode(Sheet& sheet, int row) const;
    // Never fails: a civil-servant post answers column 14 with "是".
    void setCivilServantFullTime(Sheet& sheet, int row) const;
    bool getGradeCode(Sheet& sheet, int row) const;
    bool getGradeJnCode(Sheet& sheet, int row) const;
    bool getRoleCode(Sheet& sheet, int row) const;
    // Column 14, 15, 16 or 18.
    bool getYesNoCode(Sheet& sheet, int row, int col) const;
    bool getCertyCode(Sheet& sheet, int row, bool zeroIsNo) const;
    bool checkNameNumber(Sheet& sheet, int row, CellMark mark) const;

    // Every rule of the pass on one row, in the order the windows run them.
    StaffRowResult auditRow(Sheet& sheet, int row, const StaffPass& pass) const;
    // Every person of the sheet; a failing row never ends the pass.
    StaffPassResult runPass(Sheet& sheet, const StaffPass& pass) const;

private:
    bool codeFromList(Sheet& sheet, int row, int col) const;
    bool codeYesNo(Sheet& sheet, int row, int col) const;

    const CodeLists& codes_;
    StaffClass class_;
    bool organ_;
};

}  // namespace vel
