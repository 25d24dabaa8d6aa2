#include "gui/options/AggregatorDialogs.h"

#include <QMessageBox>

namespace kestrova {

QString aggregatorQuestionTitle() {
    return QStringLiteral("Update Aggregator database");
}

QString aggregatorQuestionText() {
    return QStringLiteral(
        "This option will update the internal aggregator database.\n"
        "The aggregator database is a compression for PokerTracker 3 databases.\n"
        "Scanning with this aggregator database will be significantly faster.\n"
        "If you feel that your database is pretty big and scanning is way too, then slow you "
        "should use this aggregator database.\n\n"
        "By pressing \"Yes\" a process will be started to compress the PokerTracker3 databases "
        "you configured Velloran with.\n"
        "This process may run for several minutes and can not be aborted.\n"
        "Velloran will be unusable during this process.\n\n"
        "To use the aggregator database you need to check \"Aggregator->Use Aggregator "
        "Database\" in the Velloran menu.");
}

QString aggregatorHelpTitle() {
    return QStringLiteral("About PT3 Aggregator");
}

QString aggregatorHelpText() {
    return QStringLiteral(
        "The Aggregator Database is a compression for PokerTracker 3 databases.\n"
        "It should significantly improve the scanning speed with big databases.\n\n"
        "Before you can use the Aggregator database you need to \"update\" the Aggregator "
        "database.\n"
        "Updating the Aggregator will lead to a snapshop of your current PokerTracker 3 "
        "database.\n"
        "Thus you should update the database after each bigger import.\n"
        "Otherwise you will not be able to use the newly imported player statistics.");
}

bool confirmAggregatorUpdate(QWidget* parent) {
    return QMessageBox::question(parent, aggregatorQuestionTitle(), aggregatorQuestionText(),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void showAggregatorUpdated(QWidget* parent, const QString& completionText) {
    QMessageBox::information(parent, QStringLiteral("Update complete"), completionText);
}

void showAggregatorHelp(QWidget* parent) {
    QMessageBox::information(parent, aggregatorHelpTitle(), aggregatorHelpText());
}

}  // namespace kestrova
