#include "gui/options/AggregatorDialogs.h"

#include "gui/widgets/QtText.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace kestrova {

QString aggregatorQuestionTitle() {
    return QCoreApplication::translate("AggregatorDialogs", "Update Aggregator database");
}

QString aggregatorQuestionText() {
    return QCoreApplication::translate(
        "AggregatorDialogs",
        "This option will update the internal aggregator database.\nThe aggregator database is a "
        "compression for PokerTracker 3 databases.\nScanning with this aggregator database will be "
        "significantly faster.\nIf you feel that your database is pretty big and scanning is way "
        "too, then slow you should use this aggregator database.\n\nBy pressing \"Yes\" a process "
        "will be started to compress the PokerTracker3 databases you configured Velloran "
        "with.\nThis process may run for several minutes and can not be aborted.\nVelloran will be "
        "unusable during this process.\n\nTo use the aggregator database you need to check "
        "\"Aggregator->Use Aggregator Database\" in the Velloran menu.");
}

QString aggregatorHelpTitle() {
    return QCoreApplication::translate("AggregatorDialogs", "About PT3 Aggregator");
}

QString aggregatorHelpText() {
    return QCoreApplication::translate(
        "AggregatorDialogs",
        "The Aggregator Database is a compression for PokerTracker 3 databases.\nIt should "
        "significantly improve the scanning speed with big databases.\n\nBefore you can use the "
        "Aggregator database you need to \"update\" the Aggregator database.\nUpdating the "
        "Aggregator will lead to a snapshop of your current PokerTracker 3 database.\nThus you "
        "should update the database after each bigger import.\nOtherwise you will not be able to "
        "use the newly imported player statistics.");
}

bool confirmAggregatorUpdate(QWidget* parent) {
    return QMessageBox::question(parent, aggregatorQuestionTitle(), aggregatorQuestionText(),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void showAggregatorUpdated(QWidget* parent, const QString& completionText) {
    QMessageBox::information(parent,
                             QCoreApplication::translate("AggregatorDialogs", "Update complete"),
                             messageText(completionText));
}

void showAggregatorHelp(QWidget* parent) {
    QMessageBox::information(parent, aggregatorHelpTitle(), aggregatorHelpText());
}

}  // namespace kestrova
