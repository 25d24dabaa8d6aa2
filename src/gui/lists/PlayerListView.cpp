#include "gui/lists/PlayerListView.h"

#include "PlayerColumns.h"
#include "Session.h"
#include "gui/lists/ColourKey.h"
#include "gui/lists/ListRowItem.h"
#include "gui/widgets/QtText.h"

#include <QDateTime>
#include <QLocale>
#include <QTreeWidget>

namespace kestrova {

namespace {

// Which of PokerTracker's icons gave the label and what a code's letters say.
QString autorateTip(const std::string& label, const AutorateExplanation& meaning) {
    QStringList lines;
    if (meaning.icon.empty())
        lines << PlayerListView::tr("%1: PokerTracker has not rated him").arg(toQString(label));
    else if (meaning.labelKey.empty())
        lines << PlayerListView::tr("%1: PokerTracker's “%2” icon")
                     .arg(toQString(label), translated(text_context::kColumns, meaning.icon));
    else
        lines << PlayerListView::tr(
                     "%1: your name for PokerTracker's “%2” icon (%3 in Velloran.ini)")
                     .arg(toQString(label), translated(text_context::kColumns, meaning.icon),
                          toQString(meaning.labelKey));
    for (const std::string_view trait : meaning.traits)
        lines << translated(text_context::kColumns, trait);
    if (!meaning.traits.empty())
        lines << PlayerListView::tr("PokerTracker's autorate rules set where each range begins.");
    return lines.join(u'\n');
}

// The VPIP with its 95 % credible range: "45.2 % (38.1–52.6 %, 220 hands)".
QString vpipIntervalTip(const PlayerWeakness& weakness, int hands) {
    const auto figure = [](double percent) { return QString::number(percent, 'f', 1); };
    const QString range = PlayerListView::tr("%1 % (%2–%3 %, ")
                              .arg(figure(weakness.vpipPercent), figure(weakness.lowPercent),
                                   figure(weakness.highPercent));
    return range + (hands == 1 ? PlayerListView::tr("1 hand)")
                               : PlayerListView::tr("%1 hands)").arg(hands));
}

// The statistics a profile colours, and their columns (before the whole list's shift).
constexpr std::pair<ProfileStat, int> kColoured[] = {{ProfileStat::Hands, 5},
                                                     {ProfileStat::Vpip, kVpipColumn},
                                                     {ProfileStat::Pfr, 9},
                                                     {ProfileStat::Af, 10},
                                                     {ProfileStat::Wtsd, 11},
                                                     {ProfileStat::AttToSteal, 16},
                                                     {ProfileStat::FoldSbToSteal, 17},
                                                     {ProfileStat::FoldBbToSteal, 18},
                                                     {ProfileStat::ContiBetFlop, 19}};

}  // namespace

PlayerListView::PlayerListView(QTreeWidget* list, PlayerListModel& model, Columns columns,
                               Session& session, const std::vector<QIcon>& icons, QObject* parent)
    : QObject(parent),
      list_(list),
      model_(model),
      shift_(columns == Columns::WholeList ? 1 : 0),
      session_(session),
      icons_(icons),
      items_(list, playerSortRules(shift_)) {
    model_.onChanged = [this](std::optional<std::size_t> row) { sync(row); };
    describeColours();
}

void PlayerListView::sync(std::optional<std::size_t> row) {
    // Every row changes when the profiles or the settings did.
    if (!row)
        describeColours();
    items_.sync(model_.size(), row, [this](std::size_t index) { show(index); });
}

void PlayerListView::show(std::size_t index) {
    const PlayerRow& row = model_.rows()[index];
    const PlayerStats& record = *row.record;
    ListRowItem* item = items_.at(index);
    const std::string& label = session_.settings().autorate.label(record.icon);
    const PlayerWeakness weakness = session_.lists().weakness(record);
    const PlayerCells cells{record, label, weakness.weakness};
    if (shift_) {
        const WholePlayerRowTexts texts = wholePlayerRowTexts(cells);
        item->setTexts({texts.begin(), texts.end()});
    } else {
        const PlayerRowTexts texts = playerRowTexts(cells);
        item->setTexts({texts.begin(), texts.end()});
    }
    item->setToolTip(kVpipColumn + shift_, vpipIntervalTip(weakness, vpipCountsOf(&record).hands));
    QString lastSeen;
    if (const PlayerVisit* seen = session_.history().lastSeen(record.name))
        lastSeen = tr("Last seen %1 at %2")
                       .arg(QLocale().toString(
                                QDateTime::fromSecsSinceEpoch(seen->at.time_since_epoch().count()),
                                QLocale::ShortFormat),
                            toQString(seen->table));
    if (session_.history().isWatched(record.name))
        lastSeen =
            tr("Watched") + (lastSeen.isEmpty() ? QString() : QStringLiteral("; ") + lastSeen);
    if (!record.alike.empty()) {
        // The font draws some of the name's glyphs alike and no tracker knew it.
        QStringList others;
        for (const std::string& other : record.alike)
            others << toQString(other);
        const QString uncertain = tr("could also be %1").arg(others.join(QStringLiteral(", ")));
        lastSeen = lastSeen.isEmpty() ? uncertain : uncertain + QStringLiteral("; ") + lastSeen;
    }
    item->setToolTip(kPlayerNameColumn + shift_, lastSeen);
    item->setToolTip(kAutorateColumn + shift_,
                     autorateTip(label, session_.settings().autorate.explain(record.icon)));
    item->setIcon(kAutorateColumn + shift_,
                  icons_[static_cast<std::size_t>(AutorateIcons::clampedIndex(record.icon))]);
    item->setCheckState(kBuddyColumn + shift_,
                        session_.isBuddy(record.name) ? Qt::Checked : Qt::Unchecked);

    // A player on the waiting list shows lighter than the seated ones.
    const QBrush text =
        record.waiting ? list_->palette().brush(QPalette::PlaceholderText) : QBrush();
    for (int c = 0; c < list_->columnCount(); ++c)
        item->setForeground(c, text);
    for (int c = shift_; c < list_->columnCount(); ++c)
        item->setBackground(c, QBrush());
    const ColourRanges::RowColours colours =
        session_.colours().rowColours(record, session_.settings().evaluation().minimumHands);
    for (const auto& [stat, column] : kColoured) {
        if (const std::optional<Rgb>& colour = colours[static_cast<std::size_t>(stat)])
            item->setBackground(column + shift_, toQColor(*colour));
    }
    item->setHidden(row.hidden);
}

void PlayerListView::describeColours() {
    const QString condition = tr("A cell takes its colour once the player has more than %1 hands.")
                                  .arg(session_.settings().evaluation().minimumHands);
    for (const auto& [stat, column] : kColoured)
        list_->headerItem()->setToolTip(
            column + shift_,
            ColourKey::headerTip(translated(text_context::kColumns,
                                            playerColumns()[static_cast<std::size_t>(column)].tip),
                                 session_.colours().profile(stat), condition));
}

std::shared_ptr<PlayerStats> PlayerListView::recordOf(const QTreeWidgetItem* item) const {
    const std::optional<std::size_t> row = items_.rowOf(item);
    return row ? model_.rows()[*row].record : nullptr;
}

}  // namespace kestrova
