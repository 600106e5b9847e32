#include "Errors.h"
#include "help/GeneratedSections.h"
#include "help/HelpDocuments.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

using namespace vel;

// Every shipped document loads whole: no generated section is missing and every key the
// program can generate stands in some document.
TEST(HelpDocuments, EveryDocumentLoadsWithItsGeneratedSections)
{
    QString sources;
    for (const help::Document& d : help::documents()) {
        QFile source(help::resourcePath(d.id + QStringLiteral(".md")));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly)) << d.id.toStdString();
        sources += QString::fromUtf8(source.readAll());
        QString text;
        ASSERT_NO_THROW(text = help::markdown(d.id)) << d.id.toStdString();
        EXPECT_TRUE(text.startsWith(QStringLiteral("# "))) << d.id.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("<!-- 生成:"))) << d.id.toStdString();
    }
    for (const QString& key : help::generatedSectionKeys())
        EXPECT_TRUE(sources.contains(QStringLiteral("<!-- 生成: %1 -->").arg(key)))
            << key.toStdString();
    EXPECT_THROW(help::markdown(QStringLiteral("no-such-document")), Error);
}

// Headings as the contents lists them and anchors as links name them, GitHub's way.
TEST(HelpDocuments, HeadingsCarryTheirTextAndAnchor)
{
    const QString text = QStringLiteral(
        "# 填写说明\n"
        "\n"
        "## 从业人员\r\n"
        "### **出生年月** 与 `代码`\n"
        "```\n"
        "## 代码块里的不是标题\n"
        "```\n"
        "#不是标题\n"
        "## 从业人员\n"
        "## Wage Bounds (500–100000) ##\n"
        "### 单位基本信息（一）、[工资](indicators.md#工资)\n");
    struct Want {
        int level;
        const char* text;
        const char* anchor;
    };
    const Want want[] = {
        {1, "填写说明", "填写说明"},
        {2, "从业人员", "从业人员"},
        {3, "出生年月 与 代码", "出生年月-与-代码"},
        {2, "从业人员", "从业人员-1"},
        {2, "Wage Bounds (500–100000)", "wage-bounds-500100000"},
        {3, "单位基本信息（一）、工资", "单位基本信息一工资"},
    };
    const std::vector<help::Heading> found = help::headings(text);
    ASSERT_EQ(found.size(), std::size(want));
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].level, want[i].level) << i;
        EXPECT_EQ(found[i].text, QString::fromUtf8(want[i].text)) << i;
        EXPECT_EQ(found[i].anchor, QString::fromUtf8(want[i].anchor)) << i;
    }
}

// A link in a document leads somewhere: another document, a heading in it, or a picture shipped
// with the help.
TEST(HelpDocuments, EveryLinkLandsOnADocumentHeadingOrPicture)
{
    static const QRegularExpression link(QStringLiteral("\\]\\(([^)\\s]+)[^)]*\\)"));
    for (const help::Document& d : help::documents()) {
        const QString text = help::markdown(d.id);
        for (auto it = link.globalMatch(text); it.hasNext();) {
            const QString target = it.next().captured(1);
            if (target.contains(QStringLiteral("://")) || target.startsWith(QStringLiteral("mailto:")))
                continue;
            const QString where = d.id + QStringLiteral(" → ") + target;
            const qsizetype hash = target.indexOf(u'#');
            const QString path = hash < 0 ? target : target.left(hash);
            const QString anchor =
                hash < 0 ? QString() : QUrl::fromPercentEncoding(target.mid(hash + 1).toUtf8());
            QString id = d.id;
            if (path.endsWith(QStringLiteral(".md"))) {
                id = path.chopped(3);
                ASSERT_TRUE(std::any_of(help::documents().begin(), help::documents().end(),
                                        [&](const help::Document& o) { return o.id == id; }))
                    << where.toStdString();
            } else if (!path.isEmpty()) {
                EXPECT_TRUE(QFile::exists(help::resourcePath(path))) << where.toStdString();
                continue;
            }
            if (anchor.isEmpty())
                continue;
            const std::vector<help::Heading> heads = help::headings(help::markdown(id));
            EXPECT_TRUE(std::any_of(heads.begin(), heads.end(),
                                    [&](const help::Heading& h) { return h.anchor == anchor; }))
                << where.toStdString();
        }
    }
}
