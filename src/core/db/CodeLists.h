#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace vel {

class Db;

struct CodeEntry {
    int id = 0;
    QString name;
    QString memo;
};
using CodeList = std::vector<CodeEntry>;

// In loading order.
enum class CodeListId { Post, Edu, Sex, Grade, GradeJn, Nation, Role, YesNo, Certy };
constexpr int CodeListCount = 9;

// The answer lists that staff answers are coded against. A list holds the rows before the
// first one named "End"; it grows with its table instead of having a fixed capacity.
class CodeLists {
public:
    // filter: "1" enterprise or institution, "0" government organ (selects the posts).
    void load(Db& db, const QString& filter);

    const CodeList& list(CodeListId id) const { return lists_[static_cast<int>(id)]; }
    QStringList names(CodeListId id) const;
    // The code of the entry whose name equals text exactly; 0 when there is none.
    int codeOf(CodeListId id, const QString& text) const;
    bool contains(CodeListId id, const QString& text) const;

    int sexCode(const QString& text) const { return codeOf(CodeListId::Sex, text); }
    int nationCode(const QString& text) const { return codeOf(CodeListId::Nation, text); }
    int eduCode(const QString& text) const { return codeOf(CodeListId::Edu, text); }
    int postCode(const QString& text) const { return codeOf(CodeListId::Post, text); }
    int gradeCode(const QString& text) const { return codeOf(CodeListId::Grade, text); }
    int gradeJnCode(const QString& text) const { return codeOf(CodeListId::GradeJn, text); }

private:
    std::array<CodeList, CodeListCount> lists_;
};

// Removes leading and trailing blanks and control characters.
QString trimBlanks(const QString& text);

}  // namespace vel
