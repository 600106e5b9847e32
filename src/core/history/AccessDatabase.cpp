#include "AccessDatabase.h"

#include "Errors.h"
#include "history/AccessFrames.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace vel {
namespace {

using namespace accessframes;

// Far beyond the earlier program's tables for one unit: a reader that writes more is stopped.
constexpr qint64 MaxReaderOutput = 512LL * 1024 * 1024;
const QString ReaderName = QStringLiteral("veldrassa-mdb-reader");

// Where VELDRASSA_MDB_READER says, where it is installed beside the running program, or where
// the build put it.
QString readerProgram()
{
    const QStringList candidates = {
        qEnvironmentVariable("VELDRASSA_MDB_READER"),
        QCoreApplication::instance()
            ? QDir::cleanPath(QDir(QCoreApplication::applicationDirPath())
                                  .absoluteFilePath(QStringLiteral(VELDRASSA_MDB_READER_FROM_BIN)))
            : QString(),
        QStringLiteral(VELDRASSA_MDB_READER_BUILT),
    };
    for (const QString& path : candidates)
        if (!path.isEmpty() && QFileInfo(path).isExecutable())
            return path;
    throw FileError(QStringLiteral("找不到读取原系统数据库的程序 %1，请重新安装本系统。").arg(ReaderName));
}

[[noreturn]] void refuseDamaged(const QString& path)
{
    throw FileError(QStringLiteral("原系统数据库已损坏或不是Access数据库文件，无法读取：%1").arg(path));
}

// A file this user may not read is not damaged: the clerk is told to see to the rights.
void refuseUnreadable(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return;
    }
    if (errno == EACCES || errno == EPERM)
        throw FileError(QStringLiteral("没有读取原系统数据库文件的权限，无法读取：%1。"
                                       "请检查该文件及其所在文件夹的读权限后再试。")
                            .arg(path));
}

// The reader's whole output, or a refusal when it crashed, failed, ran too long or wrote on
// beyond reason.
QByteArray runReader(const QString& path, const QStringList& tables, std::chrono::milliseconds limit)
{
    refuseUnreadable(path);
    QProcess reader;
    reader.setStandardErrorFile(QProcess::nullDevice());
    reader.start(readerProgram(), QStringList{path} + tables, QIODevice::ReadOnly);
    if (!reader.waitForStarted())
        throw FileError(QStringLiteral("无法启动读取原系统数据库的程序 %1。").arg(ReaderName));
    QByteArray output;
    const QDeadlineTimer deadline(limit);
    while (reader.state() != QProcess::NotRunning && !deadline.hasExpired() &&
           output.size() <= MaxReaderOutput) {
        reader.waitForReadyRead(static_cast<int>(std::min<qint64>(deadline.remainingTime(), 1000)));
        output += reader.readAllStandardOutput();
    }
    if (reader.state() != QProcess::NotRunning) {
        reader.kill();
        reader.waitForFinished();
        refuseDamaged(path);
    }
    output += reader.readAllStandardOutput();
    if (reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0)
        refuseDamaged(path);
    return output;
}

bool readValue(QDataStream& in, SqlValue& value)
{
    quint8 kind = 0;
    in >> kind;
    switch (kind) {
    case Null:
        value = nullptr;
        return true;
    case Integer: {
        qint64 n = 0;
        in >> n;
        value = static_cast<long long>(n);
        return true;
    }
    case Real: {
        double d = 0;
        in >> d;
        value = d;
        return true;
    }
    case Text: {
        QString s;
        in >> s;
        value = s.isNull() ? QString(QLatin1String("")) : s;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace

int AccessTable::column(const QString& wanted) const
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

std::vector<std::optional<AccessTable>> readAccessTables(const QString& path,
                                                        const QStringList& tables,
                                                        std::chrono::milliseconds limit)
{
    const QByteArray output = runReader(path, tables, limit);
    QDataStream in(output);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    in >> magic;
    if (magic != Magic)
        refuseDamaged(path);
    std::vector<std::optional<AccessTable>> read;
    for (int t = 0; t < tables.size(); ++t) {
        quint8 marker = 0;
        AccessTable table;
        in >> marker >> table.name;
        if (marker == TableMissing && in.status() == QDataStream::Ok) {
            read.emplace_back();
            continue;
        }
        qint64 stored = 0;
        in >> stored >> table.columns;
        if (marker != TableFound || in.status() != QDataStream::Ok)
            refuseDamaged(path);
        while (true) {
            in >> marker;
            if (marker != RowFollows)
                break;
            SqlParams row(table.columns.size());
            for (SqlValue& value : row)
                if (!readValue(in, value))
                    refuseDamaged(path);
            table.rows.push_back(std::move(row));
        }
        // The library may stop short of a damaged table without a word: the count tells.
        if (marker != TableEnd || in.status() != QDataStream::Ok ||
            static_cast<qint64>(table.rows.size()) != stored)
            refuseDamaged(path);
        read.push_back(std::move(table));
    }
    quint8 end = 0;
    in >> end;
    if (end != AllDone || in.status() != QDataStream::Ok)
        refuseDamaged(path);
    return read;
}

}  // namespace vel
