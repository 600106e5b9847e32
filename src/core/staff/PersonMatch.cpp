#include "PersonMatch.h"

#include "db/CodeLists.h"

namespace vel {
namespace {

// Names compare as the stores write them: trimmed, without blanks inside.
QString comparable(const QString& name)
{
    QString n = trimBlanks(name);
    n.remove(u' ');
    return n;
}

}  // namespace

void PersonMatch::add(const QString& number, const QString& name)
{
    const QString key = trimBlanks(number);
    if (!key.isEmpty())
        byNumber_[key].push_back(static_cast<int>(candidates_.size()));
    candidates_.push_back({comparable(name)});
}

int PersonMatch::take(const QString& number, const QString& name)
{
    const auto it = byNumber_.constFind(trimBlanks(number));
    if (it == byNumber_.constEnd())
        return -1;
    const QString wanted = comparable(name);
    int chosen = -1;
    for (int i : *it) {
        const Candidate& c = candidates_[static_cast<size_t>(i)];
        if (c.used)
            continue;
        if (c.name == wanted) {
            chosen = i;
            break;
        }
        if (chosen < 0)
            chosen = i;
    }
    if (chosen >= 0)
        candidates_[static_cast<size_t>(chosen)].used = true;
    return chosen;
}

std::vector<int> PersonMatch::unused() const
{
    std::vector<int> left;
    for (size_t i = 0; i < candidates_.size(); ++i)
        if (!candidates_[i].used)
            left.push_back(static_cast<int>(i));
    return left;
}

}  // namespace vel
