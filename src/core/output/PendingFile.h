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
    // Flushes the temporary file and gives it the name `target` only if no file has that name: a
    // file already there is never replaced, even one another program creates at the same moment.
    // Returns false (the temporary kept for another name) when the name is taken; throws
    // FileError when the file cannot be written.
    bool commitAsNew(const QString& target);

private:
    // Flushes the temporary file and gives it the rights of the file it replaces, else the usual.
    void finish(const QString& target);

    QString target_;
    QString temp_;
    bool committed_ = false;
};

// Why no new file can be made in `folder`, in the clerk's words: the system's own text is English.
QString folderWriteProblem(const QString& folder);

// Renames `from` to `to` only if no file has that name; false when one has. Throws FileError when
// the rename fails otherwise.
bool renameAsNew(const QString& from, const QString& to);

// Removes the temporary files an interrupted export, backup or kept copy left in `folder` more
// than ten minutes ago, with the engine's journal a copy that was being written leaves beside it:
// only names of this program's own pattern.
void removeStaleTemporaries(const QString& folder);

}  // namespace vel
