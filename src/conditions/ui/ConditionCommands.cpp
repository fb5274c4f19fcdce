#include "conditions/ui/ConditionCommands.h"

#include "conditions/ui/AdvancedConditionsDialog.h"
#include "conditions/ui/ConditionsDialog.h"
#include "conditions/ui/EnablingWindow.h"
#include "conditions/ui/GuaranteeWindow.h"
#include "conditions/ui/LiveCountLabel.h"
#include "conditions/ui/ReductionWindow.h"
#include "conditions/ui/SequencesDialog.h"
#include "conditions/ui/SymmetryParallelsDialog.h"
#include "platform/Twips.h"
#include "session/Session.h"
#include "session/ui/CommandHost.h"

#include <QBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include <memory>

namespace {

// frmABILITA's remembered place: 100 twips from the top and the left of the main window.
constexpr int EnablingOffset = Twips::toPixels(100);

EnablingWindow* enablingWindowOf(CommandHost& host)
{
    return host.mdiArea()->findChild<EnablingWindow*>(QStringLiteral("frmABILITA"));
}

// The conditions a dialog holds, as typed, tried on the winning columns of the archive. The check
// reads the system's conditions when it opens and is modal: for that time the system holds the
// typed ones, and gets its own back as soon as the check closes.
template <typename Dialog> void addArchiveCheck(CommandHost& host, Dialog* shown)
{
    auto* check = new QPushButton(QStringLiteral("Verifica sull'A&rchivio"), shown);
    check->setObjectName(QStringLiteral("cmdVerifica"));
    check->setAutoDefault(false);
    QObject::connect(check, &QPushButton::clicked, shown, [&host, shown] {
        SystemDocument& document = host.session().document();
        const ConditionSet confirmedConditions = document.Conditions;
        const QString confirmedFlags = document.EnableFlags;
        const AdvancedConditions confirmedAdvanced = document.Advanced;
        if constexpr (requires { shown->typedAdvanced(); }) {
            const std::optional<AdvancedConditions> typed = shown->typedAdvanced();
            if (!typed)
                return;
            document.Advanced = *typed;
        } else {
            const std::optional<ConditionSet> typed = shown->typedConditions();
            if (!typed)
                return;
            document.Conditions = *typed;
        }
        document.EnableFlags = LiveCountLabel::enableFlagsFor(shown, document);
        host.runCommand(QStringLiteral("mnuVerificaArchivio"));
        document.Conditions = confirmedConditions;
        document.EnableFlags = confirmedFlags;
        document.Advanced = confirmedAdvanced;
    });
    if (auto* layout = qobject_cast<QBoxLayout*>(shown->layout()))
        layout->addWidget(check, 0, Qt::AlignRight);
}

template <typename Dialog> void execDialog(CommandHost& host, const char* mode)
{
    Session& session = host.session();
    if (mode)
        session.DialogMode = QLatin1String(mode);
    const std::unique_ptr<Dialog> dialog = std::make_unique<Dialog>(session, host.hostWidget());
    if constexpr (
        requires { dialog->typedConditions(); } || requires { dialog->typedAdvanced(); })
        addArchiveCheck(host, dialog.get());
    host.placeDialog(dialog.get());
    dialog->exec();
}

void openReductionWindow(CommandHost& host)
{
    if (auto* open = host.hostWidget()->findChild<ReductionWindow*>(QStringLiteral("frmELABORA"))) {
        open->raise();
        open->activateWindow();
        return;
    }
    // The run obeys the boxes as they are when it starts; without the enabling window, the
    // system's own flags.
    auto flags = [&host] {
        if (const EnablingWindow* enabling = enablingWindowOf(host))
            return enabling->flagsText();
        return host.session().document().EnableFlags;
    };
    auto* reduction = new ReductionWindow(host.session(), flags, host.hostWidget());
    reduction->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(reduction, &ReductionWindow::guaranteeRequested, host.hostWidget(),
                     [&host] { host.runCommand(QStringLiteral("mnuGaranzia")); });
    QObject::connect(reduction, &ReductionWindow::outcomesRequested, host.hostWidget(),
                     [&host] { host.runCommand(QStringLiteral("mnuGaranzie")); });
    host.placeDialog(reduction);
    reduction->show();
}

} // namespace

void installConditionCommands(CommandHost& host)
{
    host.setHandler(QStringLiteral("mnuSegni"),
                    [&host] { execDialog<ConditionsDialog>(host, "SEGN"); });
    host.setHandler(QStringLiteral("mnuInt"),
                    [&host] { execDialog<ConditionsDialog>(host, "INTE"); });
    host.setHandler(QStringLiteral("mnuSim"),
                    [&host] { execDialog<SymmetryParallelsDialog>(host, "SIMM"); });
    host.setHandler(QStringLiteral("mnuPar"),
                    [&host] { execDialog<SymmetryParallelsDialog>(host, "PARA"); });
    host.setHandler(QStringLiteral("mnuParP3"),
                    [&host] { execDialog<SymmetryParallelsDialog>(host, "PAR3"); });
    host.setHandler(QStringLiteral("mnuSequele"),
                    [&host] { execDialog<SequencesDialog>(host, nullptr); });
    host.setHandler(QStringLiteral("mnuCondAvanzate"),
                    [&host] { execDialog<AdvancedConditionsDialog>(host, nullptr); });
    host.setHandler(QStringLiteral("mnuElabora"), [&host] { openReductionWindow(host); });
    host.setHandler(QStringLiteral("mnuGaranzia"), [&host] {
        GuaranteeWindow dialog(host.session(), host.hostWidget());
        QObject::connect(&dialog, &GuaranteeWindow::outcomesRequested, &dialog,
                         [&host] { host.runCommand(QStringLiteral("mnuGaranzie")); });
        host.placeDialog(&dialog);
        dialog.exec();
    });
}

void showEnablingWindow(CommandHost& host)
{
    EnablingWindow* enabling = enablingWindowOf(host);
    if (!enabling) {
        enabling = new EnablingWindow(host.session());
        // The boxes are always at hand: the window can be minimised but not closed.
        QMdiSubWindow* frame = host.mdiArea()->addSubWindow(
            enabling, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinimizeButtonHint);
        frame->adjustSize();
        frame->move(EnablingOffset, EnablingOffset);
    }
    enabling->parentWidget()->show();
}
