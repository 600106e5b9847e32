#include "DelimitedFile.h"

#include "Errors.h"
#include "sheet/SheetClipboard.h"

#include <QFile>
#include <QStringDecoder>

namespace vel {

QString decodeForeignText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder gbk("GBK");
        text = gbk.decode(bytes);
        if (gbk.hasError())
            throw ConversionError(QStringLiteral("文件既不是UTF-8也不是GBK编码，无法读取。"));
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

std::vector<QStringList> readDelimitedFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("无法读取文件：%1").arg(path));
    const QString text = decodeForeignText(file.readAll());
    const QChar separator = text.section('\n', 0, 0).contains('\t') ? QChar('\t') : QChar(',');
    return parseDelimitedText(text, separator);
}

}  // namespace vel
