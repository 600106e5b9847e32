#pragma once

#include <QString>

#include <optional>
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
inline const QString CheckRules = QStringLiteral("checks");

// The resource path of a file under docs/help, e.g. "images/main.png".
QString resourcePath(const QString& relative);

// A document's Markdown with every generated section filled in. A line of the form
// `<!-- 生成: KEY -->` is replaced by generatedSection(KEY); an unknown id or key throws Error,
// so a document can never ship with a hole in it.
QString markdown(const QString& id);

// A heading of a document, as the reader sees it, with the anchor that links reach it by.
struct Heading {
    int level;         // 1 for "#", 2 for "##" …
    QString text;      // without the marks of emphasis, code and links
    QString anchor;    // as GitHub names it: lower case, punctuation dropped, spaces as "-",
                       // "-1", "-2" … after a repeated name
};

// Every heading of a Markdown text, in order; lines inside fenced code are not headings.
std::vector<Heading> headings(const QString& markdown);

// The filling-in instructions' section on the staff sheet's answers, which the opening roster
// window opens at: the first section whose heading names 从业人员 or 人员情况; nullopt when
// there is none.
std::optional<QString> staffAnswersAnchor();

}  // namespace vel::help
