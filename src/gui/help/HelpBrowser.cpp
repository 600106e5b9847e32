#include "HelpBrowser.h"

#include "Errors.h"
#include "help/HelpDocuments.h"

#include <QImage>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextTable>


namespace vel::gui {

namespace {

const QString Scheme = QStringLiteral("qrc");
const QString Folder = QStringLiteral("/help/");
const QString Ending = QStringLiteral(".md");
// The picture file an image was scaled from.
constexpr int PictureFile = QTextFormat::UserProperty + 1;

}  // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setObjectName("helpBrowser");
    // Read for a while, not glanced at: a little larger than the forms, with room at the edges.
    QFont reading = font();
    reading.setPointSizeF(reading.pointSizeF() * 1.15);
    setFont(reading);
    document()->setDocumentMargin(16);
    refit_.setSingleShot(true);
    refit_.setInterval(150);
    connect(&refit_, &QTimer::timeout, this, [this] {
        const QSignalBlocker quiet(document());
        QTextCursor once(document());
        once.beginEditBlock();
        fitPictures();
        once.endEditBlock();
    });
    // Qt scrolls to the fragment before anyone could have named the headings; once they are,
    // scroll again.
    connect(this, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        shown_ = shown_.resolved(url);
        if (!fresh_)
            return;
        fresh_ = false;
        {
            // QTextBrowser loads a document again on the next link once it sees it changed;
            // dressing it is no change of the text, so the browser is not told.
            const QSignalBlocker quiet(document());
            loading_.endEditBlock();
            loading_.beginEditBlock();
            nameHeadings();
            dressTables();
            dressQuotes();
            fitPictures();
            loading_.endEditBlock();
            loading_ = QTextCursor();
        }
        viewport()->update();
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
    const QString path = shown_.path();
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
    // Qt reads the document in next, laying out the page after every piece, each table again for
    // every cell; in one edit block, ended once the page is dressed, it is laid out once.
    loading_ = QTextCursor(document());
    loading_.beginEditBlock();
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

void HelpBrowser::resizeEvent(QResizeEvent* event)
{
    QTextBrowser::resizeEvent(event);
    refit_.start();
}

void HelpBrowser::fitPictures()
{
    const int room = viewport()->width() - 2 * static_cast<int>(document()->documentMargin()) - 8;
    if (room <= 0)
        return;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment part = it.fragment();
            if (!part.charFormat().isImageFormat())
                continue;
            QTextImageFormat picture = part.charFormat().toImageFormat();
            QString original = picture.stringProperty(PictureFile);
            if (original.isEmpty())
                original = picture.name();
            const QVariant data = document()->resource(QTextDocument::ImageResource, QUrl(original));
            const QImage natural = data.userType() == QMetaType::QByteArray
                                       ? QImage::fromData(data.toByteArray())
                                       : data.value<QImage>();
            if (natural.isNull())
                continue;
            // Scaled here, smoothly: the page would draw a picture shrunk by its width coarsely.
            QImage shown = natural;
            QString name = original;
            if (natural.width() > room) {
                shown = natural.scaledToWidth(room, Qt::SmoothTransformation);
                name = original + QStringLiteral("#fit");
                // Kept under the name the page looks it up by, which is resolved, unlike this one.
                document()->addResource(QTextDocument::ImageResource,
                                        document()->baseUrl().resolved(QUrl(name)), shown);
            }
            picture.setProperty(PictureFile, original);
            picture.setName(name);
            picture.setWidth(shown.width());
            picture.setHeight(shown.height());
            QTextCursor cursor(document());
            cursor.setPosition(part.position());
            cursor.setPosition(part.position() + part.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
}

void HelpBrowser::dressQuotes()
{
    QTextCursor cursor(document());
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().intProperty(QTextFormat::BlockQuoteLevel) == 0)
            continue;
        QTextBlockFormat quoted;
        quoted.setBackground(QColor(238, 243, 250));
        cursor.setPosition(block.position());
        cursor.mergeBlockFormat(quoted);
    }
}

void HelpBrowser::dressTables()
{
    QList<QTextFrame*> frames = document()->rootFrame()->childFrames();
    while (!frames.isEmpty()) {
        QTextFrame* frame = frames.takeFirst();
        frames += frame->childFrames();
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        QTextTableFormat format = table->format();
        format.setBorderCollapse(true);
        format.setBorder(1);
        format.setBorderBrush(QColor(170, 170, 170));
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setCellSpacing(0);
        format.setCellPadding(5);
        table->setFormat(format);
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(0, column);
            QTextCharFormat head = cell.format();
            head.setBackground(QColor(232, 238, 246));
            cell.setFormat(head);
        }
    }
}

}  // namespace vel::gui
