#include "Errors.h"
#include "help/GeneratedSections.h"
#include "help/HelpDocuments.h"

#include <gtest/gtest.h>

#include <QFile>

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
