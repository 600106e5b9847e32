#pragma once

#include "io/MatchedImport.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QTableWidget;
class QWidget;

namespace vel::gui {

// "从文件导入" of a file whose headings are not ours: each of our columns with the file's
// headings to choose from (several may be ticked for an amount, which is then their sum), a
// preview of the first rows as they will be read, with their 合计 where the file is a payroll,
// and how many rows are taken and skipped. Starts from the proposal of the synonyms; nothing is
// read until the clerk confirms.
class ColumnMatchDialog : public QDialog {
public:
    // `lines` the file's first sheet; `rowTotal` gives a preview row's 合计 (none when empty).
    ColumnMatchDialog(const ImportLayout& layout, const std::vector<DelimitedLine>& lines,
                      const ColumnMatchNeeded& need,
                      std::function<QString(const QStringList&)> rowTotal,
                      QWidget* parent = nullptr);

    // The matching as chosen, in the form the command line's --columns takes.
    QString matchingText() const;
    // Chooses the headings for our column `column` (an index into the layout), as the clerk does.
    void choose(int column, const QStringList& headings);

private:
    void refresh();

    const ImportLayout& layout_;
    const std::vector<DelimitedLine>& lines_;
    QStringList headings_;
    std::function<QString(const QStringList&)> rowTotal_;
    std::vector<QWidget*> choosers_;  // a QComboBox, or for an amount a QToolButton with ticks
    ColumnMatch match_;
    QTableWidget* preview_ = nullptr;
    QLabel* counts_ = nullptr;
    QLabel* problem_ = nullptr;
    QWidget* ok_ = nullptr;
};

}  // namespace vel::gui

namespace vel::gui {

// "从文件导入": reads the file and matches its columns by a kept matching or our own headings,
// else through the dialog, whose matching is kept once the clerk confirms it. nullopt when the
// clerk cancels; a file that cannot be read throws Error.
std::optional<MatchedFile> matchFileColumns(QWidget* parent, Db& db, const ImportLayout& layout,
                                            const QString& path,
                                            std::function<QString(const QStringList&)> rowTotal = {});

}  // namespace vel::gui
