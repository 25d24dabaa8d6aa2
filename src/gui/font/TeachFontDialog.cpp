#include "gui/font/TeachFontDialog.h"

#include "FontTeaching.h"
#include "gui/widgets/QtText.h"

#include <QColor>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kestrova {

namespace {

QImage toQImage(const Image& image) {
    return QImage(reinterpret_cast<const uchar*>(image.pixels().data()), image.width(),
                  image.height(), QImage::Format_RGB32)
        .copy();
}

QTableWidget* makeTable(const QStringList& headers, int rows, QWidget* parent) {
    auto* table = new QTableWidget(rows, static_cast<int>(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->verticalHeader()->setDefaultSectionSize(20);
    return table;
}

std::vector<std::vector<std::string>> cellTexts(const QTableWidget& table) {
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < table.rowCount(); ++r) {
        std::vector<std::string> columns;
        for (int c = 0; c < table.columnCount(); ++c) {
            const QTableWidgetItem* item = table.item(r, c);
            columns.push_back(item ? item->text().toStdString() : std::string());
        }
        rows.push_back(std::move(columns));
    }
    return rows;
}

}  // namespace

TeachFontDialog::TeachFontDialog(Session& session, Session::LobbyCapture capture, QWidget* parent)
    : QDialog(parent), session_(session), capture_(std::move(capture)) {
    const LobbyTexts read = readCapture(session_.font(), capture_);
    setWindowTitle(tr("Teach Font"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Press Find Font when the client's font is installed here. "
                                    "Otherwise correct every cell to what the lobby shows, then "
                                    "press Learn. \"?\" marks a glyph the recogniser does not "
                                    "know yet."),
                                 this));
    auto* splitter = new QSplitter(this);
    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap::fromImage(toQImage(capture_.image)));
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(picture);
    splitter->addWidget(scroll);

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rows_ = makeTable(
        {tr("Table"), tr("Game"), tr("Stakes"), tr("Plrs"), tr("Type"), tr("Avg Pot"), tr("Wait")},
        static_cast<int>(read.rows.size()), right);
    rows_->setObjectName(QStringLiteral("teachRows"));
    seats_ = makeTable({tr("Player"), tr("Chips")}, static_cast<int>(read.seats.size()), right);
    seats_->setObjectName(QStringLiteral("teachSeats"));
    rightLayout->addWidget(rows_, 3);
    rightLayout->addWidget(seats_, 2);
    report_ = new QPlainTextEdit(right);
    report_->setReadOnly(true);
    report_->setObjectName(QStringLiteral("teachReport"));
    rightLayout->addWidget(report_, 1);
    splitter->addWidget(right);
    layout->addWidget(splitter, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* findButton = buttons->addButton(tr("Find Font"), QDialogButtonBox::ActionRole);
    findButton->setObjectName(QStringLiteral("teachFindFont"));
    findButton->setToolTip(tr("Find the installed font the lobby is drawn in: nothing to type"));
    connect(findButton, &QPushButton::clicked, this, &TeachFontDialog::findFont);
    QPushButton* learnButton = buttons->addButton(tr("Learn"), QDialogButtonBox::ActionRole);
    learnButton->setObjectName(QStringLiteral("teachLearn"));
    connect(learnButton, &QPushButton::clicked, this, &TeachFontDialog::learn);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    readCells();
    resize(1500, 760);
}

int TeachFontDialog::readCells(const LobbyTexts* typed) {
    const LobbyTexts read = readCapture(session_.font(), capture_);
    int marked = 0;
    const auto fill = [&](QTableWidget* table, const std::vector<std::vector<std::string>>& cells,
                          const std::vector<std::vector<std::string>>* texts) {
        for (std::size_t row = 0; row < cells.size(); ++row) {
            for (std::size_t column = 0; column < cells[row].size(); ++column) {
                const std::string& now = cells[row][column];
                const std::string* want =
                    texts != nullptr && row < texts->size() && column < (*texts)[row].size()
                        ? &(*texts)[row][column]
                        : nullptr;
                auto* item = new QTableWidgetItem(toQString(want != nullptr ? *want : now));
                if (want != nullptr && *want != now) {
                    item->setBackground(QColor(255, 214, 153));
                    item->setToolTip(tr("Still read as \u201c%1\u201d").arg(toQString(now)));
                    ++marked;
                }
                table->setItem(static_cast<int>(row), static_cast<int>(column), item);
            }
        }
    };
    fill(rows_, read.rows, typed != nullptr ? &typed->rows : nullptr);
    fill(seats_, read.seats, typed != nullptr ? &typed->seats : nullptr);
    return marked;
}

QString TeachFontDialog::report() const {
    return report_->toPlainText();
}

void TeachFontDialog::learn() {
    LobbyTexts texts;
    texts.rows = cellTexts(*rows_);
    texts.seats = cellTexts(*seats_);
    QString text = toQString(teachFont(session_.font(), capture_, texts));
    if (const int marked = readCells(&texts); marked > 0) {
        text += QLatin1Char('\n') +
                tr("%n cell(s) still read otherwise are marked; point at one to see what is read.",
                   nullptr, marked);
    }
    report_->setPlainText(text);
}

void TeachFontDialog::findFont() {
    if (!session_.passes().jobs().findFont(capture_)) {
        report_->setPlainText(tr("A scan is running; find the font when it has finished."));
        return;
    }
    report_->setPlainText(tr("Looking for the font among the installed ones…"));
}

void TeachFontDialog::fontSearched(const job_event::FontSearched& searched) {
    if (searched.font.empty()) {
        report_->setPlainText(toQString(searched.problem));
        return;
    }
    QString text = tr("Font found: %1").arg(toQString(searched.font));
    if (!searched.problem.empty())
        text += QLatin1Char('\n') + toQString(searched.problem);
    readCells();
    // What the found font still cannot read: teach those cells by typing.
    const LobbyTexts read = readCapture(session_.font(), capture_);
    int unread = 0;
    const auto mark = [&](QTableWidget* table, const std::vector<std::vector<std::string>>& cells) {
        for (std::size_t r = 0; r < cells.size(); ++r) {
            for (std::size_t c = 0; c < cells[r].size(); ++c) {
                QTableWidgetItem* item = table->item(static_cast<int>(r), static_cast<int>(c));
                if (item != nullptr && cells[r][c].find('?') != std::string::npos) {
                    item->setBackground(QColor(255, 214, 153));
                    ++unread;
                }
            }
        }
    };
    mark(rows_, read.rows);
    mark(seats_, read.seats);
    if (unread > 0)
        text += QLatin1Char('\n') +
                tr("%n cell(s) it still reads with \"?\" are marked.", nullptr, unread);
    report_->setPlainText(text);
}

}  // namespace kestrova
