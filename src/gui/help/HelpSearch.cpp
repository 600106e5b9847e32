#include "HelpSearch.h"

#include "help/FilledMessage.h"
#include "help/HelpDocuments.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace vel::gui {

namespace {

// The paragraph around a hit, cut short where it is long, so the list shows what matters.
QString around(const QTextCursor& hit)
{
    constexpr int Before = 20, Width = 60;
    const QString line = hit.block().text();
    if (line.size() <= Width)
        return line.simplified();
    const int from = std::max(0, hit.selectionStart() - hit.block().position() - Before);
    const QString part = line.mid(from, Width);
    return ((from > 0 ? QStringLiteral("…") : QString()) + part
            + (from + Width < line.size() ? QStringLiteral("…") : QString()))
        .simplified();
}

}  // namespace

HelpSearch::HelpSearch()
{
    for (const help::Document& d : help::documents()) {
        auto text = std::make_unique<QTextDocument>();
        text->setMarkdown(help::markdown(d.id));
        documents_.emplace_back(d.id, std::move(text));
    }
}

HelpSearch::~HelpSearch() = default;

std::vector<HelpHit> HelpSearch::find(const QString& word) const
{
    std::vector<HelpHit> hits;
    if (word.isEmpty())
        return hits;
    for (const auto& [id, text] : documents_) {
        const size_t first = hits.size();
        for (QTextCursor at = text->find(word); !at.isNull(); at = text->find(word, at))
            hits.push_back({id, at.selectionStart(), at.selectionEnd() - at.selectionStart(),
                            around(at)});
        // A message pasted as the program showed it, its months and names filled in, finds the
        // entry that quotes it with placeholders: the whole entry is the hit.
        for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
            const auto inBlock = [&block](const HelpHit& h) { return block.contains(h.position); };
            if (!block.text().contains(u'{') || !help::isFilledIn(block.text(), word) ||
                std::any_of(hits.begin() + static_cast<std::ptrdiff_t>(first), hits.end(), inBlock))
                continue;
            QTextCursor whole(block);
            whole.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            hits.push_back({id, whole.selectionStart(), whole.selectionEnd() - whole.selectionStart(),
                            around(whole)});
        }
        std::sort(hits.begin() + static_cast<std::ptrdiff_t>(first), hits.end(),
                  [](const HelpHit& a, const HelpHit& b) { return a.position < b.position; });
    }
    return hits;
}

}  // namespace vel::gui
