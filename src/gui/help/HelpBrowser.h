#pragma once

#include <QTextBrowser>
#include <QTextCursor>
#include <QTimer>

namespace vel::gui {

// Shows the help documents built into the program: their Markdown with the generated sections
// filled in, pictures from the resources, and every heading named so that links, the contents
// and the history can jump to it.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    // Where a document (and a heading in it) is shown from.
    static QUrl urlOf(const QString& id, const QString& anchor = {});
    // The id of the document shown; empty before the first.
    QString documentId() const;

    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void nameHeadings();
    // Pictures no wider than the page, so a screenshot never needs scrolling sideways.
    void fitPictures();
    // Quoted passages (the messages' own words) on a tint, so they stand out from the explanation.
    void dressQuotes();
    // Tables with room in their cells, ruled once, the header row shaded.
    void dressTables();

    // What sourceChanged announced: source() follows only once the history is written.
    QUrl shown_;
    QString loaded_;      // the Markdown of the document shown
    bool fresh_ = false;  // loaded, its headings not yet named
    QTextCursor loading_;  // holds the page's layout while a document is read in
    QTimer refit_;        // pictures are fitted again once resizing pauses
};

}  // namespace vel::gui
