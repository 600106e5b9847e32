#include "CodeLists.h"

#include "Db.h"

namespace vel {
namespace {

struct ListSource {
    const char* sql;
    bool trimmed;
};

const ListSource Sources[CodeListCount] = {
    {"SELECT * FROM Code_Post WHERE Memo LIKE ? ORDER BY ID", false},
    {"SELECT * FROM Code_Edu ORDER BY rowid", false},
    {"SELECT * FROM Code_Sex ORDER BY rowid", false},
    {"SELECT * FROM Code_Grade WHERE Memo LIKE '%0%' ORDER BY ID", false},
    {"SELECT * FROM Code_Grade WHERE Memo LIKE '%1%' ORDER BY ID", false},
    {"SELECT * FROM Code_Nation ORDER BY ID", true},
    {"SELECT * FROM Code_Role ORDER BY ID", true},
    {"SELECT * FROM Code_YesNo ORDER BY ID", true},
    {"SELECT * FROM Code_Certy ORDER BY ID", false},
};

}  // namespace

QString trimBlanks(const QString& text)
{
    int first = 0;
    int last = text.size();
    while (first < last && text[first].unicode() <= 0x20)
        ++first;
    while (last > first && text[last - 1].unicode() <= 0x20)
        --last;
    return text.mid(first, last - first);
}

void CodeLists::load(Db& db, const QString& filter)
{
    for (int i = 0; i < CodeListCount; ++i) {
        const ListSource& source = Sources[i];
        SqlParams params;
        if (static_cast<CodeListId>(i) == CodeListId::Post)
            params.push_back("%" + filter + "%");
        Query q(db, source.sql, params);
        CodeList list;
        while (q.next()) {
            CodeEntry e;
            e.name = q.text("CodeName");
            if (source.trimmed)
                e.name = trimBlanks(e.name);
            if (e.name == QLatin1String("End"))
                break;
            e.id = static_cast<int>(q.integer("ID"));
            e.memo = q.text("Memo");
            list.push_back(e);
        }
        lists_[i] = std::move(list);
    }
}

QStringList CodeLists::names(CodeListId id) const
{
    QStringList out;
    for (const CodeEntry& e : list(id))
        out << e.name;
    return out;
}

int CodeLists::codeOf(CodeListId id, const QString& text) const
{
    for (const CodeEntry& e : list(id))
        if (e.name == text)
            return e.id;
    return 0;
}

bool CodeLists::contains(CodeListId id, const QString& text) const
{
    for (const CodeEntry& e : list(id))
        if (e.name == text)
            return true;
    return false;
}

}  // namespace vel
