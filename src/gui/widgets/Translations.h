#pragma once

class QCoreApplication;
class QLocale;

namespace kestrova {

// Shows the program in the language of `locale` where it has a translation
// built in (German), and Qt's own dialogs and standard buttons in it where the
// system has Qt's translation; English otherwise. Before any window is built.
void installTranslations(QCoreApplication& app, const QLocale& locale);

}  // namespace kestrova
