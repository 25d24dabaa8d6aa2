#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <string>

namespace kestrova::test {

// A fresh folder the window starts in, as a user's desktop would start it:
// the current directory while it lives, with the settings under it and the
// shipped data files found.
class WindowSandbox final {
public:
    WindowSandbox() : oldCwd_(QDir::currentPath()) {
        QDir::setCurrent(dir_.path());
        qputenv("XDG_CONFIG_HOME", (dir_.path() + QStringLiteral("/config")).toLocal8Bit());
        qputenv("KESTROVA_DATA_DIR", KESTROVA_DATA_DIR);
    }
    ~WindowSandbox() { QDir::setCurrent(oldCwd_); }
    WindowSandbox(const WindowSandbox&) = delete;
    WindowSandbox& operator=(const WindowSandbox&) = delete;

    bool isValid() const { return dir_.isValid(); }
    QString path() const { return dir_.path(); }
    std::string folder() const { return dir_.path().toStdString(); }

private:
    QTemporaryDir dir_;
    QString oldCwd_;
};

}  // namespace kestrova::test
