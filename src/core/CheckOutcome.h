#pragma once

#include <QString>
#include <QStringList>

namespace vel {

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

}  // namespace vel
