#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

namespace kestrova {

class CompanionFiles;

// Watches the files the session names (CompanionFiles) with the toolkit's
// watcher and tells the session once a burst of changes is over: the history
// is written table by table, and a rename comes as several events.
class CompanionWatcher final : public QObject {
    Q_OBJECT

public:
    CompanionWatcher(CompanionFiles& files, QObject* parent = nullptr);

private:
    // Watches every named file that is there and not watched yet.
    void watchFiles();

    CompanionFiles& files_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
};

}  // namespace kestrova
