#pragma once

#include <QHash>
#include <QString>

#include <vector>

namespace vel {

// Pairs the persons of one list with those of another by name number, as a clerk does when
// comparing two months. Where a number has several candidates the one with the same name goes
// first, and no candidate serves two persons. A person without a number pairs with nobody.
class PersonMatch {
public:
    // Adds a candidate; candidates are numbered 0, 1, … in the order they are added.
    void add(const QString& number, const QString& name);
    // The candidate for the person, now used; -1 when none is left.
    int take(const QString& number, const QString& name);
    // The candidates no person took, in the order they were added.
    std::vector<int> unused() const;

private:
    struct Candidate {
        QString name;
        bool used = false;
    };
    std::vector<Candidate> candidates_;
    QHash<QString, std::vector<int>> byNumber_;
};

}  // namespace vel
