#include "gui/options/TabDialog.h"

#include "gui/options/CloseTab.h"
#include "gui/options/DisplayTab.h"
#include "gui/options/GeneralTab.h"
#include "gui/options/LimitTab.h"
#include "gui/options/OpenTab.h"
#include "gui/options/OptionsWriter.h"
#include "gui/options/ProfilTab.h"
#include "gui/widgets/QtText.h"
#include "records/DatabaseList.h"
#include "settings/SettingsStore.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kestrova {

namespace {

QPushButton* makeButton(const QString& text, const char* name, const QString& tip,
                        QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tip);
    button->setStatusTip(tip);
    return button;
}

}  // namespace

TabDialog::TabDialog(SettingsStore& settings, Services services, QWidget* parent)
    : QDialog(parent), settings_(settings), services_(std::move(services)) {
    setWindowTitle(QStringLiteral("Options"));
    const std::filesystem::path& directory = services_.directory;
    tabs_ = new QTabWidget(this);

    general_ = new GeneralTab(settings_, directory, services_.prompts);
    tabs_->addTab(general_, QStringLiteral("General"));
    // Never shown: built without a parent, owned here.
    limit_ = new LimitTab(directory);
    limit_->fillChosen(services_.clientKind);
    open_ = new OpenTab(settings_, directory);
    close_ = new CloseTab(settings_, directory);
    for (QWidget* hidden : std::initializer_list<QWidget*>{limit_, open_, close_})
        hidden->hide();

    DBTab::Services databases = services_.databases;
    databases.prompts = services_.prompts;
    databases_ = new DBTab(directory, std::move(databases));
    tabs_->addTab(databases_, QStringLiteral("Databases"));
    profile_ = new ProfilTab(directory, services_.prompts);
    profile_->loadSettings(settings_);
    tabs_->addTab(profile_, QStringLiteral("Profile"));
    display_ = new DisplayTab(settings_);
    tabs_->addTab(display_, QStringLiteral("Display"));

    auto* ok =
        makeButton(QStringLiteral("OK"), "pbOk", QStringLiteral("Save and close options"), this);
    auto* cancel = makeButton(QStringLiteral("Cancel"), "pbCancel",
                              QStringLiteral("Close options without saving"), this);
    connect(ok, &QPushButton::clicked, this, &TabDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &TabDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* frame = new QVBoxLayout(this);
    frame->addWidget(tabs_);
    frame->addLayout(buttons);
}

TabDialog::~TabDialog() {
    delete limit_;
    delete open_;
    delete close_;
}

void TabDialog::accept() {
    OptionsWriter out(settings_, services_.directory);
    general_->writeScanResult(out);
    general_->writeMain(out);
    open_->writeFlags(out);
    general_->writeRealtime(out);
    open_->writeCounts(out);
    close_->write(out);
    if (!profile_->writeSettings(settings_))
        out.failed("Could not write the settings file " + settings_.path().string());
    general_->writeCurrentLimit(out);
    std::string problem;
    if (!databases_->save(&problem))
        out.failed("Could not save the database list: " + problem);
    display_->write(out);
    if (!out.problem().empty() && services_.prompts.showMessage)
        services_.prompts.showMessage(this, QStringLiteral("Error"), toQString(out.problem()));
    QDialog::accept();
}

}  // namespace kestrova
