#include "conditions/ui/ConditionCommands.h"

#include "app/Session.h"
#include "app/ui/MainWindow.h"
#include "conditions/ui/ConditionsDialog.h"
#include "conditions/ui/EnablingWindow.h"
#include "conditions/ui/ReductionWindow.h"
#include "conditions/ui/SequencesDialog.h"
#include "conditions/ui/SymmetryParallelsDialog.h"
#include "platform/Twips.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <memory>

namespace {

// frmABILITA's remembered place: 100 twips from the top and the left of the main window.
constexpr int EnablingOffset = Twips::toPixels(100);

EnablingWindow* enablingWindowOf(MainWindow& window)
{
    return window.mdiArea()->findChild<EnablingWindow*>(QStringLiteral("frmABILITA"));
}

template <typename Dialog> void execDialog(MainWindow& window, const char* mode)
{
    Session& session = window.session();
    if (mode)
        session.DialogMode = QLatin1String(mode);
    const std::unique_ptr<Dialog> dialog = std::make_unique<Dialog>(session, &window);
    window.placeDialog(dialog.get());
    dialog->exec();
}

void openReductionWindow(MainWindow& window)
{
    if (auto* open = window.findChild<ReductionWindow*>(QStringLiteral("frmELABORA"))) {
        open->raise();
        open->activateWindow();
        return;
    }
    // The run obeys the boxes as they are when it starts; without the enabling window, the
    // system's own flags.
    auto flags = [&window] {
        if (const EnablingWindow* enabling = enablingWindowOf(window))
            return enabling->flagsText();
        return window.session().document().EnableFlags;
    };
    auto* reduction = new ReductionWindow(window.session(), flags, &window);
    reduction->setAttribute(Qt::WA_DeleteOnClose);
    window.placeDialog(reduction);
    reduction->show();
}

} // namespace

void installConditionCommands(MainWindow& window)
{
    window.setHandler(QStringLiteral("mnuSegni"),
                      [&window] { execDialog<ConditionsDialog>(window, "SEGN"); });
    window.setHandler(QStringLiteral("mnuInt"),
                      [&window] { execDialog<ConditionsDialog>(window, "INTE"); });
    window.setHandler(QStringLiteral("mnuSim"),
                      [&window] { execDialog<SymmetryParallelsDialog>(window, "SIMM"); });
    window.setHandler(QStringLiteral("mnuPar"),
                      [&window] { execDialog<SymmetryParallelsDialog>(window, "PARA"); });
    window.setHandler(QStringLiteral("mnuParP3"),
                      [&window] { execDialog<SymmetryParallelsDialog>(window, "PAR3"); });
    window.setHandler(QStringLiteral("mnuSequele"),
                      [&window] { execDialog<SequencesDialog>(window, nullptr); });
    window.setHandler(QStringLiteral("mnuElabora"), [&window] { openReductionWindow(window); });
}

void showEnablingWindow(MainWindow& window)
{
    EnablingWindow* enabling = enablingWindowOf(window);
    if (!enabling) {
        enabling = new EnablingWindow(window.session());
        // The boxes are always at hand: the window can be minimised but not closed.
        QMdiSubWindow* frame = window.mdiArea()->addSubWindow(
            enabling, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinimizeButtonHint);
        frame->adjustSize();
        frame->move(EnablingOffset, EnablingOffset);
    }
    enabling->parentWidget()->show();
}
