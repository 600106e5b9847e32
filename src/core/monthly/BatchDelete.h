#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace vel {

class Db;

// One person typed into the deletion list.
struct DeletionRequest {
    QString name;
    QString number;
    QString memo;
};

// A stored person of the month that the list names: name, number, sex, birth, education, post.
using DeletionMatch = QStringList;

// Replaces the scratch list by the requests up to the first one without a name number, in one
// transaction. Persons are matched by month and name number only.
void listForDeletion(Db& db, int month, const std::vector<DeletionRequest>& requests);
// The month's stored persons the scratch list names, in the order they were stored; a number
// listed twice gives its person twice.
std::vector<DeletionMatch> deletionMatches(Db& db);
// Both deletions flag the wages of the persons they remove, in the same transaction.
// Removes every stored row of the month with this (trimmed) number.
void deletePersonNumber(Db& db, int month, const QString& number);
// Removes every stored row of the month whose number the scratch list names.
void deleteListedPersons(Db& db, int month);

}  // namespace vel
