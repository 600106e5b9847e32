#pragma once

#include <QString>

#include <memory>
#include <vector>

class QTextDocument;

namespace vel::gui {

// One place a word stands in a help document, as the reader sees it.
struct HelpHit {
    QString id;        // the document
    int position;      // in the shown document's text
    int length;
    QString line;      // the paragraph around it, for the list of hits
};

// Finds a word in every help document, ignoring case and the marks of Markdown: the documents
// are rendered once, as the help window shows them, so a hit's position is where the window
// shows it. A message as the program showed it also finds the entry that quotes it with
// placeholders ({月份}, {姓名} …) for what was filled in.
class HelpSearch {
public:
    HelpSearch();
    ~HelpSearch();

    std::vector<HelpHit> find(const QString& word) const;

private:
    std::vector<std::pair<QString, std::unique_ptr<QTextDocument>>> documents_;
};

}  // namespace vel::gui
