#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace vel {

// Text from another program: valid UTF-8 is UTF-8 (a byte-order mark dropped), anything else is
// read as GBK, the code page of the legacy system.
QString decodeForeignText(const QByteArray& bytes);

// The rows of a CSV or tab-separated file, header row included: tab-separated when its first
// line holds a tab. Throws FileError when the file cannot be read.
std::vector<QStringList> readDelimitedFile(const QString& path);

}  // namespace vel
