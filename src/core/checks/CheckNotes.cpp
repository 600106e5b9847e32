#include "CheckNotes.h"

#include "Errors.h"
#include "db/Db.h"
#include "output/DbfWriter.h"

#include <QDate>

namespace vel {

std::map<std::pair<QString, QString>, CheckNote> loadCheckNotes(Db& db)
{
    std::map<std::pair<QString, QString>, CheckNote> notes;
    if (!db.exists("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'Check_Note'"))
        return notes;
    // A file of an older version opened for reading keeps explanations tied to no figures.
    const bool tied = db.exists("SELECT 1 FROM pragma_table_info('Check_Note') WHERE name = 'Figures'");
    Query q(db, tied ? "SELECT Code, Place, Note, NoteDate, Figures FROM Check_Note"
                     : "SELECT Code, Place, Note, NoteDate, NULL AS Figures FROM Check_Note");
    while (q.next())
        notes[{q.text("Code"), q.text("Place")}] = {q.text("Note"), q.text("NoteDate"),
                                                    q.isNull("Figures") ? QString() : q.text("Figures")};
    return notes;
}

QString checkNoteRefusal(const QString& text)
{
    const QString ch = firstNonGbkCharacter(text);
    if (!ch.isEmpty())
        return QStringLiteral("说明中的“%1”无法写入上报用的GBK文件，请换一种写法。").arg(ch);
    return {};
}

void storeCheckNote(Db& db, const Finding& finding, const QString& text)
{
    storeCheckNotes(db, {&finding}, text);
}

void storeCheckNotes(Db& db, const std::vector<const Finding*>& findings, const QString& text)
{
    for (const Finding* f : findings)
        if (f->isError())
            throw Error(QStringLiteral("%1是错误，须改正数据，不能用说明代替。").arg(f->code));
    // One line per finding in the explanations file.
    const QString line = text.simplified();
    const QString refusal = checkNoteRefusal(line);
    if (!refusal.isEmpty())
        throw Error(refusal);
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    Transaction tx(db);
    for (const Finding* f : findings) {
        const QString place = f->place.token();
        db.exec("DELETE FROM Check_Note WHERE Code = ? AND Place = ?", {f->code, place});
        if (!line.isEmpty())
            db.exec("INSERT INTO Check_Note (Code, Period, Place, Note, NoteDate, Figures)"
                    " VALUES (?, ?, ?, ?, ?, ?)",
                    {f->code, f->place.periodText(), place, line, today, f->figures()});
    }
    tx.commit();
}

}  // namespace vel
