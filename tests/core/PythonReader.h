#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

// What a reader script of tests/fixtures makes of a file: an independent look at what we wrote.
inline QJsonObject readWithPython(const QString& script, const QString& path)
{
    QProcess python;
    python.start("/usr/bin/python3", {QStringLiteral(VEL_FIXTURES_DIR "/") + script, path});
    python.waitForFinished(60000);
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}
