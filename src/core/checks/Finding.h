#pragma once

#include "reports/FormPeriod.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vel {

struct FormDefinition;

// Exactly where a finding is, so that the clerk can be taken there.
struct FindingPlace {
    enum class Kind {
        Month,   // a month's roster or wages
        Person,  // a person of a month
        Figure,  // a figure of a stored form
        File,    // a submission file
    };
    Kind kind = Kind::Month;
    int month = 0;                             // Month, Person: the first month
    int through = 0;                           // Person: the last month of a stretch; 0 one month
    QString number;                            // Person: the name number
    const FormDefinition* form = nullptr;      // Figure, File
    std::optional<FormPeriod> period;          // Figure, File: the period, where it is known
    QString cell;                              // Figure: the stored column, "1.G21" for a row's
    QString file;                              // File: "GZSB/….dbf"

    static FindingPlace ofMonth(int month);
    static FindingPlace ofPerson(int month, const QString& number);
    static FindingPlace ofFigure(const FormDefinition& form, std::optional<FormPeriod> period,
                                 const QString& cell);
    static FindingPlace ofFile(const FormDefinition& form, const FormPeriod& period,
                               const QString& file);

    // The place as one token without blanks, as the command line prints it and takes it back:
    // "7" a month, "7/1001" a person, "i202-1q2:I01" a figure (the form, "q" and the quarter or
    // "m" and a range, a colon, the column), "GZSB/….dbf" a file.
    QString token() const;
    // The last month the place covers: `through` for a stretch, else `month`.
    int lastMonth() const { return through > month ? through : month; }
    // The period the place belongs to, as the explanations table keeps it: the month, "q2",
    // "1-12", "全年", the opening roster "0"; empty where it is not known.
    QString periodText() const;
};

// A form and period as a token: the form's number in small letters, then "q" and the quarter or
// "m" and a range; nothing for the year or the opening roster.
QString formToken(const FormDefinition& form, const std::optional<FormPeriod>& period);

// What one rule found in one place.
struct Finding {
    Finding(QString rule, FindingPlace where, QString text, QStringList alsoForms = {})
        : code(std::move(rule)), place(std::move(where)), message(std::move(text)),
          forms(std::move(alsoForms))
    {
    }

    QString code;  // "E01" …
    FindingPlace place;
    QString message;
    // The numbers of further forms it touches besides its place's.
    QStringList forms;
    // The clerk's explanation and the day it was written (yyyy-MM-dd); empty when there is none.
    QString note;
    QString noteDate;
    // The explanation was written for other figures than the finding's now: it is shown with
    // them, and the warning counts as not explained.
    bool noteStale = false;

    bool isError() const { return code.startsWith('E'); }
    bool explained() const { return !isError() && !note.isEmpty() && !noteStale; }
    // The figures of the finding's own records, as the rule gives them where its message also
    // states figures of other months (which move as months are entered).
    QString ownFigures;
    // What an explanation is tied to: its own figures, else the figures the message states.
    QString figures() const;
};

// The months a form reads for a period: a quarter or the year from the opening roster on, a range
// from the month before it, the opening roster alone; a form counting one month's staff, that
// month.
std::pair<int, int> monthsRead(const FormDefinition& form, const FormPeriod& period);

// Whether the form reads wages: the talent summaries count staff only.
bool readsWages(const FormDefinition& form);

// Whether the finding concerns the form drawn for the period: its place is the form (any period,
// when the place's is not known), it names the form, or it lies in a month the form reads and
// concerns what the form reads there (a wage finding does not concern a form without wages).
bool touches(const Finding& finding, const FormDefinition& form, const FormPeriod& period);

}  // namespace vel
