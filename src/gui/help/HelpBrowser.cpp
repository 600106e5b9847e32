#include "HelpBrowser.h"

#include "Errors.h"
#include "help/HelpDocuments.h"

#include <QTextBlock>
#include <QTextCursor>

namespace vel::gui {

namespace {

const QString Scheme = QStringLiteral("qrc");
const QString Folder = QStringLiteral("/help/");
const QString Ending = QStringLiteral(".md");

}  // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setObjectName("helpBrowser");
    // Qt scrolls to the fragment before anyone could have named the headings; once they are,
    // scroll again.
    connect(this, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        if (!fresh_)
            return;
        fresh_ = false;
        nameHeadings();
        if (url.hasFragment())
            scrollToAnchor(url.fragment());
    });
}

QUrl HelpBrowser::urlOf(const QString& id, const QString& anchor)
{
    QUrl url;
    url.setScheme(Scheme);
    url.setPath(Folder + id + Ending);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url;
}

QString HelpBrowser::documentId() const
{
    const QString path = source().path();
    if (!path.startsWith(Folder) || !path.endsWith(Ending))
        return {};
    return path.mid(Folder.size(), path.size() - Folder.size() - Ending.size());
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    if (type != QTextDocument::MarkdownResource || name.scheme() != Scheme
        || !name.path().startsWith(Folder))
        return QTextBrowser::loadResource(type, name);
    const QString id = name.path().mid(Folder.size()).chopped(Ending.size());
    // Called from inside Qt's navigation, where an exception must not pass: a broken document
    // shows its fault in place of its text.
    try {
        loaded_ = help::markdown(id);
    } catch (const Error& e) {
        loaded_ = e.message();
    }
    fresh_ = true;
    return loaded_;
}

void HelpBrowser::nameHeadings()
{
    const std::vector<help::Heading> heads = help::headings(loaded_);
    size_t next = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0)
            continue;
        const QString text = block.text().trimmed();
        size_t i = next;
        while (i < heads.size() && heads[i].text != text)
            ++i;
        if (i == heads.size())
            continue;
        next = i + 1;
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat named;
        named.setAnchor(true);
        named.setAnchorNames({heads[i].anchor});
        cursor.mergeCharFormat(named);
    }
}

}  // namespace vel::gui
