#include "Schema.h"

#include "Db.h"

#include <QFile>
#include <sqlite3.h>
#include <QStringList>

#include <algorithm>
#include <string>
#include <vector>

// The code rows are compiled into this static library; its resources need registering by hand.
static void initCoreResources()
{
    Q_INIT_RESOURCE(core);
}

namespace vel {
namespace {

// The answer columns of a staff row, shared by the monthly table and the legacy one.
const char* const StaffColumns = R"(
    sName TEXT, sNumber TEXT,
    sTsex TEXT, sSex INTEGER,
    sTnation TEXT, sNation INTEGER,
    sTparty TEXT, sParty INTEGER,
    sBirth TEXT, sWorks INTEGER, sWork INTEGER,
    sTedu TEXT, sEducation INTEGER,
    sTpost TEXT, sPost INTEGER,
    sTGrade TEXT, sPostGrade INTEGER,
    sTJGrade TEXT, sJGrade INTEGER,
    sTsf TEXT, ssf INTEGER,
    sTqrz TEXT, sqrz INTEGER,
    sTgc TEXT, sgc INTEGER,
    sTjzs TEXT, sjzs INTEGER,
    sTsg TEXT, ssg INTEGER,
    sTyg TEXT, syg INTEGER,
    sGw TEXT, sIsok TEXT)";

const char* const CodeTables[] = {"Code_Post", "Code_Edu",  "Code_Sex",   "Code_Grade",
                                  "Code_Nation", "Code_Role", "Code_YesNo", "Code_Certy"};

// Indexes that only make checks fast: the failed rows that refuse a report or a month, and the
// organ posts LookLeader looks for. Partial, so a save writes nothing to them for the rows that
// pass; a query uses one only when it spells the same condition.
const char* const ReadingIndexes[] = {
    "CREATE INDEX IF NOT EXISTS Staff_moninfo_failed ON Staff_moninfo (sMon) WHERE sIsok = '0'",
    "CREATE INDEX IF NOT EXISTS Wage_Info_failed ON Wage_Info (sMon)"
    " WHERE sFlag = '0' OR wFlag = '0'",
    "CREATE INDEX IF NOT EXISTS Staff_moninfo_organ_posts ON Staff_moninfo (sPost)"
    " WHERE sPost < 20",
};

// A file written before the indexes existed gets them at its next opening. One that cannot take
// them now (read-only, or another program writing) is read without them, only more slowly.
void addReadingIndexes(Db& db)
{
    if (std::get<long long>(db.scalar("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index'"
                                      " AND name IN ('Staff_moninfo_failed', 'Wage_Info_failed',"
                                      " 'Staff_moninfo_organ_posts')")) ==
        static_cast<long long>(std::size(ReadingIndexes)))
        return;
    try {
        Transaction tx(db);
        for (const char* sql : ReadingIndexes)
            db.exec(sql);
        tx.commit();
    } catch (const DatabaseError&) {
    }
}

std::vector<std::string> tableStatements()
{
    std::vector<std::string> s = {
        "CREATE TABLE Dep_Info (DepName TEXT, DepNo TEXT, DepType TEXT, DepInfo TEXT, Flag TEXT,"
        " CreateMon TEXT)",
        std::string("CREATE TABLE Staff_moninfo (id INTEGER PRIMARY KEY AUTOINCREMENT,") +
            StaffColumns + ", sMon INTEGER)",
        std::string("CREATE TABLE Staff_Info (id INTEGER PRIMARY KEY AUTOINCREMENT,") +
            StaffColumns + ")",
        "CREATE TABLE Wage_Info (id INTEGER PRIMARY KEY AUTOINCREMENT, sNumber TEXT, sName TEXT,"
        " sMon INTEGER, sN1 REAL, sN2 REAL, sN3 REAL, sN4 REAL, sN5 REAL, sTotal REAL,"
        " sFlag TEXT, wFlag TEXT)",
        "CREATE TABLE Tmp_Del (sName TEXT, sNumber TEXT, sMon INTEGER, sMemo TEXT)",
        "CREATE TABLE Initial_Info (DepNo TEXT, sInitial TEXT)",
        "CREATE INDEX Staff_moninfo_month ON Staff_moninfo (sMon, sNumber)",
        "CREATE INDEX Wage_Info_month ON Wage_Info (sMon, sNumber)",
    };
    for (const char* t : CodeTables)
        s.push_back(std::string("CREATE TABLE ") + t +
                    " (ID INTEGER, CodeName TEXT, Memo TEXT)");

    s.push_back("CREATE VIEW Vmon AS SELECT * FROM Staff_moninfo");
    s.push_back("CREATE VIEW V AS SELECT * FROM Staff_moninfo WHERE sMon = 0");
    s.push_back(
        "CREATE VIEW VmonWage AS SELECT w.sMon AS sMon, w.sNumber AS sNumber, w.sName AS sName,"
        " w.sTotal AS sTotal, w.sN1 AS sN1, w.sN2 AS sN2, w.sN3 AS sN3, w.sN4 AS sN4,"
        " s.sSex AS sSex, s.sBirth AS sBirth, s.sEducation AS sEducation, s.sPost AS sPost,"
        " s.sPostGrade AS sPostGrade, s.ssf AS ssf, s.sqrz AS sqrz, s.sgc AS sgc,"
        " s.sjzs AS sjzs, s.ssg AS ssg, s.syg AS syg"
        " FROM Wage_Info w JOIN Staff_moninfo s ON s.sNumber = w.sNumber AND s.sMon = w.sMon");
    return s;
}

// What a later version adds to a file of the version before, a table or a column: opening an
// older file brings it up to date, and a backup of an older version is complete without it. A
// step may meet a file that already holds what it adds (one written between versions), so it adds
// only what is missing.
struct SchemaStep {
    int version;
    const char* table;
    const char* column;      // nullptr: the step makes the table
    const char* definition;  // the table's columns, or the column's type
};

const SchemaStep SchemaSteps[] = {
    // The clerk's explanations of the data check's warnings, by rule and place.
    {2, "Check_Note", nullptr,
     "(Code TEXT NOT NULL, Period TEXT, Place TEXT NOT NULL, Note TEXT NOT NULL, NoteDate TEXT,"
     " PRIMARY KEY (Code, Place))"},
    // What the data check compares the year with: the local minimum wage and last year's
    // figures, one row.
    {2, "Unit_Figures", nullptr, "(MinWage NUMERIC, LastYearHeads INTEGER, LastYearWages NUMERIC)"},
    // The column matchings the clerk confirmed for payroll and staff files, by the file's
    // heading row.
    {3, "Column_Match", nullptr,
     "(Kind TEXT NOT NULL, Headings TEXT NOT NULL, Matching TEXT NOT NULL,"
     " PRIMARY KEY (Kind, Headings))"},
    // The figures of the finding an explanation was written for: when they change, the
    // explanation no longer answers for it.
    {3, "Check_Note", "Figures", "TEXT"},
};

bool hasTable(Db& db, const std::string& name)
{
    return db.exists("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE",
                     {QString::fromStdString(name)});
}

bool hasColumn(Db& db, const char* table, const char* column)
{
    return db.exists("SELECT 1 FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE",
                     {QString::fromLatin1(table), QString::fromLatin1(column)});
}

void runSteps(Db& db, int fromVersion)
{
    for (const SchemaStep& step : SchemaSteps) {
        if (step.version <= fromVersion)
            continue;
        if (!step.column)
            db.exec(std::string("CREATE TABLE IF NOT EXISTS ") + step.table + " " +
                    step.definition);
        else if (!hasColumn(db, step.table, step.column))
            db.exec(std::string("ALTER TABLE ") + step.table + " ADD COLUMN " + step.column + " " +
                    step.definition);
    }
}

// Made with the file, or added at the first opening by a program that describes them.
void addOwnedTables(Db& db, const std::vector<OwnedTable>& ownedTables)
{
    for (const OwnedTable& table : ownedTables)
        if (!hasTable(db, table.name))
            for (const std::string& sql : table.statements)
                db.exec(sql);
}

bool lacksOwnedTable(Db& db, const std::vector<OwnedTable>& ownedTables)
{
    return std::any_of(ownedTables.begin(), ownedTables.end(),
                       [&](const OwnedTable& t) { return !hasTable(db, t.name); });
}

bool isCodeTable(const QString& name)
{
    for (const char* t : CodeTables)
        if (name == QLatin1String(t))
            return true;
    return false;
}

// The shipped code rows: "table<TAB>ID<TAB>CodeName<TAB>Memo", '#' lines are notes.
void insertCodeRows(Db& db)
{
    initCoreResources();
    QFile file(":/veldrassa/code-tables.tsv");
    if (!file.open(QIODevice::ReadOnly))
        throw DatabaseError(QStringLiteral("缺少代码表数据。"));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QStringList f = line.split('\t');
        if (f.size() < 3 || !isCodeTable(f[0]))
            throw DatabaseError(QStringLiteral("代码表数据有误：%1").arg(line));
        const QString memo = f.size() > 3 ? f[3] : QString();
        db.exec("INSERT INTO " + f[0].toStdString() + " (ID, CodeName, Memo) VALUES (?, ?, ?)",
                {f[1].toLongLong(), f[2], memo});
    }
}

void createSchema(Db& db, const std::vector<OwnedTable>& ownedTables)
{
    Transaction tx(db);
    for (const std::string& sql : tableStatements())
        db.exec(sql);
    addOwnedTables(db, ownedTables);
    for (const char* sql : ReadingIndexes)
        db.exec(sql);
    insertCodeRows(db);
    runSteps(db, 1);
    db.exec("PRAGMA user_version = " + std::to_string(SchemaVersion));
    tx.commit();
}

void upgradeSchema(Db& db, int fromVersion, const std::vector<OwnedTable>& ownedTables)
{
    Transaction tx(db);
    runSteps(db, fromVersion);
    addOwnedTables(db, ownedTables);
    db.exec("PRAGMA user_version = " + std::to_string(SchemaVersion));
    tx.commit();
}

// Every table and view of a schema with its columns, in creation order.
std::vector<std::pair<QString, QStringList>> schemaObjects(SQLite::Database& file)
{
    std::vector<std::pair<QString, QStringList>> objects;
    SQLite::Statement names(file, "SELECT name FROM sqlite_master WHERE type IN ('table', 'view')"
                                  " AND name NOT LIKE 'sqlite_%' ORDER BY rowid");
    while (names.executeStep())
        objects.push_back({QString::fromStdString(names.getColumn(0).getString()), {}});
    for (auto& object : objects) {
        SQLite::Statement info(file, "SELECT name FROM pragma_table_info(?)");
        info.bind(1, object.first.toStdString());
        while (info.executeStep())
            object.second << QString::fromStdString(info.getColumn(0).getString());
    }
    return objects;
}

}  // namespace

QStringList schemaGaps(SQLite::Database& file, const std::vector<OwnedTable>& ownedTables)
{
    Db blank(":memory:", false, ownedTables);
    const std::vector<std::pair<QString, QStringList>> expected = schemaObjects(blank.handle());
    // Opening adds what later versions add to an older file, and every owned table.
    QStringList addedOnOpening;
    const int version = file.execAndGet("PRAGMA user_version").getInt();
    for (const SchemaStep& step : SchemaSteps)
        if (step.version > version)
            addedOnOpening << QString::fromLatin1(step.table) +
                                  (step.column ? "." + QString::fromLatin1(step.column) : QString());
    for (const OwnedTable& table : ownedTables)
        addedOnOpening << QString::fromStdString(table.name);
    std::vector<std::pair<QString, QStringList>> present = schemaObjects(file);
    QStringList gaps;
    for (const auto& object : expected) {
        const QString& name = object.first;
        const auto found = std::find_if(present.begin(), present.end(), [&](const auto& p) {
            return p.first.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (found == present.end()) {
            if (!addedOnOpening.contains(name, Qt::CaseInsensitive))
                gaps << name;
            continue;
        }
        for (const QString& column : object.second)
            if (!found->second.contains(column, Qt::CaseInsensitive) &&
                !addedOnOpening.contains(name + "." + column, Qt::CaseInsensitive))
                gaps << name + "." + column;
    }
    return gaps;
}

void prepareSchema(Db& db, const std::vector<OwnedTable>& ownedTables)
{
    const SqlValue v = db.scalar("PRAGMA user_version");
    const long long version = std::holds_alternative<long long>(v) ? std::get<long long>(v) : 0;
    if (version == 0 && !db.exists("SELECT 1 FROM sqlite_master")) {
        createSchema(db, ownedTables);
        return;
    }
    if (version > SchemaVersion)
        throw DatabaseError(
            QStringLiteral("数据库文件由较新版本的程序写成，本程序无法打开：%1").arg(db.path()));
    if (version < 1 || !db.exists("SELECT 1 FROM sqlite_master WHERE type = 'table' AND"
                                  " name = 'Staff_moninfo'"))
        throw DatabaseError(QStringLiteral("不是本系统的数据库文件：%1").arg(db.path()));
    // A file opened only for reading stays as it is; what reads the later tables finds none.
    if ((version < SchemaVersion || lacksOwnedTable(db, ownedTables)) &&
        !sqlite3_db_readonly(db.handle().getHandle(), "main"))
        upgradeSchema(db, static_cast<int>(version), ownedTables);
    addReadingIndexes(db);
}

}  // namespace vel
