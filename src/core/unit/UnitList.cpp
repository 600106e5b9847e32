#include "UnitList.h"

#include "Errors.h"
#include "Session.h"
#include "WorkFolder.h"
#include "unit/UnitRegistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>

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
    QFile file(path_);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("无法读取单位列表：%1").arg(path_));
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parse);
    if (parse.error != QJsonParseError::NoError || !doc.isArray())
        throw FileError(QStringLiteral("单位列表已损坏，无法读取：%1").arg(path_));
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
