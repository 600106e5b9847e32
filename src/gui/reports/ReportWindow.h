#pragma once

#include "WindowContext.h"

#include <QDialog>

#include <memory>

class QLineEdit;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace vel {
class FormRun;
}

namespace vel::gui {

class SheetView;

// A computed form in a read-only worksheet under its heading, with its export, print, data check
// and submission commands; what it shows and offers comes from the form's definition.
class ReportWindow : public QDialog {
    Q_OBJECT
public:
    // `run` was computed (or refused by its guard, leaving the template and offering no file).
    ReportWindow(const WindowContext& context, std::shared_ptr<FormRun> run,
                 QWidget* parent = nullptr);
    ~ReportWindow() override;

    SheetView* view() const { return view_; }
    QPushButton* exportButton() const { return export_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* pdfButton() const { return pdf_; }
    QPushButton* spreadsheetButton() const { return spreadsheet_; }
    QPushButton* submitButton() const { return submit_; }
    QPushButton* checkButton() const { return check_; }

    void exportWorkbook();
    // The form's pages in the print preview.
    void print();
    void exportPdf();
    // The exported workbook in the desktop's spreadsheet program.
    void openInSpreadsheet();
    // "数据审核" over what touches this form and period.
    void openDataCheck();
    // The data check first: its errors refuse, its unexplained warnings ask (No by default).
    void submit();

protected:
    void done(int result) override;

private:
    void addHeader(QVBoxLayout* layout);
    // The year typed for a form headed by one; empty (the form's default) for the others.
    QString year() const;

    WindowContext context_;
    std::shared_ptr<FormRun> run_;
    SheetView* view_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* pdf_ = nullptr;
    QPushButton* spreadsheet_ = nullptr;
    QPushButton* check_ = nullptr;
    QPushButton* submit_ = nullptr;
    QLineEdit* year_ = nullptr;
    QProgressBar* progress_ = nullptr;
};

}  // namespace vel::gui
