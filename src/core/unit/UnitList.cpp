#include "UnitList.h"

#include "Errors.h"
#include "Session.h"
#include "WorkFolder.h"
#include "output/PendingFile.h"
#include "unit/UnitRegistration.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vel {
namespace {

QString cleanFolder(const QString& folder)
{
    return WorkFolder(folder).root();
}

QString databaseIn(const QString& folder)
{
    return WorkFolder(folder).databaseFile();
}

}  // namespace

QString UnitList::defaultPath()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + "/.config";
    return config + "/veldrassa/units.json";
}

UnitList::UnitList(QString path) : path_(std::move(path)) {}

std::vector<KnownUnit> UnitList::units() const
{
    // Without blocking: a pipe put in the list's place must not hang the program.
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return {};
        throw FileError(QStringLiteral("无法读取单位列表：%1").arg(path_));
    }
    QFile file;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > MaxBytes ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        setAside();
    }
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(file.read(MaxBytes + 1), &parse);
    if (parse.error != QJsonParseError::NoError || !doc.isArray())
        setAside();
    std::vector<KnownUnit> list;
    for (const QJsonValue& v : doc.array()) {
        const QJsonObject o = v.toObject();
        KnownUnit u{o["folder"].toString(), o["code"].toString(),      o["name"].toString(),
                    o["type"].toString(),   o["class"].toString(),
                    QDateTime::fromString(o["lastOpened"].toString(), Qt::ISODate)};
        if (!u.folder.isEmpty())
            list.push_back(u);
    }
    std::stable_sort(list.begin(), list.end(), [](const KnownUnit& a, const KnownUnit& b) {
        return a.lastOpened > b.lastOpened;
    });
    return list;
}

void UnitList::remember(Session& session)
{
    KnownUnit u;
    u.folder = cleanFolder(session.folder().root());
    if (const std::optional<UnitRegistration> r = loadRegistration(session.db())) {
        u.code = r->code;
        u.name = r->name;
        u.type = r->type.trimmed();
        u.unitClass = r->unitClass;
    }
    u.lastOpened = QDateTime::currentDateTime();
    std::vector<KnownUnit> list = units();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const KnownUnit& k) { return k.folder == u.folder; }),
               list.end());
    list.insert(list.begin(), u);
    save(list);
}

void UnitList::forget(const QString& folder)
{
    std::vector<KnownUnit> list = units();
    const QString clean = cleanFolder(folder);
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const KnownUnit& k) { return k.folder == clean; }),
               list.end());
    save(list);
}

bool UnitList::severalUnits() const
{
    try {
        return units().size() > 1;
    } catch (const FileError&) {
        return false;
    }
}

void UnitList::setAside() const
{
    const QString base = path_ + ".bad-" + QDate::currentDate().toString("yyyy-MM-dd");
    for (int n = 1; n < 100; ++n) {
        const QString aside = n == 1 ? base : QStringLiteral("%1-%2").arg(base).arg(n);
        bool moved = false;
        try {
            moved = renameAsNew(path_, aside);
        } catch (const FileError&) {
            break;
        }
        if (moved)
            throw FileError(QStringLiteral("单位列表 %1 已损坏（或不是普通文件、超过1 MB），"
                                           "已改名为 %2 留存；单位列表重新开始记录。")
                                .arg(path_, aside));
    }
    throw FileError(QStringLiteral("单位列表已损坏，无法读取：%1").arg(path_));
}

void UnitList::save(const std::vector<KnownUnit>& units) const
{
    QJsonArray array;
    for (const KnownUnit& u : units)
        array.append(QJsonObject{{"folder", u.folder},
                                 {"code", u.code},
                                 {"name", u.name},
                                 {"type", u.type},
                                 {"class", u.unitClass},
                                 {"lastOpened", u.lastOpened.toString(Qt::ISODate)}});
    const QString folder = QFileInfo(path_).path();
    QSaveFile file(path_);
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) ||
        file.write(QJsonDocument(array).toJson()) < 0 || !file.commit())
        throw FileError(QStringLiteral("无法保存单位列表：%1").arg(path_));
}

QString startFolder(const QString& commandLineDir, const UnitList& list)
{
    if (!commandLineDir.isEmpty() || !qEnvironmentVariableIsEmpty("VELDRASSA_DATA_DIR"))
        return WorkFolder::resolve(commandLineDir);
    for (const KnownUnit& u : list.units())
        if (QFileInfo(databaseIn(u.folder)).isFile())
            return u.folder;
    return WorkFolder::resolve({});
}

QString openFolderRefusal(const QString& folder)
{
    if (folder.trimmed().isEmpty() || !QFileInfo(databaseIn(folder)).isFile())
        return QStringLiteral("该文件夹不是单位的工作文件夹（其中没有 Database/RCdatabase.db）：%1")
            .arg(QDir::toNativeSeparators(folder));
    return {};
}

QString newFolderRefusal(const QString& folder)
{
    if (folder.trimmed().isEmpty())
        return QStringLiteral("请选择新单位的工作文件夹。");
    if (QFileInfo::exists(databaseIn(folder)))
        return QStringLiteral("该文件夹已有单位数据，请用“打开其他单位文件夹…”打开它：%1")
            .arg(QDir::toNativeSeparators(folder));
    return {};
}

}  // namespace vel
