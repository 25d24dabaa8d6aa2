#include "gui/options/TabDialog.h"

#include "gui/options/CloseTab.h"
#include "gui/options/DisplayTab.h"
#include "gui/options/GeneralTab.h"
#include "gui/options/LimitTab.h"
#include "gui/options/OpenTab.h"
#include "gui/options/ProfilTab.h"
#include "gui/widgets/PageScroller.h"
#include "gui/widgets/QtText.h"
#include "gui/widgets/WidgetHelpers.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kestrova {

namespace {}  // namespace

TabDialog::TabDialog(const AppSettings& settings, Services services, QWidget* parent)
    : QDialog(parent), settings_(settings), services_(std::move(services)) {
    setWindowTitle(tr("Options"));
    tabs_ = new QTabWidget(this);
    // Each page scrolls on a screen too small for it, keeping "OK" and "Cancel" in sight.

    general_ = new GeneralTab(settings_.general, settings_.history, services_.prompts);
    tabs_->addTab(new PageScroller(general_), tr("General"));
    // Never shown: built without a parent, owned here.
    limit_ = new LimitTab(settings_.limits, [this](const std::vector<LimitRecord>& chosen) {
        settings_.limits = chosen;
        if (services_.save)
            services_.save(settings_, SettingsPart::Limits);
    });
    open_ = new OpenTab(settings_.open);
    close_ = new CloseTab(settings_.close);
    for (QWidget* hidden : std::initializer_list<QWidget*>{limit_, open_, close_})
        hidden->hide();

    DBTab::Services databases = services_.databases;
    databases.prompts = services_.prompts;
    databases_ = new DBTab(std::move(databases));
    tabs_->addTab(new PageScroller(databases_), tr("Databases"));
    profile_ = new ProfilTab(services_.profiles, services_.saveProfile, services_.prompts);
    profile_->loadSettings(settings_.profile);
    tabs_->addTab(new PageScroller(profile_), tr("Profile"));
    display_ = new DisplayTab(settings_.display);
    tabs_->addTab(new PageScroller(display_), tr("Display"));

    const QString okTip = tr("Save and close options");
    auto* ok = makeButton(tr("OK"), "pbOk", this, okTip, okTip);
    const QString cancelTip = tr("Close options without saving");
    auto* cancel = makeButton(tr("Cancel"), "pbCancel", this, cancelTip, cancelTip);
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
    AppSettings edited = settings_;
    general_->store(edited.general, edited.history);
    open_->store(edited.open);
    close_->store(edited.close);
    profile_->store(edited.profile);
    display_->store(edited.display);
    if (services_.save)
        services_.save(edited, SettingsPart::Options);
    if (const std::optional<DatabaseList> list = databases_->toSave();
        list && services_.saveDatabases)
        services_.saveDatabases(*list);
    QDialog::accept();
}

}  // namespace kestrova
