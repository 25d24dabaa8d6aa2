#pragma once

#include <QString>

class QWidget;

namespace kestrova {

// The boxes of the "Aggregator" menu.

// "Update Aggregator database": the question first; true on "Yes". The
// session's job then builds the aggregator off the GUI thread.
bool confirmAggregatorUpdate(QWidget* parent);
// The box "Update complete" once the build succeeded.
void showAggregatorUpdated(QWidget* parent, const QString& completionText);

// "Help / about Aggregator": the information box "About PT3 Aggregator".
void showAggregatorHelp(QWidget* parent);

QString aggregatorQuestionTitle();
QString aggregatorQuestionText();
QString aggregatorHelpTitle();
QString aggregatorHelpText();

}  // namespace kestrova
