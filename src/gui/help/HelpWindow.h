#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace kestrova {

// The user's guide (the README that ships with the program) in a window of
// its own, its pictures no wider than the window, its links to the web
// opened by the browser.
class HelpWindow final : public QDialog {
    Q_OBJECT

public:
    // The sections other windows point to, by their headings.
    static constexpr const char* kDatabasesSection = "Your tracking databases";

    explicit HelpWindow(const QString& guideFile, QWidget* parent = nullptr);

    // False when the guide could not be read.
    bool loaded() const { return loaded_; }
    // Shows the window with the section under that heading at the top; an
    // empty heading, or one the guide lacks, shows the guide from its start.
    void showSection(const QString& heading);
    QTextBrowser* browser() const { return browser_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fitPictures();
    void scrollToSection();

    QTextBrowser* browser_ = nullptr;
    bool loaded_ = false;
    QString section_;
};

}  // namespace kestrova
