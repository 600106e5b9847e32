#pragma once

#include <QString>

namespace vel {

// A new version of a file, written under a temporary name beside its target and put in the
// target's place only when complete: a failed write leaves the previous file as it was.
class PendingFile {
public:
    // The temporary name ends with `tempSuffix` (some writers insist on their extension).
    // Temporary files of this pattern that an interrupted export left in the folder more than
    // ten minutes ago are removed first. Throws FileError when the folder takes no new file.
    PendingFile(const QString& target, const QString& tempSuffix);
    // Removes the temporary file unless it was committed.
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const QString& path() const { return temp_; }
    // Flushes the temporary file to disk and renames it onto the target in one step; throws
    // FileError when that fails.
    void commit();

private:
    QString target_;
    QString temp_;
    bool committed_ = false;
};

}  // namespace vel
