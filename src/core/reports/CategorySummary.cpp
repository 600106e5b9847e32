#include "CategorySummary.h"

#include "db/Db.h"
#include "reports/Balancing.h"
#include "staff/BirthMonth.h"
#include "reports/Rounding.h"
#include "reports/WageSums.h"

#include <SQLiteCpp/Statement.h>

#include <limits>
#include <map>

namespace vel {
namespace {

// Wage sums are kept in millionths of a yuan (amountMicros).
constexpr long long MicrosPerThousandYuan = 1000LL * 1000000;

using Code = std::optional<long long>;

// What the figures read of a wage row and its person.
struct PersonRow {
    int month = 0;
    Code post, grade, skill, sex, education;
    std::optional<int> born;
};

bool takes(const Selection& who, const Code& code)
{
    return who.takesEveryRow() || (code && who.matches(*code));
}

bool inCategory(const SummaryCategory& c, const PersonRow& p)
{
    return takes(c.post, p.post) && (!c.grade || takes(*c.grade, p.grade));
}

// The categories of a post and grade, looked up once per pair: a unit has few pairs and many rows.
class CategoryIndex {
public:
    explicit CategoryIndex(const std::vector<SummaryCategory>& rows) : rows_(rows) {}

    const std::vector<size_t>& of(const PersonRow& p)
    {
        constexpr long long Empty = std::numeric_limits<long long>::min();
        const std::pair<long long, long long> key{p.post.value_or(Empty), p.grade.value_or(Empty)};
        auto it = known_.find(key);
        if (it == known_.end()) {
            std::vector<size_t> found;
            for (size_t i = 0; i < rows_.size(); ++i)
                if (inCategory(rows_[i], p))
                    found.push_back(i);
            it = known_.emplace(key, std::move(found)).first;
        }
        return it->second;
    }

private:
    const std::vector<SummaryCategory>& rows_;
    std::map<std::pair<long long, long long>, std::vector<size_t>> known_;
};

Code codeAt(SQLite::Statement& stmt, int column)
{
    const SQLite::Column c = stmt.getColumn(column);
    return c.isInteger() ? Code(c.getInt64()) : std::nullopt;
}

struct Sums {
    std::array<long long, G20> endCounts{};
    long long personMonths = 0;
    long long wageMicros = 0;
};

// The head counts of the end month by the form's columns.
void countEndMonth(const SummaryCategory& c, const SummaryRules& rules, const PersonRow& p,
                   Sums& s)
{
    ++s.endCounts[G11];
    if (takes(summaryWomen(), p.sex))
        ++s.endCounts[G12];
    if (p.born && *p.born >= rules.youngFrom)
        ++s.endCounts[G13];
    static const std::vector<std::string> gradeColumns = {"sPostGrade", "sJGrade"};
    if (c.qualified && c.qualified->matchesRow(gradeColumns, {p.grade, p.skill}))
        ++s.endCounts[G14];
    for (int k = 0; k < 5; ++k)
        if (takes(summaryEducationBands()[k], p.education))
            ++s.endCounts[G15 + k];
}

}  // namespace

const Selection& summaryWomen()
{
    static const Selection women = codesOf("sSex", {2});
    return women;
}

const std::array<Selection, 5>& summaryEducationBands()
{
    static const std::array<Selection, 5> bands = {
        codesOf("sEducation", {1, 2}), codesOf("sEducation", {3}), codesOf("sEducation", {4}),
        codesOf("sEducation", {5, 6, 7}), codesOf("sEducation", {8, 9})};
    return bands;
}

std::vector<SummaryLine> computeSummary(Db& db, const SummaryRules& rules, const MonthRange& range,
                                        const Progress& progress)
{
    const auto report = [&](int p) {
        if (progress)
            progress(p);
    };
    report(0);
    const bool withMonthBefore = rules.average == AverageRule::WithMonthBefore;
    // Before January the month before is the opening roster, counted from the staff rows.
    const int firstCounted = withMonthBefore ? std::max(1, range.from - 1) : range.from;
    std::vector<Sums> sums(rules.rows.size());
    CategoryIndex categories(rules.rows);
    guarded(db, [&] {
        // The wage rows joined to their roster as VmonWage joins them, with the skill grade that
        // the view leaves out. "+w.sMon" keeps the month index out: one pass over the months
        // costs less than an index walk that looks up every row it finds.
        SQLite::Statement wages(
            db.handle(),
            "SELECT w.sMon, s.sPost, s.sPostGrade, s.sSex, s.sEducation, s.sBirth, w.sTotal,"
            " s.sJGrade FROM Wage_Info w JOIN Staff_moninfo s"
            " ON s.sNumber = w.sNumber AND s.sMon = w.sMon WHERE +w.sMon BETWEEN ? AND ?");
        bindAll(wages, {static_cast<long long>(firstCounted), static_cast<long long>(range.to)});
        while (wages.executeStep()) {
            PersonRow p;
            p.month = wages.getColumn(0).getInt();
            p.post = codeAt(wages, 1);
            p.grade = codeAt(wages, 2);
            p.sex = codeAt(wages, 3);
            p.education = codeAt(wages, 4);
            p.skill = codeAt(wages, 7);
            const SQLite::Column birth = wages.getColumn(5);
            p.born = birthMonthNumber(
                std::string_view(birth.getText(""), static_cast<size_t>(birth.getBytes())));
            const SQLite::Column total = wages.getColumn(6);
            const long long micros = total.isNull() ? 0 : amountMicros(total.getDouble());
            const bool inRange = p.month >= range.from;
            for (size_t i : categories.of(p)) {
                const SummaryCategory& c = rules.rows[i];
                Sums& s = sums[i];
                ++s.personMonths;
                if (inRange)
                    addWithinRange(s.wageMicros, micros);
                if (p.month == range.to)
                    countEndMonth(c, rules, p, s);
            }
        }
        report(70);
        if (withMonthBefore && range.from == 1) {
            SQLite::Statement opening(db.handle(),
                                      "SELECT sPost, sPostGrade FROM Staff_moninfo WHERE sMon = 0");
            while (opening.executeStep()) {
                PersonRow p;
                p.post = codeAt(opening, 0);
                p.grade = codeAt(opening, 1);
                for (size_t i : categories.of(p))
                    ++sums[i].personMonths;
            }
        }
        return 0;
    });
    report(80);

    const int averagedMonths = range.months() + (withMonthBefore ? 1 : 0);
    std::vector<SummaryLine> lines(rules.rows.size());
    std::vector<size_t> indexOfGid(rules.rows.size() + 1);
    for (size_t i = 0; i < rules.rows.size(); ++i) {
        const SummaryCategory& c = rules.rows[i];
        indexOfGid.at(static_cast<size_t>(c.gid)) = i;
        SummaryLine& line = lines[i];
        for (int k = G11; k < G20; ++k)
            line[k] = sums[i].endCounts[k];
        if (!c.qualified)
            line[G14].reset();
        line[G20] = roundedQuotient(sums[i].personMonths, averagedMonths);
        line[G21] = roundedQuotient(sums[i].wageMicros, MicrosPerThousandYuan);
        report(80 + static_cast<int>(15 * (i + 1) / rules.rows.size()));
    }
    const auto at = [&](int gid) -> SummaryLine& { return lines[indexOfGid.at(gid)]; };
    // A parent's average is its parts' averages added up: the parts before the parent.
    for (auto c = rules.rows.rbegin(); c != rules.rows.rend(); ++c) {
        if (c->parts.empty())
            continue;
        long long sum = 0;
        for (int part : c->parts)
            sum += *at(part)[G20];
        at(c->gid)[G20] = sum;
    }
    // Wage totals: the parents first, so that a later group balances against its adjusted parent.
    for (const SummaryCategory& c : rules.rows) {
        if (c.parts.empty())
            continue;
        std::vector<long long> parts;
        for (int part : c.parts)
            parts.push_back(*at(part)[G21]);
        balanceParts(*at(c.gid)[G21], parts);
        for (size_t k = 0; k < parts.size(); ++k)
            at(c.parts[k])[G21] = parts[k];
    }
    report(100);
    return lines;
}

}  // namespace vel
