#include "gui/help/HelpWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QImage>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

#include <vector>

namespace kestrova {

HelpWindow::HelpWindow(const QString& guideFile, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(tr("Kestrova Everest User Guide"));
    browser_ = new QTextBrowser;
    browser_->setObjectName(QStringLiteral("guide"));
    browser_->setOpenExternalLinks(true);
    auto* close = new QPushButton(tr("Close"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(close, 0, Qt::AlignRight);

    if (QFileInfo(guideFile).isReadable()) {
        // Relative pictures and links resolve against the guide's own folder.
        browser_->setSource(QUrl::fromLocalFile(QFileInfo(guideFile).absoluteFilePath()),
                            QTextDocument::MarkdownResource);
        loaded_ = !browser_->document()->isEmpty();
    }
    fitPictures();
    const QFontMetrics text = fontMetrics();
    resize(text.averageCharWidth() * 100, text.height() * 40);
}

void HelpWindow::fitPictures() {
    const int widest = fontMetrics().averageCharWidth() * 80;
    QTextDocument* document = browser_->document();
    // Formats are collected first: changing one splits the fragments walked.
    std::vector<std::pair<QTextFragment, QTextImageFormat>> pictures;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat())
                pictures.emplace_back(fragment, fragment.charFormat().toImageFormat());
        }
    }
    for (auto& [fragment, format] : pictures) {
        const QVariant resource =
            document->resource(QTextDocument::ImageResource, QUrl(format.name()));
        QImage image = resource.value<QImage>();
        if (image.isNull())
            image.loadFromData(resource.toByteArray());
        if (image.isNull() || image.width() <= widest)
            continue;
        format.setWidth(widest);
        format.setHeight(static_cast<double>(image.height()) * widest / image.width());
        QTextCursor cursor(document);
        cursor.setPosition(fragment.position());
        cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

void HelpWindow::showSection(const QString& heading) {
    section_ = heading;
    show();
    raise();
    activateWindow();
    scrollToSection();
}

void HelpWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The layout of the text needs the window's final width.
    QTimer::singleShot(0, this, &HelpWindow::scrollToSection);
}

void HelpWindow::scrollToSection() {
    QTextBlock target;
    for (QTextBlock block = browser_->document()->begin(); block.isValid() && !section_.isEmpty();
         block = block.next()) {
        if (block.blockFormat().headingLevel() > 0 && block.text() == section_) {
            target = block;
            break;
        }
    }
    QScrollBar* bar = browser_->verticalScrollBar();
    bar->setValue(target.isValid()
                      ? static_cast<int>(
                            browser_->document()->documentLayout()->blockBoundingRect(target).top())
                      : 0);
}

}  // namespace kestrova
