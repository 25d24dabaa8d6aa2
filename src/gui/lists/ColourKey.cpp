#include "gui/lists/ColourKey.h"

#include "gui/widgets/QtText.h"

namespace kestrova {

QString ColourKey::headerTip(const QString& columnTip, const StatProfile& profile,
                             const QString& condition) {
    if (profile.empty())
        return columnTip;
    QString tip = QStringLiteral("<p>") + columnTip.toHtmlEscaped() + QStringLiteral("</p><p>") +
                  tr("Colours of the Profile page:") + QStringLiteral("</p><table>");
    for (const ProfileRange& range : profile.ranges())
        tip += QStringLiteral(
                   "<tr><td style=\"background-color:%1\">&nbsp;&nbsp;&nbsp;&nbsp;</td>"
                   "<td>&nbsp;%2</td></tr>")
                   .arg(toQColor(range.colour).name(),
                        tr("%1 to %2")
                            .arg(toQString(range.minimumText).toHtmlEscaped(),
                                 toQString(range.maximumText).toHtmlEscaped()));
    tip += QStringLiteral("</table>");
    if (!condition.isEmpty())
        tip += QStringLiteral("<p>") + condition.toHtmlEscaped() + QStringLiteral("</p>");
    return tip;
}

QColor ColourKey::faded(const QColor& colour, const QColor& background) {
    // A third of the colour over the background.
    constexpr int kShare = 3;
    const auto mix = [](int c, int b) { return (c + (kShare - 1) * b) / kShare; };
    return QColor(mix(colour.red(), background.red()), mix(colour.green(), background.green()),
                  mix(colour.blue(), background.blue()));
}

}  // namespace kestrova
