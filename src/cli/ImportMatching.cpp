#include "ImportMatching.h"

#include "CliSupport.h"
#include "Session.h"

namespace vel::cli {

std::optional<MatchedFile> readMatchedForCommand(Session& session, const ImportLayout& layout,
                                                 const QString& path,
                                                 const ImportOptions& options)
{
    try {
        const ImportSheets read = readImportSheets(path, options);
        // How the file was read is named even when its columns or people are then refused.
        out(importSourceText(read.source));
        return matchImportSheets(session.db(), layout, read, options.columns);
    } catch (const ColumnMatchNeeded& e) {
        err(QStringLiteral("文件的栏目与本系统的不同，请用 --columns 指定各栏的对应关系。"));
        err(QStringLiteral("文件的栏目：%1").arg(e.headings.join(u' ')));
        if (e.proposal)
            err(QStringLiteral("建议（请核对后使用）：--columns '%1'")
                    .arg(e.proposal->match.text(layout)));
    } catch (const Error& e) {
        err(e.message());
    }
    return std::nullopt;
}

QString matchedSummary(const MatchedFile& file)
{
    QString tail;
    if (file.matched.rows.skipped > 0)
        tail += QStringLiteral(", %1 skipped").arg(file.matched.rows.skipped);
    if (file.sheets.size() > 1)
        tail += QStringLiteral(", sheets %1").arg(file.sheets.join(u'、'));
    return tail;
}

int printStoredMatches(Session& session, const ImportLayout& layout)
{
    const std::vector<StoredColumnMatch> stored = storedColumnMatches(session.db(), layout.kind);
    if (stored.empty())
        err(QStringLiteral("没有保存的栏目对应关系。"));
    for (const StoredColumnMatch& m : stored)
        out(m.text + u'\t' + m.headings.join(u' '));
    return 0;
}

}  // namespace vel::cli
