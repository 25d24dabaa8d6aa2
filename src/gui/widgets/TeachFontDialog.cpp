#include "gui/widgets/TeachFontDialog.h"

#include "client/ocr/FontLearner.h"
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

namespace {

QImage toQImage(const kestrova::Image& image) {
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

TeachFontDialog::TeachFontDialog(kestrova::Session& session,
                                 kestrova::Session::LobbyCapture capture, QWidget* parent)
    : QDialog(parent),
      session_(session),
      capture_(std::move(capture)),
      rowLines_(kestrova::listLines(capture_.image, capture_.geometry,
                                    session_.glyphs().smoothPercent())),
      seatLines_(kestrova::seatLines(capture_.image, session_.glyphs().smoothPercent())) {
    setWindowTitle(QStringLiteral("Teach Font"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Correct every cell to what the lobby shows, then press Learn. "
                                  "\"?\" marks a glyph the recogniser does not know yet."),
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
    rows_ = makeTable({QStringLiteral("Table"), QStringLiteral("Game"), QStringLiteral("Stakes"),
                       QStringLiteral("Plrs"), QStringLiteral("Type"), QStringLiteral("Avg Pot"),
                       QStringLiteral("Wait")},
                      static_cast<int>(rowLines_.size()), right);
    rows_->setObjectName(QStringLiteral("teachRows"));
    seats_ = makeTable({QStringLiteral("Player"), QStringLiteral("Chips")},
                       static_cast<int>(seatLines_.size()), right);
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
    QPushButton* learnButton =
        buttons->addButton(QStringLiteral("Learn"), QDialogButtonBox::ActionRole);
    learnButton->setObjectName(QStringLiteral("teachLearn"));
    connect(learnButton, &QPushButton::clicked, this, &TeachFontDialog::learn);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    readCells();
    resize(1500, 760);
}

int TeachFontDialog::readCells(const kestrova::LobbyTexts* typed) {
    // Learning may have found the text smoothed: the lines are cut anew.
    const std::optional<int> smoothPercent = session_.glyphs().smoothPercent();
    rowLines_ = kestrova::listLines(capture_.image, capture_.geometry, smoothPercent);
    seatLines_ = kestrova::seatLines(capture_.image, smoothPercent);
    int marked = 0;
    const auto fill = [&](QTableWidget* table, const std::vector<kestrova::TextLine>& lines,
                          const std::vector<std::vector<std::string>>* texts) {
        for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
            const kestrova::TextLine& line = lines[static_cast<std::size_t>(r)];
            for (int c = 0; c < static_cast<int>(line.fields.size()); ++c) {
                const std::string read = kestrova::readField(
                    capture_.image, line, line.fields[static_cast<std::size_t>(c)],
                    session_.glyphs());
                const auto row = static_cast<std::size_t>(r);
                const auto column = static_cast<std::size_t>(c);
                const std::string* want = texts != nullptr && row < texts->size() &&
                                                  column < (*texts)[row].size()
                                              ? &(*texts)[row][column]
                                              : nullptr;
                auto* item = new QTableWidgetItem(toQString(want != nullptr ? *want : read));
                if (want != nullptr && *want != read) {
                    item->setBackground(QColor(255, 214, 153));
                    item->setToolTip(QStringLiteral("Still read as \u201c%1\u201d")
                                         .arg(toQString(read)));
                    ++marked;
                }
                table->setItem(r, c, item);
            }
        }
    };
    fill(rows_, rowLines_, typed != nullptr ? &typed->rows : nullptr);
    fill(seats_, seatLines_, typed != nullptr ? &typed->seats : nullptr);
    return marked;
}

QString TeachFontDialog::report() const {
    return report_->toPlainText();
}

void TeachFontDialog::learn() {
    kestrova::LobbyTexts texts;
    texts.rows = cellTexts(*rows_);
    texts.seats = cellTexts(*seats_);
    const kestrova::GlyphTable taught = session_.taughtGlyphs();
    kestrova::FontLearner learner(session_.glyphs(), &taught);
    std::string problem;
    if (!learner.addCapture(capture_.image, texts, &capture_.geometry, &problem)) {
        report_->setPlainText(toQString(problem));
        return;
    }
    const kestrova::FontLearning learning = learner.learn();
    QString text = toQString(learning.report());
    if (!learning.entries.empty() && !session_.learnGlyphs(learning.entries, &problem)) {
        text += QStringLiteral("\nNothing was saved: ") + toQString(problem);
    }
    if (const int marked = readCells(&texts); marked > 0) {
        text += QStringLiteral("\n%1 cell(s) still read otherwise are marked; point at one to "
                               "see what is read.")
                    .arg(marked);
    }
    report_->setPlainText(text);
}
