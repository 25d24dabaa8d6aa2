#pragma once

#include <QString>

class QWidget;

namespace kestrova {

class MessageSink;
class TrackerLookup;

// The boxes of the "Aggregator" menu.

// "Update Aggregator database": asks first; on "Yes" connects the databases,
// rebuilds the aggregator table in every active PokerTracker 3 database,
// disconnects, and says "Update complete". The work runs on the GUI thread
// with a wait cursor; the question tells the user so. Failures are shown
// through `messages` and end the update without the completion box.
// True when the update ran and succeeded.
bool runAggregatorUpdate(QWidget* parent, TrackerLookup& lookup, MessageSink& messages);

// "Help / about Aggregator": the information box "About PT3 Aggregator".
void showAggregatorHelp(QWidget* parent);

QString aggregatorQuestionTitle();
QString aggregatorQuestionText();
QString aggregatorHelpTitle();
QString aggregatorHelpText();

}  // namespace kestrova
