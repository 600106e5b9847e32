#pragma once

#include <QString>

#include <vector>

namespace vel::help {

// A help document shipped with the program (docs/help, built into the resources).
struct Document {
    QString id;        // file name without ".md"
    QString title;     // shown in the help window's contents
};

// The documents in the order the help window lists them.
const std::vector<Document>& documents();

inline const QString UserManual = QStringLiteral("manual");
inline const QString FillingInstructions = QStringLiteral("indicators");
inline const QString Messages = QStringLiteral("messages");

// The resource path of a file under docs/help, e.g. "images/main.png".
QString resourcePath(const QString& relative);

// A document's Markdown with every generated section filled in. A line of the form
// `<!-- 生成: KEY -->` is replaced by generatedSection(KEY); an unknown id or key throws Error,
// so a document can never ship with a hole in it.
QString markdown(const QString& id);

}  // namespace vel::help
