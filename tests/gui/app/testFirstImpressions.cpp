#include "app/AppFolder.h"
#include "app/ui/MainWindow.h"
#include "app/ui/QuadrigoApplication.h"
#include "app/ui/ToolbarIcons.h"
#include "document/SystemFiles.h"
#include "platform/ui/WindowSizing.h"
#include "session/Session.h"
#include "support/ModalDriver.h"
#include "support/ScriptedPrompts.h"
#include "support/StartedProgram.h"
#include "support/TestSystems.h"

#include <QAction>
#include <QDir>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolBar>

namespace {

const QStringList SmallPrediction = {"1X", "12X", "1", "1", "1", "1", "1",
                                     "1",  "1",   "1", "1", "1", "1"};

// Saves a small system and opens it through the Apri command.
void openSaved(StartedProgram& s, const QString& name = QStringLiteral("Giro"))
{
    SystemDocument saved = TestSystems::withPrediction(SmallPrediction, name);
    QVERIFY(SystemFiles::save(saved, s.systems()));
    s.prompts.expectOpenFile(QDir(s.systems()).filePath(name + QStringLiteral(".pro")));
    s.window->runCommand(QStringLiteral("mnuApri"));
    QVERIFY(s.prompts.allConsumed());
}

// With QUADRIGO_SHOTS naming a folder, a picture of the window is kept there to look at.
void keepShot(QWidget* window, const char* file)
{
    const QString folder = qEnvironmentVariable("QUADRIGO_SHOTS");
    if (!folder.isEmpty())
        window->grab().save(QDir(folder).filePath(QLatin1String(file)));
}

QWidget* subWindowOf(const MainWindow& window, const char* name)
{
    auto* content = window.findChild<QWidget*>(QLatin1String(name));
    return content ? content->parentWidget() : nullptr;
}

} // namespace

// The program as it first meets the eye: keys, language, pictures, where windows open.
class TestFirstImpressions : public QObject {
    Q_OBJECT
private slots:
    void ctrlWReachesItsCommandBesideSubWindows()
    {
        StartedProgram s;
        openSaved(s);
        QVERIFY(subWindowOf(*s.window, "frmPROCOND")->isVisible());
        QApplication::setActiveWindow(s.window.get());
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        QString mode;
        whenModal(QStringLiteral("frmVEDICOL"), [&](QWidget* viewer) {
            mode = s.session->DialogMode;
            viewer->close();
        });
        QTest::keyClick(s.window.get(), Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(mode, QStringLiteral("CInt"));
    }

    void qtDialogsSpeakItalian()
    {
        const QString path = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!QFile::exists(QDir(path).filePath(QStringLiteral("qtbase_it.qm"))))
            QSKIP("Qt's Italian translations are not installed");
        QVERIFY(QuadrigoApplication::installQtTranslations());
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QStringList texts;
        for (const auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            texts << box.button(button)->text().remove(QLatin1Char('&'));
        QCOMPARE(texts, (QStringList{"Sì", "No", "Annulla"}));
    }

    void toolbarButtonsHaveTheirOwnPictures()
    {
        StartedProgram s;
        QStringList files;
        QList<QImage> drawings;
        const auto* toolbar = s.window->findChild<QToolBar*>(QStringLiteral("BarraStrumenti"));
        for (QAction* action : toolbar->actions()) {
            if (action->isSeparator())
                continue;
            const QString name = action->objectName();
            const QString file = ToolbarIcons::fileFor(name);
            QVERIFY2(!action->icon().isNull() && QFile::exists(file), qPrintable(name));
            QVERIFY2(!files.contains(file), qPrintable(name));
            const QImage drawing = QIcon(file).pixmap(24, 24).toImage();
            QVERIFY2(!drawing.isNull() && !drawings.contains(drawing), qPrintable(name));
            files << file;
            drawings << drawing;
        }
        QCOMPARE(files.size(), 27);
        keepShot(s.window.get(), "toolbar.png");
    }

    void dialogsAreAsWideAsTheirCaption_data()
    {
        QTest::addColumn<QString>("command");
        for (const char* command : {"mnuAbout", "mnuConcData", "mnuIncontri", "mnuSegni", "mnuSim",
                                    "mnuSequele", "mnuApplicazione", "mnuSquadre"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }
    void dialogsAreAsWideAsTheirCaption()
    {
        QFETCH(QString, command);
        StartedProgram s;
        openSaved(s, QStringLiteral("Sistema della domenica con le doppie"));
        QString caption;
        int width = 0;
        QVERIFY(modalOpenedDuring([&] {
            QTimer::singleShot(0, s.window.get(), [&] {
                if (QWidget* dialog = QApplication::activeModalWidget()) {
                    caption = dialog->windowTitle();
                    width = dialog->width();
                }
            });
            s.window->runCommand(command);
        }));
        QVERIFY(!caption.isEmpty());
        QVERIFY2(width >= WindowSizing::captionWidth(caption), qPrintable(caption));
    }

    void splashInTheMiddleOfTheScreen()
    {
        StartedProgram s;
        QPoint centre;
        whenModal(QStringLiteral("frmSPLASH"), [&](QWidget* splash) {
            centre = splash->frameGeometry().center();
            splash->close();
        });
        s.window->startUp(true);
        QCOMPARE(centre, s.window->screen()->availableGeometry().center());
    }

    void summaryBesideTheEnablingWindowAfterEveryOpen()
    {
        StartedProgram s;
        for (const char* name : {"Giro", "Altro"}) {
            openSaved(s, QLatin1String(name));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QWidget* summary = subWindowOf(*s.window, "frmPROCOND");
            QVERIFY2(summary && summary->isVisible(), name);
            QVERIFY(
                !summary->geometry().intersects(subWindowOf(*s.window, "frmABILITA")->geometry()));
            QVERIFY(summary->width() >= WindowSizing::captionWidth(QStringLiteral("Pronostico")));
        }
        keepShot(s.window.get(), "summary.png");
    }

    void progressBarRestsAfterAnAllFixedPrediction()
    {
        StartedProgram s;
        openSaved(s);
        s.window->runCommand(QStringLiteral("mnuPronostico"));
        auto* prediction = s.window->findChild<QWidget*>(QStringLiteral("frmPRONOSTICO"));
        for (int i = 1; i <= 2; ++i) {
            auto* field = child<QLineEdit>(prediction, QStringLiteral("txtPro(%1)").arg(i));
            field->setFocus();
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(field, QStringLiteral("2"));
        }
        QTest::mouseClick(child<QPushButton>(prediction, QStringLiteral("cmdOK")), Qt::LeftButton);
        // All fixed: the system counts no columns, and the bar once had nothing to measure.
        QCOMPARE(s.session->document().IntegralCount, 0);
        const QProgressBar* bar = s.window->progressBar();
        QVERIFY(bar->maximum() > bar->minimum());
        QCOMPARE(bar->value(), bar->minimum());
    }

    void systemsWithoutOptionsGoToSistemi()
    {
        // A first start whose options dialog was closed without OK.
        QTemporaryDir dir;
        AppFolder::prepare(dir.path());
        ScriptedPrompts prompts;
        Session session(dir.path(), prompts);
        session.document() = TestSystems::withPrediction(SmallPrediction, QStringLiteral("Giro"));
        session.save();
        QVERIFY(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("Sistemi/Giro.pro"))));
    }
};

QTEST_MAIN(TestFirstImpressions)
#include "testFirstImpressions.moc"
