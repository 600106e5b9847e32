#pragma once

#include <QFileInfo>
#include <QString>

namespace vel {

// The folders a report writes its workbook and its submission file to, taken from the files'
// own paths so that the folder opened for the clerk is always the one written to.
template <class Report>
class ReportFolders {
public:
    QString workbookFolder() const { return QFileInfo(report().workbookPath()).path(); }
    QString submissionFolder() const { return QFileInfo(report().submissionPath()).path(); }

private:
    const Report& report() const { return static_cast<const Report&>(*this); }
};

}  // namespace vel
