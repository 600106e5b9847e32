#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace vel::help {

// The parts of the help documents written from the program's own rule data, so that what the
// documents say and what the program computes cannot disagree. Markdown, by key.
std::optional<QString> generatedSection(const QString& key);

// Every key generatedSection answers.
QStringList generatedSectionKeys();

}  // namespace vel::help
