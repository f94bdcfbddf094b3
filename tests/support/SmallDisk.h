#pragma once

#include <QString>
#include <QTemporaryDir>

// A 4 MiB tmpfs, mounted in a mount namespace of this test process alone (so the full disk is
// nobody else's) the first time it is asked for, and unmounted with this object. Needs root.
class SmallDisk
{
public:
    SmallDisk() = default;
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    // The mounted folder, emptied of files; empty when it cannot be mounted here.
    QString emptied();

private:
    QTemporaryDir m_folder;
    bool m_mounted = false;
};
