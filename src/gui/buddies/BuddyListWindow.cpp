#include "gui/buddies/BuddyListWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "BuddyBook.h"
#include "SessionTypes.h"
#include "gui/widgets/QtText.h"

namespace kestrova {

namespace {

// The stored bytes of a name, so that removing never depends on how the text
// was shown.
constexpr int kNameRole = Qt::UserRole;

void tell(const UserPrompts& prompts, QWidget* parent, MessageKind kind, std::string_view title,
          std::string_view text) {
    if (prompts.showMessage)
        prompts.showMessage(parent, Message{kind, std::string(title), std::string(text)});
}

// A save refused because the file is damaged goes ahead once the user agrees
// to lose the names past the damage; without that the change stays in memory.
void saveFailed(const UserPrompts& prompts, QWidget* parent, BuddyBook& buddies) {
    if (offerBuddyFileRepair(parent, buddies, prompts) && buddies.save())
        return;
    tell(prompts, parent, MessageKind::FileNotWritten, BuddyList::kErrorTitle,
         BuddyList::kSaveErrorText);
}

QByteArray bytesOf(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

bool offerBuddyFileRepair(QWidget* parent, BuddyBook& buddies, const UserPrompts& prompts) {
    if (!buddies.damaged() || !prompts.askYesNo ||
        !prompts.askYesNo(parent, messageText(BuddyList::kErrorTitle),
                          messageText(buddies.repairQuestion())))
        return false;
    buddies.acceptDamagedFile();
    return true;
}

BuddyListWindow::BuddyListWindow(BuddyBook& buddies, UserPrompts prompts, QWidget* parent)
    : QDialog(parent), buddies_(buddies), prompts_(std::move(prompts)) {
    setObjectName(QStringLiteral("buddyListWindow"));
    setWindowTitle(tr("Buddylist"));
    setModal(true);
    resize(kSidePixels, kSidePixels);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("buddies"));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto* pbRemove = new QPushButton(tr("Remove"), this);
    pbRemove->setObjectName(QStringLiteral("pbRemove"));
    auto* pbClose = new QPushButton(tr("Close"), this);
    pbClose->setObjectName(QStringLiteral("pbClose"));
    auto* pbSearch = new QPushButton(tr("Search"), this);
    pbSearch->setObjectName(QStringLiteral("pbSearch"));
    pbSearch->hide();
    auto* pbClearSearch = new QPushButton(tr("Clear Search"), this);
    pbClearSearch->setObjectName(QStringLiteral("pbClearSearch"));
    pbClearSearch->hide();
    auto* note = new QLabel(
        tr("Note: You can select multiple Buddies for 'Search' or 'Removal'.\nJust use CTRL or "
           "SHIFT keys.\n\nThe 'Search' is a filter to your scanned tables.\n Deselect all buddies "
           "(if selected) and press 'Search' to remove the filter."),
        this);
    note->setObjectName(QStringLiteral("note"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(list_, 0, 0, 5, 4);
    layout->addWidget(pbRemove, 5, 0);
    layout->addWidget(pbClose, 5, 1);
    layout->addWidget(pbSearch, 5, 2);
    layout->addWidget(pbClearSearch, 5, 3);
    layout->addWidget(note, 6, 0, 1, 4);

    connect(pbRemove, &QPushButton::clicked, this, &BuddyListWindow::slot_RemoveSel);
    connect(pbClose, &QPushButton::clicked, this, &BuddyListWindow::slot_buddyClose);
    fill();
}

void BuddyListWindow::fill() {
    list_->clear();
    for (const std::string& name : buddies_.names()) {
        auto* item = new QListWidgetItem(toQString(name), list_);
        item->setData(kNameRole, bytesOf(name));
    }
    list_->sortItems(Qt::AscendingOrder);
}

void BuddyListWindow::slot_RemoveSel() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty())
        return;
    bool saved = true;
    for (QListWidgetItem* item : selected) {
        const QByteArray name = item->data(kNameRole).toByteArray();
        delete item;
        saved =
            buddies_
                .remove(std::string_view(name.constData(), static_cast<std::size_t>(name.size())))
                .saved &&
            saved;
    }
    emit buddiesChanged();
    // One box for the whole selection: the names are gone from memory either
    // way, and the next save that works writes them all.
    if (!saved)
        saveFailed(prompts_, this, buddies_);
}

void BuddyListWindow::slot_buddyClose() {
    accept();
}

bool addBuddyInteractively(QWidget* parent, BuddyBook& buddies, const UserPrompts& prompts) {
    if (!prompts.askText)
        return false;
    const auto text = prompts.askText(parent, BuddyListWindow::tr("Add player to list"),
                                      BuddyListWindow::tr("Screenname :"));
    if (!text || text->isEmpty())
        return false;
    const QByteArray bytes = text->toUtf8();
    const std::string_view name(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (const std::string why = BuddyList::whyNoScreenName(name); !why.empty()) {
        tell(prompts, parent, MessageKind::Failure, BuddyList::kErrorTitle, why);
        return false;
    }
    const auto change = buddies.add(name);
    if (!change.saved)
        saveFailed(prompts, parent, buddies);
    return change.changed;
}

bool importBuddiesFromCsv(QWidget* parent, BuddyBook& buddies, const UserPrompts& prompts) {
    tell(prompts, parent, MessageKind::Notice, BuddyCsv::kRemarkTitle, BuddyCsv::kRemarkText);
    if (!prompts.askOpenFile)
        return false;
    const QString chosen = prompts.askOpenFile(parent, messageText(BuddyCsv::kImportFileTitle),
                                               toQString(BuddyCsv::kFileFilter));
    if (chosen.isEmpty())
        return false;
    const auto file = toPath(chosen);
    const auto result = buddies.importCsv(file);
    if (!result.read) {
        tell(prompts, parent, MessageKind::Failure, BuddyCsv::kErrorTitle,
             BuddyCsv::unreadableText(file));
        return false;
    }
    tell(prompts, parent, MessageKind::Notice, BuddyCsv::kImportDoneTitle,
         BuddyCsv::importDoneText(result.imported));
    if (!result.saved)
        saveFailed(prompts, parent, buddies);
    return result.imported > 0;
}

void exportBuddiesToCsv(QWidget* parent, const BuddyBook& buddies, const UserPrompts& prompts) {
    if (!prompts.askSaveFile)
        return;
    const QString chosen = prompts.askSaveFile(parent, messageText(BuddyCsv::kExportFileTitle),
                                               toQString(BuddyCsv::kFileFilter));
    if (chosen.isEmpty())
        return;
    const auto file = BuddyCsv::exportPath(toPath(chosen));
    if (!buddies.exportCsv(file))
        tell(prompts, parent, MessageKind::Failure, BuddyCsv::kErrorTitle,
             BuddyCsv::unwritableText(file));
}

}  // namespace kestrova
