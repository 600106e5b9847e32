#pragma once

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace vel::gui {

class HelpBrowser;
class HelpSearch;
struct HelpHit;

// The help window: the documents shipped with the program, their contents, a search over all of
// them and the way back. One for the whole run, beside the window that asked for it.
class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // Shows a document, at a heading if one is named, in the help window: opened beside `from`,
    // or raised where it is.
    static HelpWindow* open(QWidget* from, const QString& id, const QString& anchor = {});
    // The help window when one is open (tests).
    static HelpWindow* current() { return instance_; }

    ~HelpWindow() override;

    HelpBrowser* browser() const { return browser_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HelpWindow();
    void moveTo(QWidget* owner);
    void buildContents();
    void showContents();
    // Enter in the search field: the next hit in the shown document, from the top after the last.
    void findNext();
    void listHits(const QString& word);
    // How often the listed word stands in the shown document and in all of them; a hit elsewhere
    // is left for the list of hits to show.
    void showCount();
    void openHit(int row);
    void markHits();
    void documentShown();

    static inline QPointer<HelpWindow> instance_;
    static inline QSize size_{1100, 680};  // kept for the session, as the clerk left it

    HelpBrowser* browser_ = nullptr;
    QTabWidget* side_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QListWidget* hitList_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLabel* status_ = nullptr;
    std::unique_ptr<HelpSearch> searcher_;  // made at the first search
    std::vector<HelpHit> hits_;              // as the hit list shows them
    QString listed_;                         // the word they are for
};

}  // namespace vel::gui
