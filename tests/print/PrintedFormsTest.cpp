// Every form's printed pages as a PDF read back by poppler's tools (pdfinfo, pdftotext): the
// paper, the page count the plan gives, the form's texts on the pages and its headings on each;
// and every wrapped text with room enough in its cell for the lines it takes.

#include "Errors.h"
#include "EveryForm.h"
#include "PagePainter.h"
#include "PdfFile.h"
#include "output/WorkbookWriter.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vel;

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << ": "
                               << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString withoutBlanks(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

// The text on page `page` (from 1), white space dropped: pdftotext spaces the cells apart.
QString pageText(const QString& pdf, int page)
{
    const QString n = QString::number(page);
    return withoutBlanks(run("pdftotext", {"-f", n, "-l", n, pdf, "-"}));
}

// The first text of the heading rows: what every page must show at its top.
QString headingText(const LaidOutSheet& sheet)
{
    for (const auto& [key, cell] : sheet.cells)
        if (key.first >= sheet.headingRows->first && key.first <= sheet.headingRows->second &&
            key.second <= sheet.lastColumn && !cell.text.trimmed().isEmpty())
            return withoutBlanks(cell.text);
    return {};
}

}  // namespace

TEST(PrintedForms, EveryFormPrintsItsPlannedPagesWithItsTexts)
{
    for (bool organ : {false, true}) {
        TestSession s;
        everyFormYear(s, organ, QStringLiteral("临川市测试单位"));
        for (const auto& form : everyForm(*s)) {
            const std::string name = form->form().number.toStdString();
            const LaidOutSheet sheet = form->printedSheet();
            const PagePlan plan = planPages(sheet);
            const QString pdf = pdfPath(s->folder(), form->workbookName());
            writePdf(sheet, pdf);

            const QString info = run("pdfinfo", {pdf});
            EXPECT_TRUE(info.contains(QRegularExpression(
                QStringLiteral("Pages:\\s+%1\\n").arg(plan.pages.size()))))
                << name << "\n" << info.toStdString();
            EXPECT_TRUE(info.contains(sheet.landscape ? "842 x 595 pts (A4)" : "595 x 842 pts (A4)"))
                << name << "\n" << info.toStdString();

            const QString first = pageText(pdf, 1);
            EXPECT_TRUE(first.contains(QStringLiteral("临川市测试单位"))) << name;
            // A figure of the form: the first number its sheet shows.
            for (const auto& [key, cell] : sheet.cells)
                if (cell.number) {
                    EXPECT_TRUE(first.contains(cell.text)) << name << " " << cell.text.toStdString();
                    break;
                }
            const QString heading = headingText(sheet);
            ASSERT_FALSE(heading.isEmpty()) << name;
            for (int page = 1; page <= static_cast<int>(plan.pages.size()); ++page)
                EXPECT_TRUE(pageText(pdf, page).contains(heading))
                    << name << " page " << page << " lacks " << heading.toStdString();
        }
    }
}

TEST(PrintedForms, EveryWrappedTextHasRoomForItsLines)
{
    // Measured as the printed page draws it: points on a device of 72 dots per inch.
    QImage device(10, 10, QImage::Format_RGB32);
    device.setDotsPerMeterX(2835);
    device.setDotsPerMeterY(2835);
    for (bool organ : {false, true}) {
        TestSession s;
        everyFormYear(s, organ);
        for (const auto& form : everyForm(*s)) {
            const LaidOutSheet sheet = form->printedSheet();
            const PagePlan plan = planPages(sheet);
            for (const auto& [key, cell] : sheet.cells) {
                const auto [row, col] = key;
                if (!cell.style.wrap || cell.text.trimmed().isEmpty() || col > sheet.lastColumn ||
                    row > sheet.lastRow)
                    continue;
                CellRange block{row, col, row, col};
                if (const CellRange* merge = sheet.mergeAt(row, col))
                    block = *merge;
                double height = 0;
                for (int r = block.r1; r <= block.r2; ++r)
                    height += sheet.rowHeight(r);
                const double width =
                    plan.columnRight(std::min(block.c2, sheet.lastColumn)) - plan.columnLeft[col] -
                    2 * CellPadding;
                const int lines = printedLines(cell, width, device);
                EXPECT_LE(lines * lineHeight(cell.style.fontSize), height)
                    << form->form().number.toStdString() << " row " << row << " column " << col
                    << ": " << cell.text.toStdString() << " takes " << lines << " lines";
            }
        }
    }
}

TEST(PrintedForms, UnwritablePdfIsAnExportError)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain");
    QFile file(plain);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    try {
        writePdf(LaidOutSheet{}, plain + "/form.pdf");
        ADD_FAILURE() << "a PDF inside a file";
    } catch (const FileError& e) {
        EXPECT_TRUE(e.message().startsWith(ExportFailedMessage)) << e.message().toStdString();
    }
}
