#pragma once

#include <QString>
#include <QStringList>

#include <climits>
#include <vector>

namespace vel {

class Db;
class Session;

// What the clerk may be offered when a command's checks refuse.
enum class CheckOffer {
    None,
    UnitWindow,     // the unit information window, right after the messages
    MonthlyRoster,  // the monthly roster window of offerMonth, when the question is answered Yes
};

// How the window shows a check's messages.
enum class MessageKind {
    Info,     // information boxes
    Confirm,  // confirmation boxes with a single Yes button
    Error,    // error boxes
};

// What a command's checks found: whether the command may go on, and what to show in order (a
// check may fail silently, with no message). The window shows the messages as boxes and asks the
// question; the command line prints them and takes --yes for the question. Every refusal of a
// command has this shape; thrown errors are for faults.
struct CheckOutcome {
    CheckOutcome() = default;
    CheckOutcome(bool passedChecks, QStringList shown = {})
        : passed(passedChecks), messages(std::move(shown))
    {
    }

    bool passed = true;
    QStringList messages;
    // Asked after the messages. On a pass it is a Yes/No question (No by default) and only Yes
    // lets the command go on; on a refusal it is a box with a single Yes that takes the offer.
    QString question;
    CheckOffer offer = CheckOffer::None;
    int offerMonth = 0;  // the month the offered window works on
    MessageKind shownAs = MessageKind::Info;

    // A refusal with one message.
    static CheckOutcome refused(const QString& message, MessageKind shownAs = MessageKind::Info);
};

// The months up to `upTo` (0 the opening roster) holding staff rows, or wage rows, that failed the
// audit, in order.
constexpr int AnyMonth = INT_MAX;
std::vector<int> staffErrorMonths(Db& db, int upTo);
std::vector<int> wageErrorMonths(Db& db, int upTo);

// The month's roster exists. The refusal question is rosterQuestion(m).
bool MonthRosterVerified(Db& db, int month);
QString rosterQuestion(int month);

// The month before the one being opened passed the audit (wages first, then staff); the unit's
// founding month has no previous month and sets the session's lastWageMonth to the month being
// opened.
CheckOutcome PrevMonthAudited(Session& session, int previousMonth);

// No staff or wage row up to the month failed the audit, and the month has wage rows joined to
// its roster (failing silently when it has none).
CheckOutcome NoErrorsUpTo(Db& db, int month);

// The month holds audited staff, wage rows or joined wage rows.
bool MonthHasData(Db& db, int month);

// No staff row of any month failed the audit.
CheckOutcome StaffErrorsList(Db& db);

// No wage row up to the month failed the audit.
CheckOutcome WageErrorsUpTo(Db& db, int month);

}  // namespace vel
