#include "gui/CompanionWatcher.h"

#include "CompanionFiles.h"

#include <QFileInfo>

namespace kestrova {

namespace {

constexpr int kSettleMs = 300;

QString qtPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

}  // namespace

CompanionWatcher::CompanionWatcher(CompanionFiles& files, QObject* parent)
    : QObject(parent), files_(files) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, [this] { files_.changed(); });
    // The folder tells of files that appear, and of files replaced by a rename.
    watcher_.addPath(qtPath(files_.folder()));
    watchFiles();
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) {
        // A file renamed over the watched one is another file: watched anew.
        watcher_.removePath(path);
        watchFiles();
        settle_.start();
    });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        watchFiles();
        settle_.start();
    });
}

void CompanionWatcher::watchFiles() {
    const QStringList watched = watcher_.files();
    for (const std::filesystem::path& file : files_.files()) {
        const QString path = qtPath(file);
        if (!watched.contains(path) && QFileInfo::exists(path))
            watcher_.addPath(path);
    }
}

}  // namespace kestrova
